// GTK signals of a built dialog turned into the messages the Windows dialog
// manager sends: WM_COMMAND for clicks (BN_CLICKED), list choices
// (CBN_SELCHANGE) and typing (CBN_EDITCHANGE), WM_HSCROLL for slider moves,
// IDCANCEL for Esc and the close box, the default button for Enter. Our own
// changes to the controls (GtkDialog::quiet) send nothing, as on Windows.
#pragma once
#include <cstdint>

#include "platform/linux/gtk_dialog_builder.h"
#include "platform/window_system.h"

namespace plat::linux_port {

// Sent for the typed characters that have no code page 932 form.
struct TypingRefusal {
  IMessageBoxes* boxes = nullptr;
  GtkDialog* dialog = nullptr;
  unsigned idleSource = 0;  // pending box, removed when the dialog goes
};

std::intptr_t SendToDialog(GtkDialog& dialog, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam);
void ConnectDialogSignals(GtkDialog& dialog, TypingRefusal& refusal);
// Brings the dialog back to the front with the input focus.
void PresentDialog(GtkDialog& dialog);
// The dialog's and its controls' screen rectangles, to its trace.
void TraceDialogLaidOut(GtkDialog& dialog);

}  // namespace plat::linux_port
