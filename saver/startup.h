// The saver's start-up: the INI paths beside the module, the screen size and
// the choice between running, the settings dialog and ending at once.
#pragma once
#include <functional>

#include "platform/system.h"
#include "platform/win_types.h"
#include "saver/config.h"

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

// What every start does first: the three INI paths, then the parameter
// maxima fitted to the screen.
void PrepareConfig(SaverConfig& config, plat::ISystemInfo& system);

// The shell's InitHandler: true when the saver is to run. In the settings
// modes it loads the settings (command not carried out) and runs the dialog.
bool RunStartup(SaverConfig& config, plat::ISystemInfo& system,
                const SettingsDialogRunner& runSettingsDialog, plat::InstanceHandle instance,
                const char* commandLine);

}  // namespace prumya
