// GTK 3 started once, on first use, in the same process as SDL. The
// process's C locale is left alone (texts are converted explicitly).
#pragma once

namespace plat::linux_port {

// True when GTK is (now) initialised; false without a usable display.
bool EnsureGtk();
// Runs GTK's pending events, so a destroyed window is really gone.
void DrainGtkEvents();

}  // namespace plat::linux_port
