// A Windows program the Wine tests run beside tobbelin.exe, to ask Windows
// what only Windows knows about its window, or to send it a message no real
// input produces under Wine.
//   probe facts <class>     prints the window's styles and state, one line
//   probe ncdblclk <class>  sends it a double-click on a caption
// Exit code 0 when done, 2 when no window of that class exists.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

int Facts(HWND window) {
  const auto style = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(::GetWindowLongPtrA(window, GWL_EXSTYLE));
  const auto classStyle = static_cast<DWORD>(::GetClassLongPtrA(window, GCL_STYLE));
  const int written = std::printf(
      "topmost=%d toolwindow=%d popup=%d caption=%d frame=%d dblclks=%d foreground=%d\n",
      (exStyle & WS_EX_TOPMOST) != 0, (exStyle & WS_EX_TOOLWINDOW) != 0, (style & WS_POPUP) != 0,
      (style & WS_CAPTION) != 0, (style & WS_THICKFRAME) != 0, (classStyle & CS_DBLCLKS) != 0,
      ::GetForegroundWindow() == window);
  return written > 0 ? 0 : 1;
}

int CaptionDoubleClick(HWND window) {
  RECT rect{};
  ::GetWindowRect(window, &rect);
  const auto x = static_cast<WORD>(rect.left + 138);
  const auto y = static_cast<WORD>(rect.top + 125);
  const auto at = static_cast<LPARAM>(static_cast<DWORD>(x) | (static_cast<DWORD>(y) << 16));
  DWORD_PTR result = 0;
  ::SendMessageTimeoutA(window, WM_NCLBUTTONDBLCLK, HTCAPTION, at, SMTO_NORMAL, 5000, &result);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    static_cast<void>(std::fputs("usage: probe facts|ncdblclk <window class>\n", stderr));
    return 1;
  }
  const HWND window = ::FindWindowA(argv[2], nullptr);
  if (window == nullptr) {
    static_cast<void>(std::fputs("no such window\n", stderr));
    return 2;
  }
  if (std::strcmp(argv[1], "facts") == 0) return Facts(window);
  if (std::strcmp(argv[1], "ncdblclk") == 0) return CaptionDoubleClick(window);
  return 1;
}
