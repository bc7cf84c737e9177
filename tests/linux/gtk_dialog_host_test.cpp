// The GTK dialog host on the real settings template: control operations,
// the notifications user actions give (and our own changes do not), and the
// name field's byte limit. Needs an X display; skips without one.
#include <gtk/gtk.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/fake/fake_message_boxes.h"
#include "platform/linux/gtk_dialog_builder.h"
#include "platform/linux/gtk_dialog_host.h"
#include "platform/linux/gtk_session.h"
#include "platform/linux/utf8_boundary.h"
#include "saver/dialog_layout.h"

namespace {

using plat::WindowHandle;
using plat::linux_port::GtkDialogHost;

constexpr int kName = prumya::kIdcPresetName;
constexpr int kSlider = prumya::kIdcFirstSlider;

using Seen = std::pair<std::uint32_t, int>;  // a notification and its control

class GtkDialogHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!plat::linux_port::EnsureGtk()) GTEST_SKIP() << "no display";
  }
  // Runs template 102; `init` acts during WM_INITDIALOG, `shown` once the
  // loop runs (from an idle callback), and ends the dialog.
  std::intptr_t Run(std::function<void(WindowHandle)> init,
                    std::function<void(WindowHandle)> shown = nullptr) {
    const plat::DialogProcedure procedure = [this, init, shown](WindowHandle d, std::uint32_t m,
                                                                std::uintptr_t w, std::intptr_t l) -> std::intptr_t {
      if (m == plat::kWmInitDialog) {
        init(d);
        if (shown) g_idle_add(RunShown, new std::function<void()>([shown, d] { shown(d); }));  // freed there
        return 1;
      }
      if (m == plat::kWmDestroy) return 0;
      const int id = m == plat::kWmHScroll ? host.ControlId(static_cast<WindowHandle>(l))
                                           : plat::CommandId(w);
      seen.push_back({m, id});
      return 0;
    };
    return host.RunModal(1, prumya::kSettingsTemplate, 0, procedure);
  }
  static gboolean RunShown(gpointer data) {
    auto* call = static_cast<std::function<void()>*>(data);
    (*call)();
    delete call;
    return G_SOURCE_REMOVE;
  }
  GtkWidget* Widget(WindowHandle d, int id) {
    GtkWindow* window = host.WindowFor(d);
    GtkWidget* fixed = gtk_bin_get_child(GTK_BIN(window));
    const auto& controls = prumya::kSettingsDialogTemplate;
    GList* children = gtk_container_get_children(GTK_CONTAINER(fixed));
    GtkWidget* found = nullptr;
    int i = 0;
    for (GList* c = children; c != nullptr; c = c->next, ++i)
      if (controls.controls[i].id == id) found = GTK_WIDGET(c->data);
    g_list_free(children);
    return found;
  }
  GtkEntry* NameEntry(WindowHandle d) {
    return GTK_ENTRY(gtk_bin_get_child(GTK_BIN(Widget(d, kName))));
  }

  fake::FakeMessageBoxes boxes;
  GtkDialogHost host{&prumya::FindDialogTemplate, &boxes};
  std::vector<Seen> seen;
};

// Our own changes notify nothing. Twenty kana are forty Shift_JIS bytes: a
// paste keeps the sixteen that fit the 32-byte limit and typing on is
// refused, so the field holds the name that will be stored.
TEST_F(GtkDialogHostTest, OwnChangesNotifyNothingAndTheNameStopsAtItsByteLimit) {
  const std::string slow = "ゆっくり", fast = "速い", length = "長さ:512";
  const std::string twenty = "あいうえおかきくけこさしすせそたちつてと";
  const std::intptr_t result = Run([&](WindowHandle d) {
    // The list's order and lookups are the shared sorted list's; here, that
    // the widget shows them.
    for (const std::string& s : {fast, std::string("Beta"), slow, std::string("alpha long")})
      host.AddListText(d, kName, s.c_str());
    EXPECT_TRUE(host.DeleteListEntry(d, kName, 1));  // Beta
    EXPECT_EQ(1, host.SelectListPrefix(d, kName, slow.c_str()));
    EXPECT_EQ(plat::linux_port::Cp932ToUtf8(slow.c_str()), gtk_entry_get_text(NameEntry(d)));
    char text[256];
    host.SetSliderRange(d, kSlider, 4, 512);
    host.SetSliderPos(d, kSlider, 600);
    EXPECT_EQ(512, host.GetSliderPos(d, kSlider));
    host.CheckButton(d, prumya::kIdcClock, true);
    EXPECT_TRUE(host.IsButtonChecked(d, prumya::kIdcClock));
    host.SetItemText(d, prumya::kIdcValueDisplay, length.c_str());
    host.GetItemText(d, prumya::kIdcValueDisplay, text, sizeof text);
    EXPECT_EQ(length, text);
    host.EnableItem(d, prumya::kIdcDelete, false);
    EXPECT_FALSE(gtk_widget_is_sensitive(Widget(d, prumya::kIdcDelete)));
    host.SetItemText(d, kName, "");
    EXPECT_TRUE(seen.empty());
    host.LimitText(d, kName, 32);
    int at = 0;
    const std::string utf8 = plat::linux_port::Cp932ToUtf8(twenty.c_str());
    gtk_editable_insert_text(GTK_EDITABLE(NameEntry(d)), utf8.c_str(), -1, &at);
    gtk_editable_insert_text(GTK_EDITABLE(NameEntry(d)), "x", -1, &at);
    EXPECT_EQ(plat::linux_port::Cp932ToUtf8(twenty.substr(0, 32).c_str()), gtk_entry_get_text(NameEntry(d)));
    host.GetItemText(d, kName, text, sizeof text);
    EXPECT_EQ(twenty.substr(0, 32), text);
    host.EndDialog(d, 7);
  });
  EXPECT_EQ(7, result);
}

// A slider move arrives as the notification its handler acts on (the list
// choice, typing and the buttons are driven end to end).
TEST_F(GtkDialogHostTest, ASliderMoveArrivesAsAWin32Notification) {
  Run([&](WindowHandle d) { host.SetSliderRange(d, kSlider, 0, 16); },
      [&](WindowHandle d) {
        gtk_range_set_value(GTK_RANGE(Widget(d, kSlider)), 5);
        host.EndDialog(d, 1);
      });
  EXPECT_EQ(std::vector<Seen>{Seen(plat::kWmHScroll, kSlider)}, seen);
}

}  // namespace
