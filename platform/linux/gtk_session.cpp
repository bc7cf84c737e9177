#include "platform/linux/gtk_session.h"

#include <gtk/gtk.h>

namespace plat::linux_port {

bool EnsureGtk() {
  static const bool ready = [] {
    gtk_disable_setlocale();
    return gtk_init_check(nullptr, nullptr) != FALSE;
  }();
  return ready;
}

void DrainGtkEvents() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

}  // namespace plat::linux_port
