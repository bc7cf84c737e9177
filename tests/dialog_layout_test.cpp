// The two templates against the dialog's published tables: controls in
// template (Tab) order, ids, kinds, group membership and Tab stops, plus the
// geometry rules the tables imply.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "saver/dialog_layout.h"

using plat::ControlKind;
using plat::DialogControl;
using prumya::kSettingsDialogTemplate;

namespace {

struct Expected {
  int id;
  ControlKind kind;
  int group;  // template number (1-based) of the enclosing group box, 0 for none
};

constexpr ControlKind B = ControlKind::PushButton, T = ControlKind::Text,
                      S = ControlKind::Trackbar, G = ControlKind::GroupBox,
                      C = ControlKind::CheckBox;

const Expected kExpected[61] = {
    {1, ControlKind::DefPushButton, 0}, {2, B, 0}, {1014, B, 0}, {1010, B, 0}, {-1, T, 0},
    {1008, ControlKind::Edit, 0}, {-1, T, 0}, {1011, ControlKind::ComboBox, 0}, {1016, C, 0},
    {-1, T, 18}, {-1, T, 18}, {-1, T, 18}, {5000, S, 18}, {-1, T, 18}, {-1, T, 18}, {-1, T, 18},
    {5001, S, 18}, {-1, G, 0}, {-1, T, 23}, {-1, T, 23}, {-1, T, 23}, {5004, S, 23}, {-1, G, 0},
    {-1, T, 30}, {-1, T, 30}, {-1, T, 30}, {5002, S, 30}, {-1, T, 30}, {5003, S, 30}, {-1, G, 0},
    {-1, T, 35}, {-1, T, 35}, {-1, T, 35}, {5008, S, 35}, {-1, G, 0}, {-1, T, 46}, {-1, T, 46},
    {-1, T, 46}, {5005, S, 46}, {-1, T, 46}, {5006, S, 46}, {-1, T, 46}, {-1, T, 46},
    {-1, T, 46}, {5007, S, 46}, {-1, G, 0}, {-1, T, 57}, {-1, T, 57}, {-1, T, 57}, {5009, S, 57},
    {-1, T, 57}, {5010, S, 57}, {-1, T, 57}, {-1, T, 57}, {-1, T, 57}, {5011, S, 57},
    {-1, G, 0}, {1017, C, 0}, {1018, C, 0}, {1019, C, 0}, {1020, C, 0},
};

bool Inside(const DialogControl& inner, const DialogControl& outer) {
  return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
         inner.y + inner.h <= outer.y + outer.h;
}

// The combo box's 84 units include its dropped-down list.
int VisibleHeight(const DialogControl& c) { return c.kind == ControlKind::ComboBox ? 12 : c.h; }

bool Overlap(const DialogControl& a, const DialogControl& b) {
  return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + VisibleHeight(b) &&
         b.y < a.y + VisibleHeight(a);
}

}  // namespace

TEST(DialogLayout, SettingsControlsInTemplateOrder) {
  const auto& t = kSettingsDialogTemplate;
  ASSERT_EQ(61, t.controlCount);
  for (int i = 0; i < 61; ++i) {
    SCOPED_TRACE("control " + std::to_string(i + 1));
    const DialogControl& c = t.controls[i];
    EXPECT_EQ(kExpected[i].id, c.id);
    EXPECT_EQ(kExpected[i].kind, c.kind);
    EXPECT_EQ(kExpected[i].group - 1, c.groupBox);
    const bool tabStop = c.kind != T && c.kind != G && c.kind != ControlKind::Edit;
    EXPECT_EQ(tabStop, plat::IsTabStop(c));
    EXPECT_EQ(c.kind == T, (c.style & plat::kWsGroup) != 0);
    if (c.groupBox >= 0) {
      EXPECT_EQ(ControlKind::GroupBox, t.controls[c.groupBox].kind);
      EXPECT_TRUE(Inside(c, t.controls[c.groupBox]));
    }
  }
}

TEST(DialogLayout, SlidersSitInTheirGroupBoxes) {
  const auto& t = kSettingsDialogTemplate;
  const char* line = "線の特性";
  const char* colour = "色の特性";
  const char* move = "基本点の移動";
  const char* bounce = "基本点の反射";
  const char* spin = "描画点の回転";
  const char* wobble = "描画点の振動";
  const char* groupOf[12] = {line, line, move, move, colour, spin,
                             spin, spin, bounce, wobble, wobble, wobble};
  int seen = 0;
  for (int i = 0; i < t.controlCount; ++i) {
    const DialogControl& c = t.controls[i];
    if (c.kind != S) continue;
    const int index = c.id - prumya::kIdcFirstSlider;
    ASSERT_TRUE(index >= 0 && index < 12);
    seen |= 1 << index;
    EXPECT_STREQ(groupOf[index], t.controls[c.groupBox].text) << "slider " << c.id;
    EXPECT_EQ(plat::kTbsBoth | plat::kTbsNoTicks, c.style & (plat::kTbsBoth | plat::kTbsNoTicks));
  }
  EXPECT_EQ(0xFFF, seen);
}

TEST(DialogLayout, NothingOverlapsAndEverythingFits) {
  for (const auto* t : {&kSettingsDialogTemplate, &prumya::kAboutDialogTemplate}) {
    for (int i = 0; i < t->controlCount; ++i) {
      const DialogControl& a = t->controls[i];
      EXPECT_LE(a.x + a.w, t->w);
      EXPECT_LE(a.y + VisibleHeight(a), t->h);
      for (int j = i + 1; j < t->controlCount; ++j) {
        const DialogControl& b = t->controls[j];
        if (a.kind == G || b.kind == G) continue;
        EXPECT_FALSE(Overlap(a, b)) << t->id << ": controls " << i + 1 << " and " << j + 1;
      }
    }
  }
}

TEST(DialogLayout, DialogFrames) {
  const std::uint32_t style = plat::kWsPopup | plat::kWsCaption | plat::kWsSysMenu |
                              plat::kDsModalFrame | plat::kDsCenter;
  const std::string font = "ＭＳ Ｐゴシック";
  const std::string settingsTitle = "ぷるみゅら の設定";
  const std::string aboutTitle = "ぷるみゅら のバージョン情報";
  const std::string version = "スクリーンセーバ ぷるみゅら Version 3.1";
  const auto& s = kSettingsDialogTemplate;
  const auto& a = prumya::kAboutDialogTemplate;
  EXPECT_EQ(settingsTitle, s.title);
  EXPECT_EQ(aboutTitle, a.title);
  for (const auto* t : {&s, &a}) {
    EXPECT_EQ(style, t->style);
    EXPECT_EQ(font, t->fontName);
    EXPECT_EQ(9, t->pointSize);
    EXPECT_EQ(t, prumya::FindDialogTemplate(t->id));
  }
  EXPECT_EQ(291, s.w);
  EXPECT_EQ(231, s.h);
  EXPECT_EQ(183, a.w);
  EXPECT_EQ(55, a.h);
  ASSERT_EQ(4, a.controlCount);
  EXPECT_EQ(ControlKind::DefPushButton, a.controls[0].kind);
  EXPECT_STREQ("APPICON", a.controls[1].text);
  EXPECT_EQ(version, a.controls[2].text);
  EXPECT_EQ(nullptr, prumya::FindDialogTemplate(101));
}
