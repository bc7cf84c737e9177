// A preview pane such as the Windows screen-saver settings show, for the
// end-to-end checks: preview-host REPORT SAVER STOPFILE opens a 152x112
// pane, starts "SAVER /p PANE" and writes "pane HANDLE X Y WIDTH HEIGHT"
// (its client area on the screen) to REPORT. Once STOPFILE exists it
// destroys the pane, waits up to 5 s for the saver and adds "exit CODE MS",
// MS being the time from the destruction to the saver's end (-1: still running).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

LRESULT CALLBACK PaneProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  if (__argc != 4) return 2;
  const char* report = __argv[1];
  WNDCLASSA wc{};
  wc.lpfnWndProc = &PaneProcedure;
  wc.hInstance = instance;
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  wc.lpszClassName = "PreviewHostPane";
  RegisterClassA(&wc);
  HWND pane = CreateWindowExA(0, wc.lpszClassName, "preview-host", WS_POPUP | WS_VISIBLE, 200, 150,
                              152, 112, nullptr, nullptr, instance, nullptr);
  if (pane == nullptr) return 1;
  UpdateWindow(pane);

  char command[512];
  std::snprintf(command, sizeof command, "\"%s\" /p %lu", __argv[2],
                static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(pane)));
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION saver{};
  if (!CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &saver)) return 1;
  RECT area{};
  GetClientRect(pane, &area);
  POINT origin{0, 0};
  ClientToScreen(pane, &origin);
  if (FILE* out = std::fopen(report, "w")) {
    std::fprintf(out, "pane %lu %ld %ld %ld %ld\n",
                 static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(pane)), origin.x, origin.y,
                 area.right, area.bottom);
    std::fclose(out);
  }

  SetTimer(pane, 1, 50, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (message.message == WM_TIMER && GetFileAttributesA(__argv[3]) != INVALID_FILE_ATTRIBUTES) DestroyWindow(pane);
    DispatchMessageA(&message);
  }
  const DWORD destroyed = GetTickCount();
  const bool ended = WaitForSingleObject(saver.hProcess, 5000) == WAIT_OBJECT_0;
  const long ms = ended ? static_cast<long>(GetTickCount() - destroyed) : -1;
  DWORD code = 0;
  GetExitCodeProcess(saver.hProcess, &code);
  if (FILE* out = std::fopen(report, "a")) {
    std::fprintf(out, "exit %lu %ld\n", static_cast<unsigned long>(code), ms);
    std::fclose(out);
  }
  return 0;
}
