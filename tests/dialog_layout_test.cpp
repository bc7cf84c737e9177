// The rules the two templates' tables must keep: every control inside its
// group box and the dialog, none over another, labels opening Tab groups,
// sliders without ticks.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "saver/dialog_layout.h"

using plat::ControlKind;
using plat::DialogControl;

namespace {

// The combo box's height includes its dropped-down list.
int VisibleHeight(const DialogControl& c) { return c.kind == ControlKind::ComboBox ? 12 : c.h; }

bool Inside(const DialogControl& in, const DialogControl& out) {
  return in.x >= out.x && in.y >= out.y && in.x + in.w <= out.x + out.w && in.y + in.h <= out.y + out.h;
}

bool Overlap(const DialogControl& a, const DialogControl& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + VisibleHeight(b) && b.y < a.y + VisibleHeight(a);
}

TEST(DialogLayout, ControlsSitInTheirGroupsAndTheDialogWithoutOverlapping) {
  for (int id : {prumya::kSettingsTemplate, prumya::kAboutTemplate}) {
    const plat::DialogTemplate* t = prumya::FindDialogTemplate(id);
    ASSERT_NE(nullptr, t);
    std::set<int> ids;
    for (int i = 0; i < t->controlCount; ++i) {
      const DialogControl& a = t->controls[i];
      SCOPED_TRACE(std::to_string(id) + ": control " + std::to_string(i + 1));
      EXPECT_LE(a.x + a.w, t->w);
      EXPECT_LE(a.y + VisibleHeight(a), t->h);
      const bool label = a.kind == ControlKind::Text;
      // Only the controls the procedures address have ids, each its own.
      const bool passive = label || a.kind == ControlKind::GroupBox || a.kind == ControlKind::Icon;
      EXPECT_EQ(passive, a.id == plat::kNoControlId);
      EXPECT_TRUE(passive || ids.insert(a.id).second) << "id " << a.id << " twice";
      EXPECT_EQ(label, (a.style & plat::kWsGroup) != 0);
      const std::uint32_t slider = plat::kTbsBoth | plat::kTbsNoTicks;
      EXPECT_TRUE(a.kind != ControlKind::Trackbar || (a.style & slider) == slider);
      EXPECT_EQ(!label && a.kind != ControlKind::GroupBox && a.kind != ControlKind::Edit && a.kind != ControlKind::Icon,
                plat::IsTabStop(a));
      if (a.groupBox >= 0) {
        ASSERT_EQ(ControlKind::GroupBox, t->controls[a.groupBox].kind);
        EXPECT_TRUE(Inside(a, t->controls[a.groupBox]));
      }
      for (int j = i + 1; j < t->controlCount; ++j) {
        const DialogControl& b = t->controls[j];
        if (a.kind != ControlKind::GroupBox && b.kind != ControlKind::GroupBox) {
          EXPECT_FALSE(Overlap(a, b)) << j + 1;
        }
      }
    }
  }
  EXPECT_STREQ("APPICON", prumya::kAboutDialogTemplate.controls[1].text);
}

}  // namespace
