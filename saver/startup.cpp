#include "saver/startup.h"

#include <cstring>

namespace prumya {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

StartMode ChooseStartMode(const char* commandLine) {
  if (commandLine == nullptr || commandLine[0] == '\0') return StartMode::Settings;
  if (commandLine[1] == 'c') return StartMode::Settings;
  if (commandLine[1] == 's') return StartMode::Run;
  return StartMode::End;
}

plat::WindowHandle ParseParentWindow(const char* commandLine) {
  // "/c" alone ends before the fourth byte: nothing to read there.
  if (commandLine == nullptr || std::strlen(commandLine) < 3) return 0;
  const char* p = commandLine + 3;
  while (IsBlank(*p)) ++p;
  const bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  if (*p < '0' || *p > '9') return 0;
  std::uint32_t v = 0;  // wraps like the runtime's conversion
  for (; *p >= '0' && *p <= '9'; ++p) v = v * 10 + static_cast<std::uint32_t>(*p - '0');
  const auto value = static_cast<std::int32_t>(negative ? 0u - v : v);
  // Window handles are 32-bit values, sign-extended in a 64-bit process.
  return static_cast<plat::WindowHandle>(static_cast<std::intptr_t>(value));
}

void PrepareConfig(SaverConfig& config, SettingsFiles& files, plat::ISystemInfo& system) {
  files.Locate(config.paths);
  config.FitScreen(system.ScreenWidth(), system.ScreenHeight());
}

bool RunStartup(SaverConfig& config, SettingsFiles& files, plat::ISystemInfo& system,
                const SettingsDialogRunner& runSettingsDialog, plat::InstanceHandle instance,
                const char* commandLine) {
  const StartMode mode = ChooseStartMode(commandLine);
  // What ends at once touches no file, not even to find out where they lie.
  if (mode == StartMode::End) return false;
  PrepareConfig(config, files, system);
  if (mode == StartMode::Run) return true;

  config.LoadSettings(false);
  const bool empty = commandLine == nullptr || commandLine[0] == '\0';
  const plat::WindowHandle parent = empty ? 0 : ParseParentWindow(commandLine);
  if (runSettingsDialog) runSettingsDialog(instance, parent);
  return false;
}

}  // namespace prumya
