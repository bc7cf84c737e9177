#include "platform/linux/gtk_dialog_host.h"

#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

#include <cmath>
#include <cstring>

#include "platform/common/sjis.h"
#include "platform/linux/gtk_dialog_builder.h"
#include "platform/linux/gtk_dialog_events.h"
#include "platform/linux/gtk_session.h"
#include "platform/linux/utf8_boundary.h"

namespace plat::linux_port {
namespace {

// Our own changes to a dialog's controls notify nothing.
class Quiet {
 public:
  explicit Quiet(GtkDialogControl* c) : dialog_(c != nullptr ? c->dialog : nullptr) {
    if (dialog_ != nullptr) ++dialog_->quiet;
  }
  ~Quiet() {
    if (dialog_ != nullptr) --dialog_->quiet;
  }
  Quiet(const Quiet&) = delete;
  Quiet& operator=(const Quiet&) = delete;

 private:
  GtkDialog* dialog_;
};

GtkAdjustment* Adjustment(GtkDialogControl* c) {
  return gtk_range_get_adjustment(GTK_RANGE(c->widget));
}

// The text a control shows, as code page 932.
std::string ShownText(const GtkDialogControl& c) {
  const char* utf8 = "";
  if (c.kind == ControlKind::ComboBox) return c.editText;
  if (GTK_IS_ENTRY(c.widget)) utf8 = gtk_entry_get_text(GTK_ENTRY(c.widget));
  else if (GTK_IS_BUTTON(c.widget)) utf8 = gtk_button_get_label(GTK_BUTTON(c.widget));
  else if (GTK_IS_LABEL(c.widget)) utf8 = gtk_label_get_text(GTK_LABEL(c.widget));
  else if (GTK_IS_FRAME(c.widget)) utf8 = gtk_frame_get_label(GTK_FRAME(c.widget));
  std::string text;
  Utf8ToCp932(utf8 != nullptr ? utf8 : "", text);
  return text;
}

void SetShownText(GtkDialogControl& c, const char* text) {
  const std::string utf8 = Cp932ToUtf8(text);
  if (c.kind == ControlKind::ComboBox) {
    c.editText = text;
    gtk_entry_set_text(GTK_ENTRY(c.entry), utf8.c_str());
  } else if (GTK_IS_ENTRY(c.widget)) {
    gtk_entry_set_text(GTK_ENTRY(c.widget), utf8.c_str());
  } else if (GTK_IS_BUTTON(c.widget)) {
    gtk_button_set_label(GTK_BUTTON(c.widget), utf8.c_str());
  } else if (GTK_IS_LABEL(c.widget)) {
    gtk_label_set_text(GTK_LABEL(c.widget), utf8.c_str());
  }
}

// Tab order is template order; the dialog opens with the focus on the first
// Tab stop that can take it, as WM_INITDIALOG's TRUE asks.
void SetUpFocus(GtkDialog& dialog, bool focusFirst) {
  const std::vector<GtkWidget*> stops = TabStops(dialog);
  GList* chain = nullptr;
  for (GtkWidget* w : stops) chain = g_list_append(chain, w);
  GtkWidget* fixed = gtk_bin_get_child(GTK_BIN(dialog.window));
  G_GNUC_BEGIN_IGNORE_DEPRECATIONS
  gtk_container_set_focus_chain(GTK_CONTAINER(fixed), chain);
  G_GNUC_END_IGNORE_DEPRECATIONS
  g_list_free(chain);
  for (const auto& c : dialog.controls)
    if (c->kind == ControlKind::DefPushButton) gtk_widget_grab_default(c->widget);
  if (!focusFirst) return;
  for (GtkWidget* w : stops) {
    if (!gtk_widget_is_sensitive(w)) continue;
    gtk_window_set_focus(GTK_WINDOW(dialog.window), w);
    break;
  }
}

}  // namespace

GtkDialogHost::GtkDialogHost(DialogTemplateLookup lookup, IMessageBoxes* boxes)
    : lookup_(lookup), boxes_(boxes) {}

GtkDialog* GtkDialogHost::Find(WindowHandle dialog) const {
  for (GtkDialog* d : open_)
    if (d->handle == dialog) return d;
  return nullptr;
}

GtkWindow* GtkDialogHost::WindowFor(WindowHandle handle) const {
  GtkDialog* d = Find(handle);
  return d != nullptr ? GTK_WINDOW(d->window) : nullptr;
}

GtkDialogControl* GtkDialogHost::AnyControl(WindowHandle dialog, int id) const {
  GtkDialog* d = Find(dialog);
  if (d == nullptr || id == kNoControlId) return nullptr;
  for (const auto& c : d->controls)
    if (c->id == id) return c.get();
  return nullptr;
}

GtkDialogControl* GtkDialogHost::Control(WindowHandle dialog, int id, ControlKind kind) const {
  GtkDialogControl* c = AnyControl(dialog, id);
  return (c != nullptr && c->kind == kind) ? c : nullptr;
}

std::intptr_t GtkDialogHost::RunModal(InstanceHandle, int templateId, WindowHandle parent,
                                      const DialogProcedure& procedure) {
  const DialogTemplate* source = lookup_ != nullptr ? lookup_(templateId) : nullptr;
  if (GtkModal::Refused()) return kIdCancel;
  if (source == nullptr || !EnsureGtk()) return -1;
  std::unique_ptr<GtkDialog> dialog = BuildGtkDialog(*source, nextHandle_, WindowFor(parent));
  nextHandle_ += 0x1000;
  dialog->procedure = &procedure;
  dialog->trace = trace_;
  TypingRefusal refusal;
  refusal.boxes = boxes_;
  ConnectDialogSignals(*dialog, refusal);
  GtkModal modal([d = dialog.get()] { d->ended = true; });
  open_.push_back(dialog.get());
  if (WindowFor(parent) == nullptr) StayOverNative(*dialog, parent);
  const bool focusFirst = SendToDialog(*dialog, kWmInitDialog, 0, 0) != 0;
  SetUpFocus(*dialog, focusFirst);
  RunLoop(*dialog);
  SendToDialog(*dialog, kWmDestroy, 0, 0);
  if (refusal.idleSource != 0) g_source_remove(refusal.idleSource);
  if (dialog->traceSource != 0) g_source_remove(dialog->traceSource);
  open_.pop_back();
  gtk_widget_destroy(dialog->window);
  DrainGtkEvents();
  // A dialog ended by a termination signal is a Cancel, whatever it was
  // doing: nothing of it is stored.
  if (GtkModal::Refused()) dialog->result = kIdCancel;
  if (trace_ != nullptr) trace_->Closed(templateId, dialog->result);
  if (!open_.empty()) PresentDialog(*open_.back());
  return dialog->result;
}

void GtkDialogHost::StayOverNative(GtkDialog& dialog, WindowHandle parent) {
#ifdef GDK_WINDOWING_X11
  const unsigned long xid = nativeParent_ && parent != 0 ? nativeParent_(parent) : 0;
  GdkDisplay* display = gdk_display_get_default();
  if (xid == 0 || !GDK_IS_X11_DISPLAY(display)) return;
  GdkWindow* foreign = gdk_x11_window_foreign_new_for_display(display, xid);
  if (foreign == nullptr) return;
  gtk_widget_realize(dialog.window);
  gdk_window_set_transient_for(gtk_widget_get_window(dialog.window), foreign);
  g_object_unref(foreign);
#else
  (void)dialog;
  (void)parent;
#endif
}

void GtkDialogHost::RunLoop(GtkDialog& dialog) {
  if (dialog.ended) return;
  gtk_widget_show_all(dialog.window);
  while (!dialog.ended) gtk_main_iteration();
}

void GtkDialogHost::EndDialog(WindowHandle dialog, std::intptr_t result) {
  if (GtkDialog* d = Find(dialog)) {
    d->ended = true;
    d->result = result;
  }
}

int GtkDialogHost::ControlId(WindowHandle control) {
  for (GtkDialog* d : open_)
    for (const auto& c : d->controls)
      if (c->handle == control) return c->id;
  return 0;
}

// The trackbar takes both ends as signed 16-bit halves of one value.
void GtkDialogHost::SetSliderRange(WindowHandle dialog, int id, std::int32_t minimum,
                                   std::int32_t maximum) {
  GtkDialogControl* c = Control(dialog, id, ControlKind::Trackbar);
  if (c == nullptr) return;
  Quiet quiet(c);
  const double lo = static_cast<std::int16_t>(minimum & 0xFFFF);
  const double hi = static_cast<std::int16_t>(maximum & 0xFFFF);
  gtk_range_set_range(GTK_RANGE(c->widget), lo, hi < lo ? lo : hi);
}

void GtkDialogHost::SetSliderPageSize(WindowHandle dialog, int id, std::int32_t size) {
  if (GtkDialogControl* c = Control(dialog, id, ControlKind::Trackbar))
    gtk_adjustment_set_page_increment(Adjustment(c), size);
}

void GtkDialogHost::SetSliderLineSize(WindowHandle dialog, int id, std::int32_t size) {
  if (GtkDialogControl* c = Control(dialog, id, ControlKind::Trackbar))
    gtk_adjustment_set_step_increment(Adjustment(c), size);
}

void GtkDialogHost::SetSliderPos(WindowHandle dialog, int id, std::int32_t position) {
  GtkDialogControl* c = Control(dialog, id, ControlKind::Trackbar);
  if (c == nullptr) return;
  Quiet quiet(c);
  gtk_range_set_value(GTK_RANGE(c->widget), position);
}

std::int32_t GtkDialogHost::GetSliderPos(WindowHandle dialog, int id) {
  GtkDialogControl* c = Control(dialog, id, ControlKind::Trackbar);
  return c ? static_cast<std::int32_t>(std::lround(gtk_range_get_value(GTK_RANGE(c->widget))))
           : 0;
}

int GtkDialogHost::AddListText(WindowHandle dialog, int id, const char* text) {
  GtkDialogControl* c = Control(dialog, id, ControlKind::ComboBox);
  if (c == nullptr) return kCbErr;
  Quiet quiet(c);
  const int at = c->list.Add(text);
  gtk_combo_box_text_insert_text(GTK_COMBO_BOX_TEXT(c->widget), at, Cp932ToUtf8(text).c_str());
  return at;
}

int GtkDialogHost::SelectListPrefix(WindowHandle dialog, int id, const char* prefix) {
  GtkDialogControl* c = Control(dialog, id, ControlKind::ComboBox);
  const int at = c != nullptr ? c->list.FindPrefix(prefix) : -1;
  if (at < 0) return kCbErr;
  Quiet quiet(c);
  gtk_combo_box_set_active(GTK_COMBO_BOX(c->widget), at);
  c->editText = c->list.Text(at);
  return at;
}

int GtkDialogHost::FindListExact(WindowHandle dialog, int id, const char* text) {
  GtkDialogControl* c = Control(dialog, id, ControlKind::ComboBox);
  return c != nullptr ? c->list.FindExact(text) : kCbErr;
}

bool GtkDialogHost::DeleteListEntry(WindowHandle dialog, int id, int index) {
  GtkDialogControl* c = Control(dialog, id, ControlKind::ComboBox);
  if (c == nullptr || !c->list.Delete(index)) return false;
  Quiet quiet(c);
  gtk_combo_box_text_remove(GTK_COMBO_BOX_TEXT(c->widget), index);
  return true;
}

int GtkDialogHost::GetSelectedListText(WindowHandle dialog, int id, char* buffer,
                                       std::uint32_t size) {
  if (size > 0) buffer[0] = '\0';
  GtkDialogControl* c = Control(dialog, id, ControlKind::ComboBox);
  const char* text =
      c != nullptr ? c->list.Text(gtk_combo_box_get_active(GTK_COMBO_BOX(c->widget))) : nullptr;
  if (text == nullptr) return kCbErr;
  return static_cast<int>(sjis::CopyBounded(buffer, size, text));
}

// GTK's own limit counts characters; the field's limit is in Shift_JIS
// bytes, checked as text is typed (gtk_dialog_events.cpp).
void GtkDialogHost::LimitText(WindowHandle dialog, int id, int bytes) {
  if (GtkDialogControl* c = Control(dialog, id, ControlKind::ComboBox))
    c->byteLimit = bytes > 0 ? static_cast<std::size_t>(bytes) : 0;
}

std::uint32_t GtkDialogHost::GetItemText(WindowHandle dialog, int id, char* buffer,
                                         std::uint32_t size) {
  GtkDialogControl* c = AnyControl(dialog, id);
  return static_cast<std::uint32_t>(sjis::CopyBounded(buffer, size, c != nullptr ? ShownText(*c) : ""));
}

void GtkDialogHost::SetItemText(WindowHandle dialog, int id, const char* text) {
  GtkDialogControl* c = AnyControl(dialog, id);
  if (c == nullptr) return;
  Quiet quiet(c);
  SetShownText(*c, text);
}

void GtkDialogHost::CheckButton(WindowHandle dialog, int id, bool checked) {
  GtkDialogControl* c = Control(dialog, id, ControlKind::CheckBox);
  if (c == nullptr) return;
  Quiet quiet(c);
  gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(c->widget), checked);
}

bool GtkDialogHost::IsButtonChecked(WindowHandle dialog, int id) {
  GtkDialogControl* c = Control(dialog, id, ControlKind::CheckBox);
  return c != nullptr && gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(c->widget));
}

void GtkDialogHost::EnableItem(WindowHandle dialog, int id, bool enabled) {
  if (GtkDialogControl* c = AnyControl(dialog, id)) gtk_widget_set_sensitive(c->widget, enabled);
}

}  // namespace plat::linux_port
