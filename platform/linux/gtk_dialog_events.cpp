#include "platform/linux/gtk_dialog_events.h"

#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "platform/linux/utf8_boundary.h"

namespace plat::linux_port {
namespace {

constexpr std::uintptr_t kTbThumbTrack = 5;

const char kRefusalText[] =
    "この文字は映像名に使えません。\nシフトJIS (コードページ 932) で表せる文字を使ってください。";

GtkDialogControl& Of(gpointer data) { return *static_cast<GtkDialogControl*>(data); }

bool Silent(const GtkDialogControl& c) { return c.dialog->quiet > 0 || c.dialog->ended; }

void Command(GtkDialogControl& c, std::uint16_t code) {
  SendToDialog(*c.dialog, kWmCommand, MakeCommandParam(c.id, code),
               static_cast<std::intptr_t>(c.handle));
}

void CommandId(GtkDialog& dialog, int id) {
  SendToDialog(dialog, kWmCommand, MakeCommandParam(id, kBnClicked), 0);
}

// A box shown from a handler may leave another window in front.
void OnClicked(GtkButton*, gpointer data) {
  GtkDialogControl& c = Of(data);
  if (Silent(c)) return;
  Command(c, kBnClicked);
  if (!c.dialog->ended) PresentDialog(*c.dialog);
}

void OnSliderMoved(GtkRange* range, gpointer data) {
  GtkDialogControl& c = Of(data);
  if (Silent(c)) return;
  const auto position = static_cast<std::uintptr_t>(std::lround(gtk_range_get_value(range)));
  SendToDialog(*c.dialog, kWmHScroll, (position << 16) | kTbThumbTrack,
               static_cast<std::intptr_t>(c.handle));
}

// A list choice: the edit field now shows that entry, kept as its own bytes.
void OnComboChanged(GtkComboBox* combo, gpointer data) {
  GtkDialogControl& c = Of(data);
  const int active = gtk_combo_box_get_active(combo);
  if (Silent(c) || active < 0) return;
  c.editText = c.list.Text(active) != nullptr ? c.list.Text(active) : "";
  Command(c, kCbnSelChange);
}

// Typing makes GTK drop the list selection first; a text change while an
// entry is selected is the choice itself filling the field.
void OnInsertText(GtkEditable* editable, gchar* text, gint length, gint* position, gpointer data);

void OnEntryChanged(GtkEditable* editable, gpointer data) {
  GtkDialogControl& c = Of(data);
  if (Silent(c) || gtk_combo_box_get_active(GTK_COMBO_BOX(c.widget)) >= 0) return;
  std::string text;
  Utf8ToCp932(gtk_entry_get_text(GTK_ENTRY(editable)), text);
  c.editText = text;
  Command(c, kCbnEditChange);
}

gboolean ShowRefusal(gpointer data) {
  auto* refusal = static_cast<TypingRefusal*>(data);
  refusal->idleSource = 0;
  GtkDialog& dialog = *refusal->dialog;
  if (refusal->boxes != nullptr)
    refusal->boxes->Show(dialog.handle, kRefusalText, dialog.source->title,
                         kMbOk | kMbIconWarning);
  PresentDialog(dialog);
  return G_SOURCE_REMOVE;
}

// As in a Windows edit field, typing stops at the byte limit and a longer
// paste keeps the whole characters that fit, so the field never holds more
// than the name that will be stored.
void KeepWithinLimit(GtkEditable* editable, const std::string& inserted, std::size_t bytes,
                     gint* position, GtkDialogControl& c) {
  std::string current;
  Utf8ToCp932(gtk_entry_get_text(GTK_ENTRY(editable)), current);
  if (current.size() + bytes <= c.byteLimit) return;
  const std::size_t room = current.size() < c.byteLimit ? c.byteLimit - current.size() : 0;
  const std::size_t fits = Utf8PrefixWithin(inserted, room);
  if (fits == 0) gtk_widget_error_bell(GTK_WIDGET(editable));
  g_signal_handlers_block_by_func(editable, reinterpret_cast<gpointer>(OnInsertText), &c);
  if (fits > 0) gtk_editable_insert_text(editable, inserted.c_str(), static_cast<gint>(fits), position);
  g_signal_handlers_unblock_by_func(editable, reinterpret_cast<gpointer>(OnInsertText), &c);
  g_signal_stop_emission_by_name(editable, "insert-text");
}

// Names are code page 932 bytes: a character without such a form is never
// let into the field, so nothing stored can come out broken. The box waits
// until the key's handling is over.
void OnInsertText(GtkEditable* editable, gchar* text, gint length, gint* position, gpointer data) {
  GtkDialogControl& c = Of(data);
  std::string converted;
  const std::string inserted(text, length < 0 ? std::strlen(text) : static_cast<size_t>(length));
  if (Utf8ToCp932(inserted.c_str(), converted)) {
    if (c.byteLimit != 0 && c.dialog->quiet == 0)
      KeepWithinLimit(editable, inserted, converted.size(), position, c);
    return;
  }
  g_signal_stop_emission_by_name(editable, "insert-text");
  auto* refusal = static_cast<TypingRefusal*>(g_object_get_data(G_OBJECT(editable), "refusal"));
  if (refusal == nullptr || refusal->idleSource != 0) return;
  refusal->dialog = c.dialog;
  refusal->idleSource = g_idle_add(ShowRefusal, refusal);
}

void PressDefault(GtkWindow* window) {
  GtkWidget* button = gtk_window_get_default_widget(window);
  if (button != nullptr && gtk_widget_is_sensitive(button)) gtk_widget_activate(button);
}

bool IsReturn(const GdkEventKey* event) {
  return event->keyval == GDK_KEY_Return || event->keyval == GDK_KEY_KP_Enter;
}

// Enter on a check box presses the default button, as in a Windows dialog,
// instead of ticking the box.
gboolean OnKeyBeforeControls(GtkWidget* window, GdkEventKey* event, gpointer) {
  if (!IsReturn(event) || !GTK_IS_TOGGLE_BUTTON(gtk_window_get_focus(GTK_WINDOW(window))))
    return FALSE;
  PressDefault(GTK_WINDOW(window));
  return TRUE;
}

// Keys the focused control left alone (an input method keeps its own Enter
// and Esc): Esc cancels, Enter presses the default button.
gboolean OnKeyAfterControls(GtkWidget* window, GdkEventKey* event, gpointer data) {
  if (event->keyval == GDK_KEY_Escape) {
    CommandId(*static_cast<GtkDialog*>(data), kIdCancel);
    return TRUE;
  }
  if (!IsReturn(event)) return FALSE;
  PressDefault(GTK_WINDOW(window));
  return TRUE;
}

gboolean OnDelete(GtkWidget*, GdkEvent*, gpointer data) {
  CommandId(*static_cast<GtkDialog*>(data), kIdCancel);
  return TRUE;  // only EndDialog closes it
}

// The rectangles are final once GTK has laid the window out, which comes
// after the map (a realized window maps before its first allocation).
gboolean TraceWhenLaidOut(gpointer data) {
  GtkDialog& dialog = *static_cast<GtkDialog*>(data);
  if (gtk_widget_get_allocated_width(gtk_bin_get_child(GTK_BIN(dialog.window))) <= 1)
    return G_SOURCE_CONTINUE;
  dialog.traceSource = 0;
  TraceDialogLaidOut(dialog);
  return G_SOURCE_REMOVE;
}

gboolean OnMapped(GtkWidget*, GdkEvent*, gpointer data) {
  GtkDialog& dialog = *static_cast<GtkDialog*>(data);
  PresentDialog(dialog);
  if (!dialog.traced && dialog.trace != nullptr)
    dialog.traceSource = g_idle_add(TraceWhenLaidOut, &dialog);
  dialog.traced = true;
  return FALSE;
}

void ConnectControl(GtkDialogControl& c, TypingRefusal& refusal) {
  switch (c.kind) {
    case ControlKind::DefPushButton:
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
      g_signal_connect(c.widget, "clicked", G_CALLBACK(OnClicked), &c);
      break;
    case ControlKind::Trackbar:
      g_signal_connect(c.widget, "value-changed", G_CALLBACK(OnSliderMoved), &c);
      break;
    case ControlKind::ComboBox:
      g_signal_connect(c.widget, "changed", G_CALLBACK(OnComboChanged), &c);
      g_signal_connect(c.entry, "changed", G_CALLBACK(OnEntryChanged), &c);
      g_signal_connect(c.entry, "insert-text", G_CALLBACK(OnInsertText), &c);
      g_object_set_data(G_OBJECT(c.entry), "refusal", &refusal);
      break;
    default:
      break;
  }
}

}  // namespace

std::intptr_t SendToDialog(GtkDialog& dialog, std::uint32_t message, std::uintptr_t wParam,
                           std::intptr_t lParam) {
  if (dialog.procedure == nullptr || !*dialog.procedure) return 0;
  return (*dialog.procedure)(dialog.handle, message, wParam, lParam);
}

void ConnectDialogSignals(GtkDialog& dialog, TypingRefusal& refusal) {
  for (auto& control : dialog.controls) ConnectControl(*control, refusal);
  g_signal_connect(dialog.window, "key-press-event", G_CALLBACK(OnKeyBeforeControls), &dialog);
  g_signal_connect_after(dialog.window, "key-press-event", G_CALLBACK(OnKeyAfterControls),
                         &dialog);
  g_signal_connect(dialog.window, "delete-event", G_CALLBACK(OnDelete), &dialog);
  g_signal_connect(dialog.window, "map-event", G_CALLBACK(OnMapped), &dialog);
}

// SDL keeps the X input focus unless the dialog takes it; the server's time
// makes the request newer than SDL's last focus change.
void PresentDialog(GtkDialog& dialog) {
  GdkWindow* window = gtk_widget_get_window(dialog.window);
  if (window == nullptr) return;
  guint32 now = GDK_CURRENT_TIME;
#ifdef GDK_WINDOWING_X11
  if (GDK_IS_X11_WINDOW(window)) now = gdk_x11_get_server_time(window);
#endif
  gdk_window_raise(window);
  gtk_window_present_with_time(GTK_WINDOW(dialog.window), now);
}

void TraceDialogLaidOut(GtkDialog& dialog) {
  GdkWindow* window = gtk_widget_get_window(dialog.window);
  if (dialog.trace == nullptr || window == nullptr) return;
  int ox = 0, oy = 0;
  gdk_window_get_origin(window, &ox, &oy);
  GdkRectangle frame;
  gdk_window_get_frame_extents(window, &frame);
  std::vector<TracedControl> controls;
  for (const auto& c : dialog.controls) {
    int x = 0, y = 0;
    gtk_widget_translate_coordinates(c->widget, dialog.window, 0, 0, &x, &y);
    GtkAllocation a;
    gtk_widget_get_allocation(c->widget, &a);
    controls.push_back({c->id, Rect{ox + x, oy + y, ox + x + a.width, oy + y + a.height}});
  }
  const Rect screen{frame.x, frame.y, frame.x + frame.width, frame.y + frame.height};
  dialog.trace->LaidOut(dialog.source->id, screen, 0, controls);
}

}  // namespace plat::linux_port
