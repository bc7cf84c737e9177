// MessageBoxA over GTK 3: modal, above the saver's window, focused when it
// maps, Japanese button labels, icon and buttons from the style. Texts are
// converted to UTF-8 only here.
#pragma once
#include <cstdint>
#include <functional>

#include "platform/window_system.h"

typedef struct _GtkWindow GtkWindow;

namespace plat::linux_port {

class GtkMessageBoxes : public IMessageBoxes {
 public:
  // Maps an owner handle to a GTK window (the settings dialog's) to stay
  // transient for; owners it does not know get a box kept above instead.
  using OwnerResolver = std::function<GtkWindow*(WindowHandle)>;

  void SetOwnerResolver(OwnerResolver resolver) { resolveOwner_ = std::move(resolver); }

  int Show(WindowHandle owner, const char* text, const char* caption,
           std::uint32_t style) override;

 private:
  OwnerResolver resolveOwner_;
};

}  // namespace plat::linux_port
