#pragma once

// The basic types of the Windows multimedia interfaces, with the widths the system gives them.
// They live in namespace mm so that a Windows backend can include <windows.h> beside them.

#include <cstdint>

namespace mm {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using LONG = std::int32_t;
using BOOL = std::int32_t;
using WCHAR = char16_t;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using DWORD_PTR = std::uintptr_t;
using UINT_PTR = std::uintptr_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using HANDLE = void*;
using MMRESULT = UINT;
using MMVERSION = UINT;

constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_NOTENABLED = 3;
constexpr MMRESULT MMSYSERR_ALLOCATED = 4;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_NOMEM = 7;
constexpr MMRESULT MMSYSERR_NOTSUPPORTED = 8;
constexpr MMRESULT MMSYSERR_BADERRNUM = 9;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MMSYSERR_HANDLEBUSY = 12;
constexpr MMRESULT MMSYSERR_INVALIDALIAS = 13;
constexpr MMRESULT MMSYSERR_BADDB = 14;
constexpr MMRESULT MMSYSERR_KEYNOTFOUND = 15;
constexpr MMRESULT MMSYSERR_READERROR = 16;
constexpr MMRESULT MMSYSERR_WRITEERROR = 17;
constexpr MMRESULT MMSYSERR_DELETEERROR = 18;
constexpr MMRESULT MMSYSERR_VALNOTFOUND = 19;
constexpr MMRESULT MMSYSERR_NODRIVERCB = 20;
constexpr MMRESULT MMSYSERR_MOREDATA = 21;

constexpr UINT MAXPNAMELEN = 32;

constexpr bool kPointersAre32Bit = sizeof(void*) == 4;

}  // namespace mm
