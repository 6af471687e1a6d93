#include "window_win.h"

#include <commctrl.h>
#include <dbt.h>

#include "window_ids.h"
#include "window_model.h"

namespace {

constexpr UINT kRunEnded = WM_APP + 1;
// A burst of device changes reads the ports once, after it.
constexpr UINT_PTR kPortsChangedTimer = 1;
constexpr UINT kPortsChangedDelayMs = 500;
// Close during a run: the program ends at the latest then.
constexpr UINT_PTR kCloseTimer = 2;

// The system's icons beside the result, each a control of its own in the same
// place. Their macros are of the ANSI calls; the IDs are the same.
enum class Mark { None, Information, Error };
const LPCWSTR kInformationIcon = reinterpret_cast<LPCWSTR>(IDI_INFORMATION);
const LPCWSTR kErrorIcon = reinterpret_cast<LPCWSTR>(IDI_ERROR);
constexpr int kMaxWide = 2048;

// The ports listed. Too large for a stack; at namespace scope, and all zeros,
// it costs the exe nothing.
PortTable gPorts;

// The window's state.
struct WindowState {
  const WindowSystem* system = nullptr;
  HWND dialog = nullptr;
  WindowFlow flow;
  // The run: what the worker reads, and what it leaves for the window.
  PortArgument target;
  CanBusMode mode = 0;
  OneShotOutcome outcome{};
  Language language = Language::English;
};
WindowState gWindow;

HWND Control(int id) {
  return GetDlgItem(gWindow.dialog, id);
}

// The window keeps its texts in UTF-8; its controls take UTF-16.
void ToWide(const char* utf8, wchar_t (&wide)[kMaxWide]) {
  gWindow.system->toWide(utf8, wide, kMaxWide);
}

void SetText(HWND control, const char* utf8) {
  wchar_t wide[kMaxWide];
  ToWide(utf8, wide);
  SetWindowTextW(control, wide);
}

void UpdateControls() {
  const bool idle = !gWindow.flow.Running();
  EnableWindow(Control(IDC_PORT), idle);
  EnableWindow(Control(IDC_REFRESH), idle);
  for (int id = IDC_MODE_FIRST; id <= IDC_MODE_LAST; ++id) EnableWindow(Control(id), idle);
  EnableWindow(Control(IDOK), gWindow.flow.MayWrite());
}

// The keyboard focus on a control, as Tab would put it there.
void Focus(int id) {
  SendMessageW(gWindow.dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Control(id)), TRUE);
}

// The result line, and the system's information or error icon beside it.
void ShowResult(const char* text, Mark mark) {
  SetText(Control(IDC_RESULT), text);
  ShowWindow(Control(IDC_RESULT_ICON), mark == Mark::Information ? SW_SHOW : SW_HIDE);
  ShowWindow(Control(IDC_RESULT_ERROR_ICON), mark == Mark::Error ? SW_SHOW : SW_HIDE);
}

// Every text of the dialog, in the window's language.
void SetTexts(const Catalog& texts) {
  SetText(gWindow.dialog, texts.caption);
  SetText(Control(IDC_PORT_LABEL), texts.portLabel);
  SetText(Control(IDC_REFRESH), texts.refresh);
  SetText(Control(IDC_MODE_GROUP), texts.modeGroup);
  for (int i = 0; i < kModeChoiceCount; ++i) SetText(Control(IDC_MODE_FIRST + i), texts.modes[i]);
  SetText(Control(IDOK), texts.write);
  SetText(Control(IDC_RESULT_LABEL), texts.resultLabel);
  SetText(Control(IDCANCEL), texts.close);
}

// The product's icon at the size the system asks for, drawn for it rather
// than scaled from another.
void SetWindowIcon(WPARAM which, int width, int height) {
  const HANDLE icon = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON,
                                 GetSystemMetrics(width), GetSystemMetrics(height), 0);
  SendMessageW(gWindow.dialog, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
}

void SetIcon(int id, LPCWSTR icon) {
  SendMessageW(Control(id), STM_SETICON, reinterpret_cast<WPARAM>(LoadIconW(nullptr, icon)), 0);
}

// The port list drops as wide as its widest entry, which the closed control
// may cut: a long friendly name stays readable there.
void SetDroppedWidth(HWND list) {
  const HDC dc = GetDC(list);
  const HGDIOBJ font =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(list, WM_GETFONT, 0, 0)));
  int widest = 0;
  for (const PortFacts& port : gPorts) {
    wchar_t entry[kMaxWide];
    ToWide(PortEntry(port).c_str(), entry);
    SIZE extent{};
    GetTextExtentPoint32W(dc, entry, lstrlenW(entry), &extent);
    if (extent.cx > widest) widest = extent.cx;
  }
  SelectObject(dc, font);
  ReleaseDC(list, dc);
  RECT own;
  GetWindowRect(list, &own);
  // The list's border and item margins, and its scroll bar.
  const int frame = 4 * GetSystemMetrics(SM_CXEDGE) + GetSystemMetrics(SM_CXVSCROLL);
  const int width =
      DroppedListWidth(widest, frame, own.right - own.left, GetSystemMetrics(SM_CXSCREEN));
  SendMessageW(list, CB_SETDROPPEDWIDTH, static_cast<WPARAM>(width), 0);
}

// Reads the ports again, keeping the chosen one where it is still there.
void ReadPorts() {
  int& chosen = gWindow.flow.chosenPort;
  const PortNameText previous = chosen >= 0 ? gPorts.ports[chosen].name : PortNameText();
  // With no port listed the result line says so; it goes once one is.
  const bool showedNoPort = gPorts.count == 0;
  gPorts.count = 0;
  gWindow.system->enumeratePorts(gPorts);
  PrepareForListing(gPorts);
  const HWND list = Control(IDC_PORT);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const PortFacts& port : gPorts) {
    wchar_t entry[kMaxWide];
    ToWide(PortEntry(port).c_str(), entry);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
  }
  SetDroppedWidth(list);
  chosen = ChosenEntry(gPorts, previous.c_str());
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(chosen), 0);
  if (gPorts.count == 0) {
    ShowResult(CatalogFor(gWindow.language).noPort, Mark::None);
  } else if (showedNoPort) {
    ShowResult("", Mark::None);
  }
  UpdateControls();
}

DWORD WINAPI RunExchange(LPVOID) {
  gWindow.outcome = gWindow.system->setMode(gWindow.target, gWindow.mode);
  PostMessageW(gWindow.dialog, kRunEnded, 0, 0);
  return 0;
}

void StartRun() {
  WindowFlow& flow = gWindow.flow;
  if (!flow.StartRun()) return;
  const PortFacts& port = gPorts.ports[flow.chosenPort];
  gWindow.target = ListedPort(port);
  gWindow.mode = kModeChoices[flow.chosenMode];
  ShowResult(WritingText(gWindow.language, flow.chosenMode, port).c_str(), Mark::None);
  // The focus goes to a control that stays on, so the keyboard still reaches
  // the window (Esc, Tab).
  Focus(IDC_RESULT);
  UpdateControls();
  const HANDLE worker = CreateThread(nullptr, 0, RunExchange, nullptr, 0, nullptr);
  if (worker == nullptr) {
    flow.RunNotStarted();
    ShowResult("The exchange could not be started.", Mark::Error);
    UpdateControls();
    return;
  }
  CloseHandle(worker);
}

void EndRun() {
  const WindowFlow::AfterRun next = gWindow.flow.EndRun();
  if (next == WindowFlow::AfterRun::Close) {
    DestroyWindow(gWindow.dialog);
    return;
  }
  ShowResult(OutcomeText(gWindow.language, gWindow.outcome).c_str(),
             gWindow.outcome.status == kExitDone ? Mark::Information : Mark::Error);
  if (next == WindowFlow::AfterRun::ShowOutcomeAndReadPorts) ReadPorts();
  UpdateControls();
  Focus(IsWindowEnabled(Control(IDOK)) ? IDOK : IDC_PORT);
}

void ReadPortsOrWait() {
  if (gWindow.flow.RequestPortRead()) ReadPorts();
}

// During a run the window goes, and the program ends once the run has: it
// sends nothing more. A port whose driver never completes a call must not
// keep an invisible program holding it: it ends anyway after a while.
void Close() {
  if (gWindow.flow.RequestClose()) {
    DestroyWindow(gWindow.dialog);
  } else {
    ShowWindow(gWindow.dialog, SW_HIDE);
    SetTimer(gWindow.dialog, kCloseTimer, kCloseAtLatestMs, nullptr);
  }
}

void Timer(UINT_PTR timer) {
  KillTimer(gWindow.dialog, timer);
  if (timer == kPortsChangedTimer) ReadPortsOrWait();
  // The worker is still in a call of the port's driver.
  if (timer == kCloseTimer) TerminateProcess(GetCurrentProcess(), 0);
}

// Windows asks for an answer to a query only; other events are news.
INT_PTR DeviceChange(WPARAM event) {
  if (event == DBT_DEVICEARRIVAL || event == DBT_DEVICEREMOVECOMPLETE ||
      event == DBT_DEVNODES_CHANGED) {
    SetTimer(gWindow.dialog, kPortsChangedTimer, kPortsChangedDelayMs, nullptr);
  }
  if (event != DBT_DEVICEQUERYREMOVE && event != DBT_QUERYCHANGECONFIG) return FALSE;
  SetWindowLongPtrW(gWindow.dialog, DWLP_MSGRESULT, TRUE);
  return TRUE;
}

void Command(int id, int notification) {
  if (id == IDC_PORT && notification == CBN_SELCHANGE) {
    gWindow.flow.chosenPort = static_cast<int>(SendMessageW(Control(IDC_PORT), CB_GETCURSEL, 0, 0));
    UpdateControls();
  } else if (id >= IDC_MODE_FIRST && id <= IDC_MODE_LAST && notification == BN_CLICKED) {
    gWindow.flow.chosenMode = id - IDC_MODE_FIRST;
    UpdateControls();
  } else if (id == IDC_REFRESH) {
    ReadPortsOrWait();
  } else if (id == IDOK) {
    StartRun();
  } else if (id == IDCANCEL) {
    Close();
  }
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: {
      gWindow.dialog = dialog;
      SetWindowIcon(ICON_BIG, SM_CXICON, SM_CYICON);
      SetWindowIcon(ICON_SMALL, SM_CXSMICON, SM_CYSMICON);
      SetTexts(CatalogFor(gWindow.language));
      SetIcon(IDC_RESULT_ICON, kInformationIcon);
      SetIcon(IDC_RESULT_ERROR_ICON, kErrorIcon);
      ReadPorts();
      return TRUE;
    }
    case WM_COMMAND:
      Command(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_DEVICECHANGE:
      return DeviceChange(wParam);
    case WM_TIMER:
      Timer(wParam);
      return TRUE;
    case kRunEnded:
      EndRun();
      return TRUE;
    case WM_CLOSE:
      Close();
      return TRUE;
    case WM_DESTROY:
      PostQuitMessage(0);
      return TRUE;
    default:
      return FALSE;
  }
}

// What failed, with the system's message for the error.
void ShowSystemError(const wchar_t* what, DWORD error) {
  wchar_t reason[512] = L"";
  FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                 reason, sizeof reason / sizeof reason[0], nullptr);
  wchar_t text[640];
  wsprintfW(text, L"%s: %s", what, reason[0] != L'\0' ? reason : L"no message for this error.");
  MessageBoxW(nullptr, text, L"zade-config-gui", MB_OK | MB_ICONERROR);
}

}  // namespace

int RunWindow(HINSTANCE instance, const WindowSystem& system) {
  InitCommonControls();  // the visual styles' controls
  gWindow.system = &system;
  // The language of Windows' own texts; the program picks its texts itself,
  // since resource loaders pick blocks by rules of their own.
  gWindow.language = LanguageForPrimary(PRIMARYLANGID(GetUserDefaultUILanguage()));
  const HWND dialog =
      CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_WINDOW), nullptr, DialogProc, 0);
  if (dialog == nullptr) {
    ShowSystemError(L"CreateDialogParamW failed", GetLastError());
    return 1;
  }
  ShowWindow(dialog, SW_SHOW);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // F5 reads the ports again, wherever the focus is.
    if (message.message == WM_KEYDOWN && message.wParam == VK_F5) {
      ReadPortsOrWait();
      continue;
    }
    if (IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
