#pragma once

// The Media Control Interface as the Windows multimedia library defines it: command and flag
// values, the parameter records (packed as the system packs them) and `MciApi`, the two functions
// through which a media player drives a device.

#include <cstddef>
#include <string>

#include "multimedia/mmtypes.h"

namespace mm {

using MCIERROR = DWORD;
using MCIDEVICEID = UINT;

constexpr UINT MM_MCINOTIFY = 0x03B9;

// Commands.
constexpr UINT MCI_OPEN = 0x0803;
constexpr UINT MCI_CLOSE = 0x0804;
constexpr UINT MCI_PLAY = 0x0806;
constexpr UINT MCI_SEEK = 0x0807;
constexpr UINT MCI_STOP = 0x0808;
constexpr UINT MCI_PAUSE = 0x0809;
constexpr UINT MCI_INFO = 0x080A;
constexpr UINT MCI_GETDEVCAPS = 0x080B;
constexpr UINT MCI_SET = 0x080D;
constexpr UINT MCI_STATUS = 0x0814;
constexpr UINT MCI_WHERE = 0x0843;
constexpr UINT MCI_RESUME = 0x0855;

// Flags common to every command.
constexpr DWORD MCI_NOTIFY = 0x00000001;
constexpr DWORD MCI_WAIT = 0x00000002;
constexpr DWORD MCI_FROM = 0x00000004;
constexpr DWORD MCI_TO = 0x00000008;
constexpr DWORD MCI_TRACK = 0x00000010;

// MCI_OPEN flags.
constexpr DWORD MCI_OPEN_SHAREABLE = 0x00000100;
constexpr DWORD MCI_OPEN_ELEMENT = 0x00000200;
constexpr DWORD MCI_OPEN_ALIAS = 0x00000400;
constexpr DWORD MCI_OPEN_ELEMENT_ID = 0x00000800;
constexpr DWORD MCI_OPEN_TYPE_ID = 0x00001000;
constexpr DWORD MCI_OPEN_TYPE = 0x00002000;

// MCI_SEEK flags.
constexpr DWORD MCI_SEEK_TO_START = 0x00000100;
constexpr DWORD MCI_SEEK_TO_END = 0x00000200;

// MCI_STATUS flags and items.
constexpr DWORD MCI_STATUS_ITEM = 0x00000100;
constexpr DWORD MCI_STATUS_START = 0x00000200;
constexpr DWORD MCI_STATUS_LENGTH = 1;
constexpr DWORD MCI_STATUS_POSITION = 2;
constexpr DWORD MCI_STATUS_NUMBER_OF_TRACKS = 3;
constexpr DWORD MCI_STATUS_MODE = 4;
constexpr DWORD MCI_STATUS_MEDIA_PRESENT = 5;
constexpr DWORD MCI_STATUS_TIME_FORMAT = 6;
constexpr DWORD MCI_STATUS_READY = 7;
constexpr DWORD MCI_STATUS_CURRENT_TRACK = 8;

// MCI_GETDEVCAPS flags and items.
constexpr DWORD MCI_GETDEVCAPS_ITEM = 0x00000100;
constexpr DWORD MCI_GETDEVCAPS_CAN_RECORD = 1;
constexpr DWORD MCI_GETDEVCAPS_HAS_AUDIO = 2;
constexpr DWORD MCI_GETDEVCAPS_HAS_VIDEO = 3;
constexpr DWORD MCI_GETDEVCAPS_DEVICE_TYPE = 4;
constexpr DWORD MCI_GETDEVCAPS_USES_FILES = 5;
constexpr DWORD MCI_GETDEVCAPS_COMPOUND_DEVICE = 6;
constexpr DWORD MCI_GETDEVCAPS_CAN_EJECT = 7;
constexpr DWORD MCI_GETDEVCAPS_CAN_PLAY = 8;
constexpr DWORD MCI_GETDEVCAPS_CAN_SAVE = 9;

// MCI_SET flags.
constexpr DWORD MCI_SET_DOOR_OPEN = 0x00000100;
constexpr DWORD MCI_SET_DOOR_CLOSED = 0x00000200;
constexpr DWORD MCI_SET_TIME_FORMAT = 0x00000400;
constexpr DWORD MCI_SET_AUDIO = 0x00000800;
constexpr DWORD MCI_SET_VIDEO = 0x00001000;
constexpr DWORD MCI_SET_ON = 0x00002000;
constexpr DWORD MCI_SET_OFF = 0x00004000;

// MCI_WHERE flag of digital-video devices.
constexpr DWORD MCI_DGV_WHERE_SOURCE = 0x00020000;

// Device types answered by MCI_GETDEVCAPS_DEVICE_TYPE.
constexpr DWORD MCI_DEVTYPE_VCR = 513;
constexpr DWORD MCI_DEVTYPE_VIDEODISC = 514;
constexpr DWORD MCI_DEVTYPE_OVERLAY = 515;
constexpr DWORD MCI_DEVTYPE_CD_AUDIO = 516;
constexpr DWORD MCI_DEVTYPE_DAT = 517;
constexpr DWORD MCI_DEVTYPE_SCANNER = 518;
constexpr DWORD MCI_DEVTYPE_ANIMATION = 519;
constexpr DWORD MCI_DEVTYPE_DIGITAL_VIDEO = 520;
constexpr DWORD MCI_DEVTYPE_OTHER = 521;
constexpr DWORD MCI_DEVTYPE_WAVEFORM_AUDIO = 522;
constexpr DWORD MCI_DEVTYPE_SEQUENCER = 523;

// Modes answered by MCI_STATUS_MODE.
constexpr DWORD MCI_STRING_OFFSET = 512;
constexpr DWORD MCI_MODE_NOT_READY = MCI_STRING_OFFSET + 12;
constexpr DWORD MCI_MODE_STOP = MCI_STRING_OFFSET + 13;
constexpr DWORD MCI_MODE_PLAY = MCI_STRING_OFFSET + 14;
constexpr DWORD MCI_MODE_RECORD = MCI_STRING_OFFSET + 15;
constexpr DWORD MCI_MODE_SEEK = MCI_STRING_OFFSET + 16;
constexpr DWORD MCI_MODE_PAUSE = MCI_STRING_OFFSET + 17;
constexpr DWORD MCI_MODE_OPEN = MCI_STRING_OFFSET + 18;

// Time formats.
constexpr DWORD MCI_FORMAT_MILLISECONDS = 0;
constexpr DWORD MCI_FORMAT_HMS = 1;
constexpr DWORD MCI_FORMAT_MSF = 2;
constexpr DWORD MCI_FORMAT_FRAMES = 3;
constexpr DWORD MCI_FORMAT_SMPTE_24 = 4;
constexpr DWORD MCI_FORMAT_SMPTE_25 = 5;
constexpr DWORD MCI_FORMAT_SMPTE_30 = 6;
constexpr DWORD MCI_FORMAT_SMPTE_30DROP = 7;
constexpr DWORD MCI_FORMAT_BYTES = 8;
constexpr DWORD MCI_FORMAT_SAMPLES = 9;
constexpr DWORD MCI_FORMAT_TMSF = 10;

// Sequencer time formats.
constexpr DWORD MCI_SEQ_OFFSET = 1216;
constexpr DWORD MCI_SEQ_FORMAT_SONGPTR = 0x4001;

// Notification codes, the wParam of MM_MCINOTIFY.
constexpr WPARAM MCI_NOTIFY_SUCCESSFUL = 0x0001;
constexpr WPARAM MCI_NOTIFY_SUPERSEDED = 0x0002;
constexpr WPARAM MCI_NOTIFY_ABORTED = 0x0004;
constexpr WPARAM MCI_NOTIFY_FAILURE = 0x0008;

// Result codes.
constexpr MCIERROR MCIERR_BASE = 256;
constexpr MCIERROR MCIERR_INVALID_DEVICE_ID = MCIERR_BASE + 1;
constexpr MCIERROR MCIERR_UNRECOGNIZED_KEYWORD = MCIERR_BASE + 3;
constexpr MCIERROR MCIERR_UNRECOGNIZED_COMMAND = MCIERR_BASE + 5;
constexpr MCIERROR MCIERR_HARDWARE = MCIERR_BASE + 6;
constexpr MCIERROR MCIERR_INVALID_DEVICE_NAME = MCIERR_BASE + 7;
constexpr MCIERROR MCIERR_OUT_OF_MEMORY = MCIERR_BASE + 8;
constexpr MCIERROR MCIERR_DEVICE_OPEN = MCIERR_BASE + 9;
constexpr MCIERROR MCIERR_CANNOT_LOAD_DRIVER = MCIERR_BASE + 10;
constexpr MCIERROR MCIERR_MISSING_COMMAND_STRING = MCIERR_BASE + 11;
constexpr MCIERROR MCIERR_PARAM_OVERFLOW = MCIERR_BASE + 12;
constexpr MCIERROR MCIERR_MISSING_STRING_ARGUMENT = MCIERR_BASE + 13;
constexpr MCIERROR MCIERR_BAD_INTEGER = MCIERR_BASE + 14;
constexpr MCIERROR MCIERR_PARSER_INTERNAL = MCIERR_BASE + 15;
constexpr MCIERROR MCIERR_DRIVER_INTERNAL = MCIERR_BASE + 16;
constexpr MCIERROR MCIERR_MISSING_PARAMETER = MCIERR_BASE + 17;
constexpr MCIERROR MCIERR_UNSUPPORTED_FUNCTION = MCIERR_BASE + 18;
constexpr MCIERROR MCIERR_FILE_NOT_FOUND = MCIERR_BASE + 19;
constexpr MCIERROR MCIERR_DEVICE_NOT_READY = MCIERR_BASE + 20;
constexpr MCIERROR MCIERR_INTERNAL = MCIERR_BASE + 21;
constexpr MCIERROR MCIERR_DRIVER = MCIERR_BASE + 22;
constexpr MCIERROR MCIERR_CANNOT_USE_ALL = MCIERR_BASE + 23;
constexpr MCIERROR MCIERR_MULTIPLE = MCIERR_BASE + 24;
constexpr MCIERROR MCIERR_EXTENSION_NOT_FOUND = MCIERR_BASE + 25;
constexpr MCIERROR MCIERR_OUTOFRANGE = MCIERR_BASE + 26;
constexpr MCIERROR MCIERR_FLAGS_NOT_COMPATIBLE = MCIERR_BASE + 28;
constexpr MCIERROR MCIERR_FILE_NOT_SAVED = MCIERR_BASE + 30;
constexpr MCIERROR MCIERR_DEVICE_TYPE_REQUIRED = MCIERR_BASE + 31;
constexpr MCIERROR MCIERR_DEVICE_LOCKED = MCIERR_BASE + 32;
constexpr MCIERROR MCIERR_DUPLICATE_ALIAS = MCIERR_BASE + 33;
constexpr MCIERROR MCIERR_BAD_CONSTANT = MCIERR_BASE + 34;
constexpr MCIERROR MCIERR_MUST_USE_SHAREABLE = MCIERR_BASE + 35;
constexpr MCIERROR MCIERR_MISSING_DEVICE_NAME = MCIERR_BASE + 36;
constexpr MCIERROR MCIERR_BAD_TIME_FORMAT = MCIERR_BASE + 37;
constexpr MCIERROR MCIERR_NO_CLOSING_QUOTE = MCIERR_BASE + 38;
constexpr MCIERROR MCIERR_DUPLICATE_FLAGS = MCIERR_BASE + 39;
constexpr MCIERROR MCIERR_INVALID_FILE = MCIERR_BASE + 40;
constexpr MCIERROR MCIERR_NULL_PARAMETER_BLOCK = MCIERR_BASE + 41;
constexpr MCIERROR MCIERR_UNNAMED_RESOURCE = MCIERR_BASE + 42;
constexpr MCIERROR MCIERR_NEW_REQUIRES_ALIAS = MCIERR_BASE + 43;
constexpr MCIERROR MCIERR_NOTIFY_ON_AUTO_OPEN = MCIERR_BASE + 44;
constexpr MCIERROR MCIERR_NO_ELEMENT_ALLOWED = MCIERR_BASE + 45;
constexpr MCIERROR MCIERR_NONAPPLICABLE_FUNCTION = MCIERR_BASE + 46;
constexpr MCIERROR MCIERR_ILLEGAL_FOR_AUTO_OPEN = MCIERR_BASE + 47;
constexpr MCIERROR MCIERR_FILENAME_REQUIRED = MCIERR_BASE + 48;
constexpr MCIERROR MCIERR_EXTRA_CHARACTERS = MCIERR_BASE + 49;
constexpr MCIERROR MCIERR_DEVICE_NOT_INSTALLED = MCIERR_BASE + 50;
constexpr MCIERROR MCIERR_NO_INTEGER = MCIERR_BASE + 56;
constexpr MCIERROR MCIERR_SEQ_DIV_INCOMPATIBLE = MCIERR_BASE + 80;
constexpr MCIERROR MCIERR_SEQ_PORT_INUSE = MCIERR_BASE + 81;
constexpr MCIERROR MCIERR_SEQ_PORT_NONEXISTENT = MCIERR_BASE + 82;
constexpr MCIERROR MCIERR_SEQ_PORT_MAPNODEVICE = MCIERR_BASE + 83;
constexpr MCIERROR MCIERR_SEQ_PORT_MISCERROR = MCIERR_BASE + 84;
constexpr MCIERROR MCIERR_SEQ_TIMER = MCIERR_BASE + 85;
constexpr MCIERROR MCIERR_SEQ_PORTUNSPECIFIED = MCIERR_BASE + 86;
constexpr MCIERROR MCIERR_SEQ_NOMIDIPRESENT = MCIERR_BASE + 87;
constexpr MCIERROR MCIERR_NO_WINDOW = MCIERR_BASE + 90;
constexpr MCIERROR MCIERR_CREATEWINDOW = MCIERR_BASE + 91;
constexpr MCIERROR MCIERR_FILE_READ = MCIERR_BASE + 92;
constexpr MCIERROR MCIERR_FILE_WRITE = MCIERR_BASE + 93;

#pragma pack(push, 1)

struct MCI_GENERIC_PARMS {
  DWORD_PTR dwCallback;
};

struct MCI_OPEN_PARMSW {
  DWORD_PTR dwCallback;
  MCIDEVICEID wDeviceID;
  LPCWSTR lpstrDeviceType;
  LPCWSTR lpstrElementName;
  LPCWSTR lpstrAlias;
};

struct MCI_PLAY_PARMS {
  DWORD_PTR dwCallback;
  DWORD dwFrom;
  DWORD dwTo;
};

struct MCI_SEEK_PARMS {
  DWORD_PTR dwCallback;
  DWORD dwTo;
};

struct MCI_STATUS_PARMS {
  DWORD_PTR dwCallback;
  DWORD_PTR dwReturn;
  DWORD dwItem;
  DWORD dwTrack;
};

struct MCI_GETDEVCAPS_PARMS {
  DWORD_PTR dwCallback;
  DWORD dwReturn;
  DWORD dwItem;
};

struct MCI_SET_PARMS {
  DWORD_PTR dwCallback;
  DWORD dwTimeFormat;
  DWORD dwAudio;
};

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

struct MCI_DGV_RECT_PARMS {
  DWORD_PTR dwCallback;
  RECT rc;
};

#pragma pack(pop)

// Layouts as the system's: Windows backends pass the records to winmm as they are.
static_assert(sizeof(MCI_OPEN_PARMSW) == (kPointersAre32Bit ? 20 : 36));
static_assert(sizeof(MCI_STATUS_PARMS) == (kPointersAre32Bit ? 16 : 24));
static_assert(sizeof(MCI_DGV_RECT_PARMS) == (kPointersAre32Bit ? 20 : 24));

// mciSendCommandW and mciGetErrorStringW. On Windows the system's own; elsewhere our devices.
// A device posts MM_MCINOTIFY (wParam: notification code, lParam: device ID) to the window whose
// handle a command with MCI_NOTIFY carried in dwCallback.
class MciApi {
 public:
  virtual ~MciApi() = default;
  // dwParam is the address of the command's parameter record.
  virtual MCIERROR mciSendCommandW(MCIDEVICEID IDDevice, UINT uMsg, DWORD_PTR fdwCommand,
                                   DWORD_PTR dwParam) = 0;
  // Writes the text for fdwError into pszText (cchText characters, null included); FALSE when
  // the code has no text.
  virtual BOOL mciGetErrorStringW(MCIERROR fdwError, LPWSTR pszText, UINT cchText) = 0;
};

// The platform's MCI: the production default for components that take an MciApi.
MciApi& SystemMciApi();

// Starts readying the platform's devices in the background where a first open would otherwise
// wait long (on Linux the synthesiser loads its soundfont); Windows keeps its own ready.
void PrepareSystemMciApi();

// What keeps the platform's MCI from ever sounding, and what the user can do about it, as a
// message for a box at start-up; empty when nothing does (as far as can be told without loading
// anything). On Linux: no soundfont.
std::u16string SystemMciApiProblem();

}  // namespace mm
