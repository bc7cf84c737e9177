#include "platform/linux/gtk_session.h"

#include <gtk/gtk.h>

#include <vector>

#include "platform/linux/linux_signals.h"

namespace plat::linux_port {

namespace {

struct ModalState {
  std::vector<const std::function<void()>*> open;  // innermost last
  std::function<void()> before, after;
};

ModalState& Modals() {
  static ModalState state;
  return state;
}

void CancelAllModals(void*) {
  const std::vector<const std::function<void()>*> open = Modals().open;
  for (auto it = open.rbegin(); it != open.rend(); ++it) (**it)();
}

}  // namespace

bool EnsureGtk() {
  static const bool ready = [] {
    gtk_disable_setlocale();
    if (gtk_init_check(nullptr, nullptr) == FALSE) return false;
    WatchTerminationInGlib(CancelAllModals, nullptr);
    return true;
  }();
  return ready;
}

void DrainGtkEvents() {
  while (gtk_events_pending()) gtk_main_iteration_do(FALSE);
}

void SetModalHooks(std::function<void()> before, std::function<void()> after) {
  Modals().before = std::move(before);
  Modals().after = std::move(after);
}

GtkModal::GtkModal(std::function<void()> cancel) : cancel_(std::move(cancel)) {
  ModalState& state = Modals();
  if (state.open.empty() && state.before) state.before();
  state.open.push_back(&cancel_);
}

GtkModal::~GtkModal() {
  ModalState& state = Modals();
  state.open.pop_back();
  if (state.open.empty() && state.after) state.after();
}

bool GtkModal::Refused() { return TerminationRequested(); }

}  // namespace plat::linux_port
