// GTK 3 windows built from dialog templates: every control placed with a
// GtkFixed at its dialog-unit rectangle, scaled by the dialog font's metrics
// as the Windows dialog manager scales them. Texts are converted from code
// page 932 to UTF-8 here; the dialog keeps the combo box's list and edit
// text as code page 932 itself.
#pragma once
#include <gtk/gtk.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/common/sorted_text_list.h"
#include "platform/dialog_host.h"
#include "platform/dialog_template.h"
#include "platform/dialog_trace.h"

namespace plat::linux_port {

struct GtkDialog;

struct GtkDialogControl {
  GtkDialog* dialog = nullptr;
  int index = 0;  // in template order
  int id = kNoControlId;
  ControlKind kind = ControlKind::Text;
  WindowHandle handle = 0;
  GtkWidget* widget = nullptr;
  GtkWidget* entry = nullptr;  // the combo box's edit field
  SortedTextList list;         // combo box entries, code page 932
  std::string editText;        // combo box edit field, code page 932
  std::size_t byteLimit = 0;   // typing stops at this many code page 932 bytes; 0: none
};

struct GtkDialog {
  WindowHandle handle = 0;
  const DialogTemplate* source = nullptr;
  const DialogProcedure* procedure = nullptr;
  GtkWidget* window = nullptr;
  std::vector<std::unique_ptr<GtkDialogControl>> controls;
  int quiet = 0;  // while above 0 our own changes send no notifications
  bool ended = false;
  std::intptr_t result = 0;
  IDialogTrace* trace = nullptr;
  bool traced = false;
  unsigned traceSource = 0;  // pending trace, removed when the dialog goes
};

// Dialog units to pixels: the font's average character width and height.
struct DialogUnits {
  int baseX = 6, baseY = 13;
  int X(int units) const { return (units * baseX + 2) / 4; }
  int Y(int units) const { return (units * baseY + 4) / 8; }
};

// The window (hidden, not yet shown) with every control of the template.
// Without a window manager the window draws its own title bar.
std::unique_ptr<GtkDialog> BuildGtkDialog(const DialogTemplate& source, WindowHandle handle,
                                          GtkWindow* parent);

// The focusable controls in template order, for the Tab chain.
std::vector<GtkWidget*> TabStops(const GtkDialog& dialog);

}  // namespace plat::linux_port
