// window-driver: drives zade-config-gui's window from outside, as a user
// would, for the tests: finds the window and its controls, chooses, clicks
// and reads. Each command is one run:
//   window-driver find MS                 waits for the window, prints "found"
//   window-driver ports                   the entries, "*" before the chosen one
//   window-driver choose-port INDEX       chooses an entry, as a click would
//   window-driver click ID                presses a button (a mode: its ID)
//   window-driver enabled ID              prints 1 or 0
//   window-driver result                  the result line, then its icon: "information
//                                         icon", "error icon" or "no icon"
//   window-driver focus                   the ID of the control with the focus
//   window-driver wait-result MS          waits until no run is on, prints the result
//   window-driver texts                   the caption, then each control's text, one a
//                                         line, in the Tab order
//   window-driver answers MS              the time the window takes to answer, in ms
//   window-driver drop-ports              drops the port list
//   window-driver device-change EVENT     sends WM_DEVICECHANGE with EVENT (DBT_*), as
//                                         Windows does, prints the window's answer
//   window-driver layout                  the controls' faults of layout, one a line,
//                                         then the window's DPI and the count
// Exit status 0, or 1 when the window or the control is not there in time.
#include <windows.h>
// windows.h first: dbt.h builds on it.
#include <dbt.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "window_ids.h"

namespace {

constexpr UINT kTimeoutMs = 5000;

// The window, whatever its language: the product's name is in each caption.
BOOL CALLBACK TakeTheWindow(HWND candidate, LPARAM found) {
  wchar_t title[256] = L"";
  GetWindowTextW(candidate, title, 256);
  if (std::wcsstr(title, L"ORX D-CAN") == nullptr || GetDlgItem(candidate, IDC_PORT) == nullptr) {
    return TRUE;
  }
  *reinterpret_cast<HWND*>(found) = candidate;
  return FALSE;
}

HWND Window() {
  HWND found = nullptr;
  EnumWindows(TakeTheWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Every read through SendMessageTimeout: a window that hangs fails the test
// instead of the driver.
bool Send(HWND control, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  return SendMessageTimeoutW(control, message, wParam, lParam, SMTO_ABORTIFHUNG, kTimeoutMs,
                             &result) != 0;
}

void PrintWide(const wchar_t* text) {
  char utf8[4096];
  if (WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr) == 0) {
    utf8[0] = '\0';
  }
  std::fputs(utf8, stdout);
}

bool ReadText(HWND control, wchar_t* text, int size) {
  DWORD_PTR length = 0;
  text[0] = L'\0';
  return Send(control, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(text),
              length);
}

int Find(DWORD ms) {
  for (DWORD waited = 0; waited <= ms; waited += 50) {
    if (Window() != nullptr) {
      std::puts("found");
      return 0;
    }
    Sleep(50);
  }
  return 1;
}

int Ports(HWND window) {
  const HWND list = GetDlgItem(window, IDC_PORT);
  DWORD_PTR count = 0, chosen = 0;
  if (!Send(list, CB_GETCOUNT, 0, 0, count) || !Send(list, CB_GETCURSEL, 0, 0, chosen)) return 1;
  for (DWORD_PTR i = 0; i < count; ++i) {
    wchar_t entry[1024] = L"";
    DWORD_PTR length = 0;
    Send(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry), length);
    std::fputs(i == chosen ? "* " : "  ", stdout);
    PrintWide(entry);
    std::puts("");
  }
  return 0;
}

// CB_SETCURSEL sends no CBN_SELCHANGE: the notification a click would send
// follows it.
int ChoosePort(HWND window, int index) {
  const HWND list = GetDlgItem(window, IDC_PORT);
  DWORD_PTR ignored = 0;
  if (!Send(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0, ignored)) return 1;
  return Send(window, WM_COMMAND, MAKEWPARAM(IDC_PORT, CBN_SELCHANGE),
              reinterpret_cast<LPARAM>(list), ignored)
             ? 0
             : 1;
}

int Click(HWND window, int id) {
  const HWND button = GetDlgItem(window, id);
  if (button == nullptr) return 1;
  // Posted, as a click is: a run started by it must not hold the driver.
  return PostMessageW(button, BM_CLICK, 0, 0) ? 0 : 1;
}

const char* IconName(HWND window) {
  if (IsWindowVisible(GetDlgItem(window, IDC_RESULT_ICON))) return "information icon";
  if (IsWindowVisible(GetDlgItem(window, IDC_RESULT_ERROR_ICON))) return "error icon";
  return "no icon";
}

int Result(HWND window) {
  wchar_t text[4096];
  if (!ReadText(GetDlgItem(window, IDC_RESULT), text, 4096)) return 1;
  PrintWide(text);
  std::printf("\n%s\n", IconName(window));
  return 0;
}

int Focus(HWND window) {
  GUITHREADINFO thread = {};
  thread.cbSize = sizeof thread;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &thread)) return 1;
  std::printf("%d\n", thread.hwndFocus != nullptr ? GetDlgCtrlID(thread.hwndFocus) : 0);
  return 0;
}

int WaitResult(HWND window, DWORD ms) {
  for (DWORD waited = 0; waited <= ms; waited += 50) {
    wchar_t text[4096];
    if (!ReadText(GetDlgItem(window, IDC_RESULT), text, 4096)) return 1;
    // In every language, the line of a run that is on ends with "...".
    const std::size_t length = std::wcslen(text);
    const bool running = length >= 3 && std::wcscmp(text + length - 3, L"...") == 0;
    if (!running && IsWindowEnabled(GetDlgItem(window, IDC_PORT))) return Result(window);
    Sleep(50);
  }
  return 1;
}

int Texts(HWND window) {
  const int ids[] = {IDC_PORT_LABEL, IDC_REFRESH,        IDC_MODE_GROUP,
                     IDC_MODE_FIRST, IDC_MODE_FIRST + 1, IDC_MODE_LAST,
                     IDOK,           IDC_RESULT_LABEL,   IDCANCEL};
  wchar_t text[256];
  if (!ReadText(window, text, 256)) return 1;
  PrintWide(text);
  std::puts("");
  for (const int id : ids) {
    if (!ReadText(GetDlgItem(window, id), text, 256)) return 1;
    PrintWide(text);
    std::puts("");
  }
  return 0;
}

int DeviceChange(HWND window, WPARAM event) {
  // As Windows sends a device's event: with the device it is about (a port).
  // Wine copies the structure to the window's process, and drops an event
  // without one.
  struct {
    DEV_BROADCAST_HDR header;
    wchar_t name[8];
  } port = {{sizeof port, DBT_DEVTYP_PORT, 0}, L"COM12"};
  const LPARAM device = event == DBT_DEVNODES_CHANGED ? 0 : reinterpret_cast<LPARAM>(&port);
  DWORD_PTR answer = 0;
  if (!Send(window, WM_DEVICECHANGE, event, device, answer)) return 1;
  std::printf("%ld\n", static_cast<long>(answer));
  return 0;
}

int Answers(HWND window) {
  const DWORD started = GetTickCount();
  DWORD_PTR ignored = 0;
  if (!Send(window, WM_NULL, 0, 0, ignored)) return 1;
  std::printf("%lu\n", static_cast<unsigned long>(GetTickCount() - started));
  return 0;
}

// The dialog's font, as the window makes it at its DPI: its template's 8
// points of MS Shell Dlg 2. (A font handle of the window's is of no use
// here: GDI objects belong to their process.)
HFONT DialogFont(unsigned dpi) {
  return CreateFontW(-MulDiv(8, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                     DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH, L"MS Shell Dlg 2");
}

// How wide a text is drawn in the dialog's font.
int TextWidth(HFONT font, const wchar_t* text, int length) {
  const HDC dc = CreateCompatibleDC(nullptr);
  const HGDIOBJ before = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text, length, &extent);
  SelectObject(dc, before);
  DeleteDC(dc);
  return extent.cx;
}

// The port list's faults: its closed text wider than the room beside the
// drop button, or an entry wider than the dropped list less its border and
// scroll bar.
int PortListFaults(HWND list, HFONT font) {
  int faults = 0;
  // The chosen entry, beside the drop button, inside the control's 3-D edge.
  // (GetWindowText and GetComboBoxInfo do not reach into another process.)
  DWORD_PTR chosen = 0, closedLength = 0;
  wchar_t text[1024] = L"";
  if (Send(list, CB_GETCURSEL, 0, 0, chosen) && static_cast<LRESULT>(chosen) >= 0) {
    Send(list, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(text), closedLength);
  }
  RECT own;
  GetWindowRect(list, &own);
  const int closedWidth = TextWidth(font, text, static_cast<int>(closedLength));
  const int closedRoom = static_cast<int>(own.right - own.left) - GetSystemMetrics(SM_CXVSCROLL) -
                         2 * GetSystemMetrics(SM_CXEDGE) - 4;
  if (closedWidth > closedRoom) {
    std::printf("port list: closed text %d wide in %d\n", closedWidth, closedRoom);
    ++faults;
  }
  DWORD_PTR count = 0, dropped = 0;
  Send(list, CB_GETCOUNT, 0, 0, count);
  Send(list, CB_GETDROPPEDWIDTH, 0, 0, dropped);
  const int room = static_cast<int>(dropped) - 2 * GetSystemMetrics(SM_CXBORDER) -
                   GetSystemMetrics(SM_CXVSCROLL) - 4;
  for (DWORD_PTR i = 0; i < count; ++i) {
    DWORD_PTR length = 0;
    if (!Send(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text), length)) continue;
    const int width = TextWidth(font, text, static_cast<int>(length));
    if (width > room) {
      std::printf("port list: entry %d %d wide in %d\n", static_cast<int>(i), width, room);
      ++faults;
    }
  }
  std::printf("port list: closed text %d wide in %d, %d entries, dropped %d wide\n", closedWidth,
              closedRoom, static_cast<int>(count), static_cast<int>(dropped));
  return faults;
}

// The window's own DPI, as Windows scales it; the screen's where the system
// cannot tell a window's.
unsigned WindowDpi(HWND window) {
  using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
  const auto getDpi = reinterpret_cast<GetDpiForWindowCall>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32"), "GetDpiForWindow")));
  if (getDpi != nullptr) return getDpi(window);
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return static_cast<unsigned>(dpi);
}

// Every control inside the client area, no two overlapping (a group box
// holds its buttons), and no text wider than its control, the port list's
// entries included.
int Layout(HWND window) {
  RECT client;
  GetClientRect(window, &client);
  HWND controls[32];
  int count = 0;
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr && count < 32;
       child = GetWindow(child, GW_HWNDNEXT)) {
    controls[count++] = child;
  }
  const unsigned dpi = WindowDpi(window);
  const HFONT font = DialogFont(dpi);
  int faults = 0;
  for (int i = 0; i < count; ++i) {
    RECT a;
    GetWindowRect(controls[i], &a);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&a), 2);
    const int id = GetDlgCtrlID(controls[i]);
    if (a.left < 0 || a.top < 0 || a.right > client.right || a.bottom > client.bottom) {
      std::printf("control %d outside the client area\n", id);
      ++faults;
    }
    for (int j = i + 1; j < count; ++j) {
      RECT b, both;
      GetWindowRect(controls[j], &b);
      MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&b), 2);
      const int other = GetDlgCtrlID(controls[j]);
      // The group box holds its buttons; the two icons take the same place.
      const bool group = id == IDC_MODE_GROUP || other == IDC_MODE_GROUP;
      const bool icons = id == IDC_RESULT_ICON && other == IDC_RESULT_ERROR_ICON;
      if (IntersectRect(&both, &a, &b) && !group && !icons) {
        std::printf("controls %d and %d overlap\n", id, other);
        ++faults;
      }
    }
    // The text as drawn: an ampersand marks the mnemonic and takes no room.
    wchar_t raw[256], text[256];
    GetWindowTextW(controls[i], raw, 256);
    int length = 0;
    for (const wchar_t* c = raw; *c != L'\0'; ++c) {
      if (*c != L'&') text[length++] = *c;
    }
    text[length] = L'\0';
    if (id == IDC_PORT) faults += PortListFaults(controls[i], font);
    if (length == 0 || id == IDC_PORT || id == IDC_RESULT) continue;
    const int width = TextWidth(font, text, length);
    int room = a.right - a.left;
    wchar_t kind[32] = L"";
    GetClassNameW(controls[i], kind, 32);
    const LONG style = GetWindowLongW(controls[i], GWL_STYLE) & BS_TYPEMASK;
    if (lstrcmpiW(kind, L"Button") == 0 && style == BS_AUTORADIOBUTTON) {
      room -= GetSystemMetrics(SM_CXMENUCHECK) + 3;  // the circle and the gap after it
    }
    if (width > room) {
      std::printf("control %d: text %d wide in %d\n", id, width, room);
      ++faults;
    }
  }
  DeleteObject(font);
  std::printf("window at %u DPI, %ld x %ld client\n", dpi, static_cast<long>(client.right),
              static_cast<long>(client.bottom));
  std::printf("%d controls, %d faults\n", count, faults);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  // In the window's pixels, as the window itself lays them out: a program
  // unaware of the DPI gets other windows' sizes scaled to 96 DPI (Wine 10,
  // as Windows does).
  SetProcessDPIAware();
  const char* command = argv[1];
  const int value = argc > 2 ? std::atoi(argv[2]) : 0;
  if (std::strcmp(command, "find") == 0) return Find(static_cast<DWORD>(value));
  const HWND window = Window();
  if (window == nullptr) return 1;
  if (std::strcmp(command, "ports") == 0) return Ports(window);
  if (std::strcmp(command, "choose-port") == 0) return ChoosePort(window, value);
  if (std::strcmp(command, "click") == 0) return Click(window, value);
  if (std::strcmp(command, "enabled") == 0) {
    std::puts(IsWindowEnabled(GetDlgItem(window, value)) ? "1" : "0");
    return 0;
  }
  if (std::strcmp(command, "result") == 0) return Result(window);
  if (std::strcmp(command, "wait-result") == 0)
    return WaitResult(window, static_cast<DWORD>(value));
  if (std::strcmp(command, "texts") == 0) return Texts(window);
  if (std::strcmp(command, "answers") == 0) return Answers(window);
  if (std::strcmp(command, "focus") == 0) return Focus(window);
  if (std::strcmp(command, "layout") == 0) return Layout(window);
  if (std::strcmp(command, "device-change") == 0) return DeviceChange(window, value);
  if (std::strcmp(command, "drop-ports") == 0) {
    return PostMessageW(GetDlgItem(window, IDC_PORT), CB_SHOWDROPDOWN, TRUE, 0) ? 0 : 1;
  }
  return 2;
}
