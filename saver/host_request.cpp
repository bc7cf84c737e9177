#include "saver/host_request.h"

#include <cstring>

#include "saver/startup.h"

namespace prumya {

namespace {

int DigitValue(char c, int base) {
  int v = -1;
  if (c >= '0' && c <= '9') v = c - '0';
  if (c >= 'a' && c <= 'f') v = c - 'a' + 10;
  if (c >= 'A' && c <= 'F') v = c - 'A' + 10;
  return v < base ? v : -1;
}

bool Is(const char* arg, const char* longForm) {
  // Each form is accepted with one leading hyphen or two.
  return std::strcmp(arg, longForm) == 0 || std::strcmp(arg, longForm + 1) == 0;
}

XHostRequest WindowFrom(const char* text) {
  XHostRequest request;
  request.window = ParseWindowId(text);
  request.kind = request.window != 0 ? XHostRequest::Window : XHostRequest::Invalid;
  return request;
}

}  // namespace

bool ParsePreviewRequest(const char* commandLine, plat::WindowHandle& window) {
  window = 0;
  if (commandLine == nullptr || std::strlen(commandLine) < 3) return false;
  const char first = commandLine[0], letter = commandLine[1], separator = commandLine[2];
  if ((first != '/' && first != '-') || (letter != 'p' && letter != 'P')) return false;
  if (separator != ' ' && separator != ':') return false;
  window = ParseParentWindow(commandLine);
  return true;
}

XHostRequest ParseXHostRequest(int argc, const char* const* argv, const char* xscreensaverWindow) {
  const bool hosted = xscreensaverWindow != nullptr && xscreensaverWindow[0] != '\0';
  if (argc <= 1) return hosted ? WindowFrom(xscreensaverWindow) : XHostRequest{};
  if (argc == 2 && Is(argv[1], "--root")) {
    return hosted ? WindowFrom(xscreensaverWindow) : XHostRequest{XHostRequest::Root, 0};
  }
  if (Is(argv[1], "--window-id")) {
    return argc == 3 ? WindowFrom(argv[2]) : XHostRequest{XHostRequest::Invalid, 0};
  }
  return XHostRequest{};
}

std::uint32_t ParseWindowId(const char* text) {
  if (text == nullptr) return 0;
  int base = 10;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text += 2;
  }
  if (*text == '\0') return 0;
  std::uint64_t v = 0;
  for (; *text != '\0'; ++text) {
    const int digit = DigitValue(*text, base);
    if (digit < 0) return 0;
    v = v * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (v > 0xFFFFFFFFu) return 0;  // X ids are 32-bit values
  }
  return static_cast<std::uint32_t>(v);
}

}  // namespace prumya
