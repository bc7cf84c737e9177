#include "platform/linux/gtk_message_boxes.h"

#include <gtk/gtk.h>
#ifdef GDK_WINDOWING_X11
#include <gdk/gdkx.h>
#endif

#include <string>

#include "platform/linux/gtk_session.h"
#include "platform/linux/utf8_boundary.h"

namespace plat::linux_port {

namespace {

struct Button {
  const char* label;  // code page 932, converted when shown
  int result;
  guint key;  // the mnemonic letter, which answers without Alt as well
};

struct ButtonSet {
  std::uint32_t type;  // style & 0xF
  Button buttons[3];
  int onClose;  // the result when the box is closed without a button
};

const ButtonSet kButtonSets[] = {
    {0x0, {{"OK", kIdOk, 0}}, kIdOk},
    {0x1, {{"OK", kIdOk, 0}, {"キャンセル", kIdCancel, 0}}, kIdCancel},
    {0x3, {{"はい(_Y)", kIdYes, GDK_KEY_y}, {"いいえ(_N)", kIdNo, GDK_KEY_n},
           {"キャンセル", kIdCancel, 0}}, kIdCancel},
    {0x4, {{"はい(_Y)", kIdYes, GDK_KEY_y}, {"いいえ(_N)", kIdNo, GDK_KEY_n}}, kIdNo},
};

const ButtonSet& ButtonsFor(std::uint32_t style) {
  for (const ButtonSet& set : kButtonSets) {
    if (set.type == (style & 0xF)) return set;
  }
  return kButtonSets[0];
}

GtkMessageType IconFor(std::uint32_t style) {
  switch (style & 0xF0) {
    case 0x10: return GTK_MESSAGE_ERROR;
    case 0x20: return GTK_MESSAGE_QUESTION;
    case 0x30: return GTK_MESSAGE_WARNING;
    case 0x40: return GTK_MESSAGE_INFO;
    default: return GTK_MESSAGE_OTHER;
  }
}

// SDL keeps the X input focus unless the box takes it once it is viewable.
// The server's own time is needed: GTK would otherwise use the last user
// event it saw, older than SDL's latest focus change, and the X server
// ignores a focus request older than that.
gboolean OnMapped(GtkWidget* widget, GdkEvent*, gpointer) {
  GdkWindow* window = gtk_widget_get_window(widget);
  guint32 now = GDK_CURRENT_TIME;
#ifdef GDK_WINDOWING_X11
  if (GDK_IS_X11_WINDOW(window)) now = gdk_x11_get_server_time(window);
#endif
  gtk_window_present_with_time(GTK_WINDOW(widget), now);
  return FALSE;
}

gboolean OnKey(GtkWidget* widget, GdkEventKey* event, gpointer data) {
  if ((event->state & (GDK_CONTROL_MASK | GDK_MOD1_MASK)) != 0) return FALSE;
  const guint key = gdk_keyval_to_lower(event->keyval);
  for (const Button& button : static_cast<const ButtonSet*>(data)->buttons) {
    if (button.key != 0 && button.key == key) {
      gtk_dialog_response(GTK_DIALOG(widget), button.result);
      return TRUE;
    }
  }
  return FALSE;
}

GtkWidget* BuildBox(GtkWindow* parent, const char* text, const char* caption,
                    std::uint32_t style) {
  const std::string body = Cp932ToUtf8(text);
  GtkWidget* box = gtk_message_dialog_new(parent, GTK_DIALOG_MODAL, IconFor(style),
                                          GTK_BUTTONS_NONE, "%s", body.c_str());
  gtk_window_set_title(GTK_WINDOW(box), Cp932ToUtf8(caption).c_str());
  const ButtonSet& set = ButtonsFor(style);
  for (const Button& button : set.buttons) {
    if (button.label == nullptr) break;
    gtk_dialog_add_button(GTK_DIALOG(box), Cp932ToUtf8(button.label).c_str(), button.result);
  }
  gtk_dialog_set_default_response(GTK_DIALOG(box), set.buttons[0].result);
  gtk_window_set_keep_above(GTK_WINDOW(box), TRUE);
  gtk_window_set_position(GTK_WINDOW(box), parent != nullptr ? GTK_WIN_POS_CENTER_ON_PARENT
                                                             : GTK_WIN_POS_CENTER);
  g_signal_connect(box, "map-event", G_CALLBACK(OnMapped), nullptr);
  g_signal_connect(box, "key-press-event", G_CALLBACK(OnKey),
                   const_cast<ButtonSet*>(&set));
  return box;
}

}  // namespace

int GtkMessageBoxes::Show(WindowHandle owner, const char* text, const char* caption,
                          std::uint32_t style) {
  // After a termination signal a box is answered as if closed unseen.
  if (GtkModal::Refused()) return ButtonsFor(style).onClose;
  if (!EnsureGtk()) return 0;
  GtkWindow* parent = resolveOwner_ && owner != 0 ? resolveOwner_(owner) : nullptr;
  GtkWidget* box = BuildBox(parent, text, caption, style);
  gint response = 0;
  {
    GtkModal modal([box] { gtk_dialog_response(GTK_DIALOG(box), GTK_RESPONSE_CANCEL); });
    response = gtk_dialog_run(GTK_DIALOG(box));
    gtk_widget_destroy(box);
    DrainGtkEvents();
  }
  return response > 0 ? response : ButtonsFor(style).onClose;
}

}  // namespace plat::linux_port
