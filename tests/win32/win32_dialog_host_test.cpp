// The Windows dialog host against the real dialog manager (under Wine in our
// runs): the control operations behave as the handlers rely on.
#include "platform/win32/win32_headers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/common/sorted_text_list.h"
#include "platform/win32/win32_dialog_host.h"
#include "saver/dialog_layout.h"

namespace {

std::vector<std::string> ComboTexts(HWND dialog, int id) {
  std::vector<std::string> out;
  const int count = static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[1024] = "";
    SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    out.emplace_back(text);
  }
  return out;
}

}  // namespace

TEST(Win32DialogHost, ControlOperationsOnTheSettingsTemplate) {
  plat::win32_port::Win32DialogHost host;
  const char* const names[] = {"表示なし", "速い", "Beta", "ランダム", "alpha", "ゆっくり", "alpha long"};
  const std::string longName = std::string(510, 'x') + "長い";  // a character across byte 511
  std::vector<std::string> sorted;
  const plat::DialogProcedure procedure = [&](plat::WindowHandle d, std::uint32_t message,
                                              std::uintptr_t, std::intptr_t) -> std::intptr_t {
    if (message != plat::kWmInitDialog) return 0;
    const int name = prumya::kIdcPresetName;
    for (const char* s : names) host.AddListText(d, name, s);
    sorted = ComboTexts(reinterpret_cast<HWND>(d), name);
    EXPECT_EQ(1, host.SelectListPrefix(d, name, "ALPHA "));
    char text[256];
    EXPECT_EQ(10u, host.GetItemText(d, name, text, sizeof text));
    EXPECT_STREQ("alpha long", text);
    EXPECT_EQ(2, host.FindListExact(d, name, "BETA"));
    EXPECT_EQ(plat::kCbErr, host.FindListExact(d, name, "Bet"));
    EXPECT_EQ(plat::kCbErr, host.SelectListPrefix(d, name, "zz"));
    EXPECT_STREQ("alpha long", (host.GetItemText(d, name, text, sizeof text), text));
    EXPECT_TRUE(host.DeleteListEntry(d, name, 2));
    EXPECT_FALSE(host.DeleteListEntry(d, name, 99));
    const int at = host.AddListText(d, name, longName.c_str());
    SendDlgItemMessageA(reinterpret_cast<HWND>(d), name, CB_SETCURSEL, at, 0);
    char entry[512];
    EXPECT_EQ(510, host.GetSelectedListText(d, name, entry, sizeof entry));
    host.LimitText(d, name, 32);

    const int slider = prumya::kIdcFirstSlider;
    host.SetSliderRange(d, slider, 4, 512);
    host.SetSliderPos(d, slider, 600);
    EXPECT_EQ(512, host.GetSliderPos(d, slider));
    EXPECT_EQ(slider, host.ControlId(reinterpret_cast<plat::WindowHandle>(
                          GetDlgItem(reinterpret_cast<HWND>(d), slider))));
    host.EnableItem(d, prumya::kIdcDelete, false);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(reinterpret_cast<HWND>(d), prumya::kIdcDelete)));
    host.EndDialog(d, 7);
    return 1;
  };
  EXPECT_EQ(7, host.RunModal(reinterpret_cast<plat::InstanceHandle>(GetModuleHandleA(nullptr)),
                             prumya::kSettingsTemplate, 0, procedure));
  // The combo box's own order is the one the fakes' and the Linux port's list
  // reproduce: ASCII case ignored, double-byte characters by their bytes.
  plat::SortedTextList list;
  for (const char* s : names) list.Add(s);
  ASSERT_EQ(static_cast<int>(sorted.size()), list.Count());
  for (int i = 0; i < list.Count(); ++i) EXPECT_EQ(sorted[i], list.Text(i)) << i;
  EXPECT_EQ("ゆっくり", sorted[3]);
}
