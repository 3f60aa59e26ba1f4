// ksv-probe: a small console program that the end-to-end tests run inside
// the program's Wine session to look at its windows from the Win32 side
// (inside a Wine virtual desktop they are not X windows of their own).
//
//   ksv-probe [--desktop NAME] COMMAND ...
//   ksv-probe windows                     every top-level window, one a line
//   ksv-probe find TITLE [CLASS]          the first visible top-level window
//   ksv-probe children HWND               its child windows
//   ksv-probe text HWND                   its text
//   ksv-probe close HWND                  posts WM_CLOSE
//   ksv-probe command HWND ID             posts WM_COMMAND ID
//   ksv-probe statustext HWND PART        a status bar part's text
//   ksv-probe foreground                  the foreground window
//   ksv-probe focus                       the window that takes the keys
//   ksv-probe sync HWND                   waits until the window's thread is idle
//   ksv-probe post HWND MSG WPARAM LPARAM posts a message (numbers in decimal)
//   ksv-probe trayicon HWND ID            whether the window's tray icon exists
//   ksv-probe checked HWND                a button's check state (0, 1 or 2)
//   ksv-probe enabled HWND                whether the window is enabled (0 or 1)
//
// A window is printed as: hwnd<TAB>class<TAB>title<TAB>visible<TAB>l,t,r,b
// in UTF-8. Exit status 0 when something was found, 1 when not, 2 on
// bad usage.
#include <windows.h>
// After <windows.h>, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), static_cast<int>(w.size()), s.data(), n, nullptr, nullptr);
  return s;
}

std::wstring TextOf(HWND h) {
  wchar_t buf[1024] = {};
  // Ask with a timeout so a hung program does not hang the probe.
  DWORD_PTR len = 0;
  SendMessageTimeoutW(h, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), SMTO_ABORTIFHUNG, 2000, &len);
  return buf;
}

std::wstring ClassOf(HWND h) {
  wchar_t buf[256] = {};
  GetClassNameW(h, buf, 256);
  return buf;
}

void Print(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  std::printf("%llu\t%s\t%s\t%d\t%ld,%ld,%ld,%ld\n",
              static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(h)), Utf8(ClassOf(h)).c_str(),
              Utf8(TextOf(h)).c_str(), IsWindowVisible(h) ? 1 : 0, r.left, r.top, r.right, r.bottom);
}

std::vector<HWND> TopLevel() {
  std::vector<HWND> all;
  EnumWindows(
      [](HWND h, LPARAM p) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&all));
  return all;
}

HWND ParseHwnd(const wchar_t* s) {
  return reinterpret_cast<HWND>(static_cast<UINT_PTR>(_wcstoui64(s, nullptr, 10)));
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  // The program runs in a Wine virtual desktop of its own; windows are
  // only seen and reached from a thread attached to that desktop.
  if (argc >= 3 && std::wstring(argv[1]) == L"--desktop") {
    HDESK desk = OpenDesktopW(argv[2], 0, FALSE, GENERIC_ALL);
    if (!desk || !SetThreadDesktop(desk)) return 1;
    argc -= 2;
    argv += 2;
  }
  if (argc < 2) return 2;
  const std::wstring cmd = argv[1];
  if (cmd == L"windows") {
    for (HWND h : TopLevel()) Print(h);
    return 0;
  }
  if (cmd == L"find" && argc >= 3) {
    for (HWND h : TopLevel()) {
      if (!IsWindowVisible(h)) continue;
      if (TextOf(h) != argv[2]) continue;
      if (argc >= 4 && ClassOf(h) != argv[3]) continue;
      Print(h);
      return 0;
    }
    return 1;
  }
  if (cmd == L"children" && argc >= 3) {
    EnumChildWindows(
        ParseHwnd(argv[2]),
        [](HWND h, LPARAM) -> BOOL {
          Print(h);
          return TRUE;
        },
        0);
    return 0;
  }
  if (cmd == L"text" && argc >= 3) {
    HWND h = ParseHwnd(argv[2]);
    if (!IsWindow(h)) return 1;
    std::printf("%s\n", Utf8(TextOf(h)).c_str());
    return 0;
  }
  if (cmd == L"close" && argc >= 3) {
    return PostMessageW(ParseHwnd(argv[2]), WM_CLOSE, 0, 0) ? 0 : 1;
  }
  if (cmd == L"command" && argc >= 4) {
    return PostMessageW(ParseHwnd(argv[2]), WM_COMMAND, MAKEWPARAM(_wtoi(argv[3]), 0), 0) ? 0 : 1;
  }
  if (cmd == L"post" && argc >= 6) {
    return PostMessageW(ParseHwnd(argv[2]), static_cast<UINT>(_wtoi(argv[3])),
                        static_cast<WPARAM>(_wcstoui64(argv[4], nullptr, 10)),
                        static_cast<LPARAM>(_wcstoi64(argv[5], nullptr, 10)))
               ? 0
               : 1;
  }
  if (cmd == L"trayicon" && argc >= 4) {
    // Modifying nothing succeeds exactly when the icon is there.
    NOTIFYICONDATAW nid{};
    nid.cbSize = sizeof(nid);
    nid.hWnd = ParseHwnd(argv[2]);
    nid.uID = static_cast<UINT>(_wtoi(argv[3]));
    // shell32 is loaded here only, so the probe links with the basics.
    using NotifyFn = BOOL(WINAPI*)(DWORD, NOTIFYICONDATAW*);
    HMODULE shell = LoadLibraryW(L"shell32.dll");
    auto notify =
        shell
            ? reinterpret_cast<NotifyFn>(reinterpret_cast<void*>(GetProcAddress(shell, "Shell_NotifyIconW")))
            : nullptr;
    const bool present = notify && notify(NIM_MODIFY, &nid) != FALSE;
    std::printf("%d\n", present ? 1 : 0);
    return present ? 0 : 1;
  }
  if (cmd == L"checked" && argc >= 3) {
    DWORD_PTR state = 0;
    SendMessageTimeoutW(ParseHwnd(argv[2]), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 2000, &state);
    std::printf("%d\n", static_cast<int>(state));
    return 0;
  }
  if (cmd == L"enabled" && argc >= 3) {
    std::printf("%d\n", IsWindowEnabled(ParseHwnd(argv[2])) ? 1 : 0);
    return 0;
  }
  if (cmd == L"foreground") {
    HWND h = GetForegroundWindow();
    if (!h) return 1;
    Print(h);
    return 0;
  }
  if (cmd == L"sync" && argc >= 3) {
    // Returns once the window's thread has come back to its message loop,
    // so everything queued before (input included) has been handled.
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(ParseHwnd(argv[2]), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &result) ? 0 : 1;
  }
  if (cmd == L"focus") {
    // The window that takes the keys: the keyboard focus of the foreground
    // window's thread (its active window when nothing has the focus).
    HWND fg = GetForegroundWindow();
    if (!fg) return 1;
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(fg, nullptr), &info)) return 1;
    HWND h = info.hwndFocus ? info.hwndFocus : info.hwndActive;
    if (!h) return 1;
    Print(h);
    return 0;
  }
  if (cmd == L"statustext" && argc >= 4) {
    // The status bar lives in another process: read the text through a
    // buffer allocated there.
    HWND h = ParseHwnd(argv[2]);
    const int part = _wtoi(argv[3]);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    HANDLE proc = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (!proc) return 1;
    void* remote = VirtualAllocEx(proc, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
    DWORD_PTR res = 0;
    SendMessageTimeoutW(h, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 2000, &res);
    wchar_t buf[2048] = {};
    SIZE_T got = 0;
    ReadProcessMemory(proc, remote, buf, sizeof(buf) - sizeof(wchar_t), &got);
    VirtualFreeEx(proc, remote, 0, MEM_RELEASE);
    CloseHandle(proc);
    std::printf("%s\n", Utf8(buf).c_str());
    return 0;
  }
  return 2;
}
