// The saver's start-up: where the INI files lie, the screen size and the
// choice between running, the settings dialog and ending at once.
#pragma once
#include <functional>

#include "platform/system.h"
#include "platform/win_types.h"
#include "saver/config.h"
#include "saver/settings_files.h"

namespace prumya {

// Shows the settings dialog over parent (0: none) and writes on OK.
using SettingsDialogRunner =
    std::function<void(plat::InstanceHandle instance, plat::WindowHandle parent)>;

enum class StartMode { Settings, Run, End };

// From the lowercased command line; only its length and second byte count.
StartMode ChooseStartMode(const char* commandLine);

// The parent window of "/c:1234" or "/c 1234": the text from the fourth byte
// on, read as "%d" reads it; 0 when it holds no number.
plat::WindowHandle ParseParentWindow(const char* commandLine);

// What every start that goes on does first: places the three INI files
// (files.Locate), then fits the parameter maxima to the screen.
void PrepareConfig(SaverConfig& config, SettingsFiles& files, plat::ISystemInfo& system);

// The shell's InitHandler: true when the saver is to run. Unless the command
// line ends the process at once, it prepares the configuration; in the
// settings modes it then loads the settings (command not carried out) and
// runs the dialog.
bool RunStartup(SaverConfig& config, SettingsFiles& files, plat::ISystemInfo& system,
                const SettingsDialogRunner& runSettingsDialog, plat::InstanceHandle instance,
                const char* commandLine);

}  // namespace prumya
