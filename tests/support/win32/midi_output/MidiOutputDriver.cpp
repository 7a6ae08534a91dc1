// A MIDI output for tests under wine, loaded in place of the system's MIDI mapper (midimap.dll)
// so that the system's MCI sequencer plays through it: every message is logged (MessageLog.h)
// and notes are heard as tones (ToneOutput.h). It stands in for the mapper only: one device,
// no streams, and long messages are complete as soon as they arrive.
#include <windows.h>

#include <mmsystem.h>

#include <mmddk.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <cwchar>
#include <mutex>

#include "MessageLog.h"
#include "ShortMessage.h"
#include "ToneOutput.h"

// The driver's entry points, and the system's function that calls a client back.
extern "C" {
__declspec(dllexport) DWORD WINAPI
    modMessage(UINT device, UINT message, DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);
__declspec(dllexport) LRESULT CALLBACK
    DriverProc(DWORD_PTR driverId, HDRVR driver, UINT message, LPARAM param1, LPARAM param2);
}
extern "C" BOOL WINAPI DriverCallback(DWORD_PTR callback, DWORD flags, HDRVR device, DWORD message,
                                      DWORD_PTR instance, DWORD_PTR param1, DWORD_PTR param2);

namespace midi_output {
namespace {

// What a client gave at its open, for the callbacks it asked for.
struct Client {
  HMIDI handle;
  DWORD_PTR callback;
  DWORD_PTR instance;
  DWORD callbackFlags;

  void Notify(UINT message, DWORD_PTR param) const {
    DriverCallback(callback, callbackFlags, reinterpret_cast<HDRVR>(handle), message, instance,
                   param, 0);
  }
};

std::mutex statusMutex;
RunningStatus runningStatus;

void Sound(const ShortMessage& message) {
  const std::uint8_t status = message.Status();
  if (status < 0x80 || status >= 0xF0) {
    return;
  }
  const std::uint8_t channel = status & 0x0F;
  const std::uint8_t kind = status & 0xF0;
  if (kind == 0x90 && message.bytes[2] != 0) {
    NoteOn(channel, message.bytes[1]);
  } else if (kind == 0x80 || kind == 0x90) {
    NoteOff(channel, message.bytes[1]);
  } else if (kind == 0xB0 && (message.bytes[1] == 120 || message.bytes[1] == 123)) {
    ChannelOff(channel);  // all sound off, all notes off
  }
}

DWORD Open(DWORD_PTR* instance, const MIDIOPENDESC* description, DWORD_PTR flags) {
  if (instance == nullptr || description == nullptr) {
    return MMSYSERR_INVALPARAM;
  }
  auto* client = new Client{description->hMidi, description->dwCallback, description->dwInstance,
                            HIWORD(flags & CALLBACK_TYPEMASK)};
  *instance = reinterpret_cast<DWORD_PTR>(client);
  LogEvent("open");
  client->Notify(MOM_OPEN, 0);
  return MMSYSERR_NOERROR;
}

DWORD Close(DWORD_PTR instance) {
  const auto* client = reinterpret_cast<const Client*>(instance);
  LogEvent("close");
  AllNotesOff();
  StopTones();  // one device, one client: nothing sounds after its close
  if (client != nullptr) {
    client->Notify(MOM_CLOSE, 0);
    delete client;
  }
  return MMSYSERR_NOERROR;
}

DWORD Data(DWORD_PTR packed) {
  ShortMessage message;
  {
    const std::lock_guard lock(statusMutex);
    message = runningStatus.Resolve(static_cast<std::uint32_t>(packed));
  }
  LogBytes(message.bytes.data(), message.size);
  Sound(message);
  return MMSYSERR_NOERROR;
}

DWORD LongData(DWORD_PTR instance, MIDIHDR* header, DWORD_PTR size) {
  if (header == nullptr || size < offsetof(MIDIHDR, dwBufferLength) + sizeof(DWORD)) {
    return MMSYSERR_INVALPARAM;
  }
  if (!(header->dwFlags & MHDR_PREPARED)) {
    return MIDIERR_UNPREPARED;
  }
  LogBytes(reinterpret_cast<const std::uint8_t*>(header->lpData),
           header->lpData != nullptr ? header->dwBufferLength : 0);
  {
    // A system-exclusive message cancels running status.
    const std::lock_guard lock(statusMutex);
    runningStatus.Reset();
  }
  header->dwFlags = (header->dwFlags & ~MHDR_INQUEUE) | MHDR_DONE;
  if (const auto* client = reinterpret_cast<const Client*>(instance)) {
    client->Notify(MOM_DONE, reinterpret_cast<DWORD_PTR>(header));
  }
  return MMSYSERR_NOERROR;
}

DWORD Reset() {
  LogEvent("reset");
  AllNotesOff();
  const std::lock_guard lock(statusMutex);
  runningStatus.Reset();
  return MMSYSERR_NOERROR;
}

DWORD DeviceCaps(MIDIOUTCAPSW* caps, DWORD_PTR size) {
  if (caps == nullptr) {
    return MMSYSERR_INVALPARAM;
  }
  MIDIOUTCAPSW ours{};
  ours.wMid = 0xFF;
  ours.wPid = 1;
  ours.vDriverVersion = 0x0100;
  wcsncpy(ours.szPname, L"Kalvio test MIDI output", MAXPNAMELEN - 1);
  ours.wTechnology = MOD_MAPPER;
  ours.wChannelMask = 0xFFFF;
  std::memcpy(caps, &ours, std::min<std::size_t>(size, sizeof ours));
  return MMSYSERR_NOERROR;
}

}  // namespace
}  // namespace midi_output

DWORD WINAPI modMessage(UINT, UINT message, DWORD_PTR instance, DWORD_PTR param1,
                        DWORD_PTR param2) {
  using namespace midi_output;
  switch (message) {
    case DRVM_INIT:
    case DRVM_EXIT:
    case DRVM_ENABLE:
    case DRVM_DISABLE:
      return MMSYSERR_NOERROR;
    case MODM_GETNUMDEVS:
      return 1;
    case MODM_GETDEVCAPS:
      return DeviceCaps(reinterpret_cast<MIDIOUTCAPSW*>(param1), param2);
    case MODM_OPEN:
      return Open(reinterpret_cast<DWORD_PTR*>(instance),
                  reinterpret_cast<const MIDIOPENDESC*>(param1), param2);
    case MODM_CLOSE:
      return Close(instance);
    case MODM_DATA:
      return Data(param1);
    case MODM_LONGDATA:
      return LongData(instance, reinterpret_cast<MIDIHDR*>(param1), param2);
    case MODM_RESET:
      return Reset();
    default:
      // Preparing headers is left to the system.
      return MMSYSERR_NOTSUPPORTED;
  }
}

LRESULT CALLBACK DriverProc(DWORD_PTR, HDRVR driver, UINT message, LPARAM param1, LPARAM param2) {
  switch (message) {
    case DRV_LOAD:
    case DRV_FREE:
    case DRV_OPEN:
    case DRV_CLOSE:
    case DRV_ENABLE:
    case DRV_DISABLE:
      return 1;
    case DRV_QUERYCONFIGURE:
      return 0;
    default:
      return DefDriverProc(0, driver, message, param1, param2);
  }
}
