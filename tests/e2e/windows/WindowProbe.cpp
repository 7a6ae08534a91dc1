// Looks at the windows of another program as the system sees them, for the end-to-end tests:
//   window-probe window <class> <title> [seconds]   the top-level window and every control in it
//   window-probe dialog <title> [seconds]           a dialog box (a message box) and its controls
//   window-probe count <class> <title>              how many such top-level windows exist
//   window-probe minimize <class> <title>           what the title bar's minimise button does
//   window-probe appcommand <class> <title> <n>     what a media key sends to the focused
//                                                   control: WM_APPCOMMAND, command <n>
// A wait of [seconds] for the window to appear; exit code 1 when it does not. Output is UTF-8,
// one line per window: its kind, then name=value pairs.
#include <windows.h>

#include <commctrl.h>

#include <array>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& text) {
  if (text.empty()) {
    return {};
  }
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

void Print(const std::string& line) {
  const std::string withEnd = line + "\n";
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), withEnd.data(), static_cast<DWORD>(withEnd.size()),
            &written, nullptr);
}

// Through WM_GETTEXT, which the system carries across processes.
std::wstring TextOf(HWND window) {
  std::array<wchar_t, 1024> text{};
  SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  return text.data();
}

std::wstring ClassOf(HWND window) {
  std::array<wchar_t, 128> name{};
  GetClassNameW(window, name.data(), static_cast<int>(name.size()));
  return name.data();
}

std::string Number(LRESULT value) {
  return std::to_string(static_cast<long long>(value));
}

std::string Flag(bool value) {
  return value ? "1" : "0";
}

std::string ButtonKind(LONG style) {
  switch (style & BS_TYPEMASK) {
    case BS_GROUPBOX:
      return "groupbox";
    case BS_AUTOCHECKBOX:
    case BS_CHECKBOX:
      return "checkbox";
    case BS_OWNERDRAW:
      return "ownerdraw";
    default:
      return "push";
  }
}

// What the control of this class shows beyond its text.
std::string Details(HWND control, const std::wstring& windowClass, LONG style) {
  if (windowClass == TRACKBAR_CLASSW) {
    return " range=" + Number(SendMessageW(control, TBM_GETRANGEMIN, 0, 0)) + ".." +
           Number(SendMessageW(control, TBM_GETRANGEMAX, 0, 0)) +
           " position=" + Number(SendMessageW(control, TBM_GETPOS, 0, 0)) +
           " selection=" + Number(SendMessageW(control, TBM_GETSELSTART, 0, 0)) + ".." +
           Number(SendMessageW(control, TBM_GETSELEND, 0, 0)) +
           " ticks=" + Number(SendMessageW(control, TBM_GETNUMTICS, 0, 0)) +
           " vertical=" + Flag((style & TBS_VERT) != 0);
  }
  if (windowClass == WC_LISTBOXW) {
    const LRESULT selected = SendMessageW(control, LB_GETCURSEL, 0, 0);
    std::string details = " rows=" + Number(SendMessageW(control, LB_GETCOUNT, 0, 0)) +
                          " selected=" + Number(selected == LB_ERR ? -1 : selected);
    if (selected != LB_ERR) {
      std::array<wchar_t, 512> row{};
      SendMessageW(control, LB_GETTEXT, static_cast<WPARAM>(selected),
                   reinterpret_cast<LPARAM>(row.data()));
      details += " selectedRow=" + Utf8(row.data());
    }
    return details + " rowHeight=" + Number(SendMessageW(control, LB_GETITEMHEIGHT, 0, 0));
  }
  if (windowClass == WC_BUTTONW) {
    const std::string kind = ButtonKind(style);
    return " kind=" + kind +
           (kind == "checkbox"
                ? " checked=" + Flag(SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED)
                : "");
  }
  if (windowClass == WC_STATICW && (style & SS_TYPEMASK) == SS_ICON) {
    return " icon=" + Flag(SendMessageW(control, STM_GETICON, 0, 0) != 0);
  }
  return {};
}

BOOL CALLBACK DescribeControl(HWND control, LPARAM /*unused*/) {
  const std::wstring windowClass = ClassOf(control);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  HWND parent = GetParent(control);
  RECT bounds{};
  GetWindowRect(control, &bounds);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
  const bool inForm = GetAncestor(control, GA_ROOT) == parent;
  Print("control class=" + Utf8(windowClass) + " text=" + Utf8(TextOf(control)) + " in=" +
        (inForm ? std::string("window") : Utf8(TextOf(parent))) + " at=" + Number(bounds.left) +
        "," + Number(bounds.top) + " size=" + Number(bounds.right - bounds.left) + "x" +
        Number(bounds.bottom - bounds.top) + " enabled=" + Flag(IsWindowEnabled(control) != 0) +
        " visible=" + Flag((style & WS_VISIBLE) != 0) + Details(control, windowClass, style));
  return TRUE;
}

void Describe(const char* kind, HWND window) {
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  RECT client{};
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  RECT outer{};
  GetWindowRect(window, &outer);
  HWND owner = GetWindow(window, GW_OWNER);
  Print(std::string(kind) + " class=" + Utf8(ClassOf(window)) + " title=" + Utf8(TextOf(window)) +
        " iconic=" + Flag(IsIconic(window) != 0) +
        " visible=" + Flag(IsWindowVisible(window) != 0) +
        " foreground=" + Flag(GetForegroundWindow() == window) +
        " minimizebox=" + Flag((style & WS_MINIMIZEBOX) != 0) +
        " maximizebox=" + Flag((style & WS_MAXIMIZEBOX) != 0) +
        " sizable=" + Flag((style & WS_THICKFRAME) != 0) + " client=" + Number(client.right) + "x" +
        Number(client.bottom) + " at=" + Number(outer.left) + "," + Number(outer.top) +
        " clientAt=" + Number(origin.x) + "," + Number(origin.y) +
        " owner=" + (owner != nullptr ? Utf8(ClassOf(owner)) : std::string("none")));
  EnumChildWindows(window, DescribeControl, 0);
}

HWND WaitFor(const wchar_t* windowClass, const wchar_t* title, int seconds) {
  for (int tries = seconds * 10;; --tries) {
    HWND window = FindWindowW(windowClass, title);
    if ((window != nullptr && IsWindowVisible(window)) || tries <= 0) {
      return window;
    }
    Sleep(100);
  }
}

struct Counting {
  std::wstring windowClass;
  std::wstring title;
  int count = 0;
};

BOOL CALLBACK CountWindow(HWND window, LPARAM counting) {
  auto& state = *reinterpret_cast<Counting*>(counting);
  if (ClassOf(window) == state.windowClass && TextOf(window) == state.title) {
    ++state.count;
  }
  return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv);

int wmain(int argc, wchar_t** argv) {
  const std::vector<std::wstring> args(argv + 1, argv + argc);
  const auto seconds = [&](std::size_t at) {
    return args.size() > at ? _wtoi(args[at].c_str()) : 0;
  };
  if (args.size() >= 3 && args[0] == L"window") {
    HWND window = WaitFor(args[1].c_str(), args[2].c_str(), seconds(3));
    if (window == nullptr) {
      return 1;
    }
    Describe("window", window);
  } else if (args.size() >= 2 && args[0] == L"dialog") {
    HWND dialog = WaitFor(L"#32770", args[1].c_str(), seconds(2));
    if (dialog == nullptr) {
      return 1;
    }
    Describe("dialog", dialog);
  } else if (args.size() >= 3 && args[0] == L"count") {
    Counting counting{args[1], args[2]};
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&counting));
    Print(std::to_string(counting.count));
  } else if (args.size() >= 3 && args[0] == L"minimize") {
    HWND window = FindWindowW(args[1].c_str(), args[2].c_str());
    if (window == nullptr) {
      return 1;
    }
    SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  } else if (args.size() >= 4 && args[0] == L"appcommand") {
    HWND window = FindWindowW(args[1].c_str(), args[2].c_str());
    if (window == nullptr) {
      return 1;
    }
    // The focused control passes what it does not handle on to its parent, up to the window.
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread);
    HWND target = thread.hwndFocus != nullptr ? thread.hwndFocus : window;
    const auto command = static_cast<WORD>(_wtoi(args[3].c_str()) | FAPPCOMMAND_KEY);
    SendMessageW(target, WM_APPCOMMAND, reinterpret_cast<WPARAM>(target), MAKELPARAM(0, command));
  } else {
    Print("usage: window-probe window|dialog|count|minimize|appcommand ...");
    return 2;
  }
  return 0;
}
