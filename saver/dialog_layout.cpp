// Templates 102 (settings) and 103 (about), in template order, which is also
// the Tab order. resources/make_dialogs.py reads this file to write the
// Windows resource script, so keep one control per line in this form.
#include "saver/dialog_layout.h"

namespace prumya {
namespace {

using K = plat::ControlKind;
using namespace plat;  // style names

constexpr std::uint32_t kDialogStyle = kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame | kDsCenter;
constexpr std::uint32_t kDefButton = kBsDefPushButton | kWsTabStop;
constexpr std::uint32_t kButton = kBsPushButton | kWsTabStop;
constexpr std::uint32_t kCheck = kBsAutoCheckBox | kWsTabStop;
constexpr std::uint32_t kSlider = kTbsBoth | kTbsNoTicks | kWsTabStop;
constexpr std::uint32_t kNameBox = kCbsDropDown | kCbsSort | kCbsAutoHScroll | kWsVScroll | kWsTabStop;
constexpr std::uint32_t kValueBox = kEsReadOnly | kEsCenter | kWsBorder;
constexpr std::uint32_t kTopLeft = kSsLeft | kWsGroup;
constexpr std::uint32_t kLeft = kSsLeft | kSsCenterImage | kWsGroup;
constexpr std::uint32_t kRight = kSsRight | kSsCenterImage | kWsGroup;
constexpr std::uint32_t kCentred = kSsCenter | kSsCenterImage | kWsGroup;
constexpr std::uint32_t kFrame = kBsGroupBox;
constexpr std::uint32_t kIconStyle = kSsIcon;

// Template indexes of the group boxes.
constexpr std::int8_t kNone = kNoGroupBox;
constexpr std::int8_t kLine = 17;
constexpr std::int8_t kColour = 22;
constexpr std::int8_t kBaseMove = 29;
constexpr std::int8_t kBaseBounce = 34;
constexpr std::int8_t kSpin = 45;
constexpr std::int8_t kWobble = 56;

const char kFontName[] = "ＭＳ Ｐゴシック";

const DialogControl kSettingsControls[] = {
    {1, K::DefPushButton, "OK", kDefButton, 236, 184, 48, 16, kNone},
    {2, K::PushButton, "キャンセル", kButton, 236, 204, 48, 16, kNone},
    {1014, K::PushButton, "削除", kButton, 236, 164, 48, 16, kNone},
    {1010, K::PushButton, "バージョン", kButton, 236, 144, 48, 16, kNone},
    {-1, K::Text, "現在設定中の値", kTopLeft, 236, 112, 48, 8, kNone},
    {1008, K::Edit, "", kValueBox, 236, 124, 48, 12, kNone},
    {-1, K::Text, "映像名", kCentred, 8, 12, 24, 12, kNone},
    {1011, K::ComboBox, "", kNameBox, 36, 12, 192, 84, kNone},
    {1016, K::CheckBox, "速度制限", kCheck, 236, 12, 48, 12, kNone},
    {-1, K::Text, "短い", kLeft, 40, 40, 16, 12, kLine},
    {-1, K::Text, "長い", kRight, 92, 40, 16, 12, kLine},
    {-1, K::Text, "長さ", kCentred, 12, 52, 24, 12, kLine},
    {5000, K::Trackbar, "", kSlider, 36, 52, 76, 12, kLine},
    {-1, K::Text, "細い", kLeft, 40, 64, 16, 12, kLine},
    {-1, K::Text, "太い", kRight, 92, 64, 16, 12, kLine},
    {-1, K::Text, "太さ", kCentred, 12, 76, 24, 12, kLine},
    {5001, K::Trackbar, "", kSlider, 36, 76, 76, 12, kLine},
    {-1, K::GroupBox, "線の特性", kFrame, 8, 32, 108, 60, kNone},
    {-1, K::Text, "遅い", kLeft, 152, 52, 16, 12, kColour},
    {-1, K::Text, "速い", kRight, 204, 52, 16, 12, kColour},
    {-1, K::Text, "変化", kCentred, 124, 64, 24, 12, kColour},
    {5004, K::Trackbar, "", kSlider, 148, 64, 76, 12, kColour},
    {-1, K::GroupBox, "色の特性", kFrame, 120, 32, 108, 60, kNone},
    {-1, K::Text, "遅い", kLeft, 40, 104, 16, 12, kBaseMove},
    {-1, K::Text, "速い", kRight, 92, 104, 16, 12, kBaseMove},
    {-1, K::Text, "先端", kCentred, 12, 116, 24, 12, kBaseMove},
    {5002, K::Trackbar, "", kSlider, 36, 116, 76, 12, kBaseMove},
    {-1, K::Text, "軌跡", kCentred, 12, 128, 24, 12, kBaseMove},
    {5003, K::Trackbar, "", kSlider, 36, 128, 76, 12, kBaseMove},
    {-1, K::GroupBox, "基本点の移動", kFrame, 8, 96, 108, 48, kNone},
    {-1, K::Text, "小さい", kLeft, 152, 112, 20, 12, kBaseBounce},
    {-1, K::Text, "大きい", kRight, 200, 112, 20, 12, kBaseBounce},
    {-1, K::Text, "余白", kCentred, 124, 124, 24, 12, kBaseBounce},
    {5008, K::Trackbar, "", kSlider, 148, 124, 76, 12, kBaseBounce},
    {-1, K::GroupBox, "基本点の反射", kFrame, 120, 96, 108, 48, kNone},
    {-1, K::Text, "遅い", kLeft, 40, 156, 16, 12, kSpin},
    {-1, K::Text, "速い", kRight, 92, 156, 16, 12, kSpin},
    {-1, K::Text, "先端", kCentred, 12, 168, 24, 12, kSpin},
    {5005, K::Trackbar, "", kSlider, 36, 168, 76, 12, kSpin},
    {-1, K::Text, "軌跡", kCentred, 12, 180, 24, 12, kSpin},
    {5006, K::Trackbar, "", kSlider, 36, 180, 76, 12, kSpin},
    {-1, K::Text, "小さい", kLeft, 40, 192, 20, 12, kSpin},
    {-1, K::Text, "大きい", kRight, 88, 192, 20, 12, kSpin},
    {-1, K::Text, "半径", kCentred, 12, 204, 24, 12, kSpin},
    {5007, K::Trackbar, "", kSlider, 36, 204, 76, 12, kSpin},
    {-1, K::GroupBox, "描画点の回転", kFrame, 8, 148, 108, 72, kNone},
    {-1, K::Text, "遅い", kLeft, 152, 156, 16, 12, kWobble},
    {-1, K::Text, "速い", kRight, 204, 156, 16, 12, kWobble},
    {-1, K::Text, "先端", kCentred, 124, 168, 24, 12, kWobble},
    {5009, K::Trackbar, "", kSlider, 148, 168, 76, 12, kWobble},
    {-1, K::Text, "軌跡", kCentred, 124, 180, 24, 12, kWobble},
    {5010, K::Trackbar, "", kSlider, 148, 180, 76, 12, kWobble},
    {-1, K::Text, "小さい", kLeft, 152, 192, 20, 12, kWobble},
    {-1, K::Text, "大きい", kRight, 200, 192, 20, 12, kWobble},
    {-1, K::Text, "振幅", kCentred, 124, 204, 24, 12, kWobble},
    {5011, K::Trackbar, "", kSlider, 148, 204, 76, 12, kWobble},
    {-1, K::GroupBox, "描画点の振動", kFrame, 120, 148, 108, 72, kNone},
    {1017, K::CheckBox, "マウスロック", kCheck, 236, 28, 48, 12, kNone},
    {1018, K::CheckBox, "時計", kCheck, 236, 44, 48, 12, kNone},
    {1019, K::CheckBox, "ベンチマーク", kCheck, 236, 60, 48, 12, kNone},
    {1020, K::CheckBox, "フルカラー", kCheck, 236, 76, 48, 12, kNone},
};

const DialogControl kAboutControls[] = {
    {1, K::DefPushButton, "OK", kDefButton, 128, 32, 48, 16, kNone},
    {-1, K::Icon, "APPICON", kIconStyle, 8, 16, 20, 20, kNone},
    {-1, K::Text, "スクリーンセーバ ぷるみゅら Version 3.1", kTopLeft, 32, 16, 144, 8, kNone},
    {-1, K::Text, "(C) ぷるみゅら制作室", kTopLeft, 32, 28, 92, 8, kNone},
};

template <int N>
constexpr int CountOf(const DialogControl (&)[N]) {
  return N;
}

}  // namespace

const DialogTemplate kSettingsDialogTemplate = {
    kSettingsTemplate, "ぷるみゅら の設定", 291, 231, kDialogStyle, kFontName, 9,
    kSettingsControls, CountOf(kSettingsControls)};
const DialogTemplate kAboutDialogTemplate = {
    kAboutTemplate, "ぷるみゅら のバージョン情報", 183, 55, kDialogStyle, kFontName, 9,
    kAboutControls, CountOf(kAboutControls)};

const DialogTemplate* FindDialogTemplate(int templateId) {
  if (templateId == kSettingsTemplate) return &kSettingsDialogTemplate;
  if (templateId == kAboutTemplate) return &kAboutDialogTemplate;
  return nullptr;
}

}  // namespace prumya
