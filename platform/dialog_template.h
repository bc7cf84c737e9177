// Dialog templates as data: what a DIALOGEX resource holds, in a form both
// ports read. Windows compiles them into the resource script at build time;
// the Linux port builds its GTK dialogs from the same rows. Style bits keep
// their Win32 values.
#pragma once
#include <cstdint>

namespace plat {

// Window and dialog styles.
constexpr std::uint32_t kWsPopup = 0x80000000;
constexpr std::uint32_t kWsChild = 0x40000000;
constexpr std::uint32_t kWsVisible = 0x10000000;
constexpr std::uint32_t kWsCaption = 0x00C00000;
constexpr std::uint32_t kWsBorder = 0x00800000;
constexpr std::uint32_t kWsVScroll = 0x00200000;
constexpr std::uint32_t kWsSysMenu = 0x00080000;
constexpr std::uint32_t kWsGroup = 0x00020000;
constexpr std::uint32_t kWsTabStop = 0x00010000;
constexpr std::uint32_t kDsModalFrame = 0x0080;
constexpr std::uint32_t kDsCenter = 0x0800;

// Control styles (low word, meaning depends on the class).
constexpr std::uint32_t kBsPushButton = 0x0;
constexpr std::uint32_t kBsDefPushButton = 0x1;
constexpr std::uint32_t kBsAutoCheckBox = 0x3;
constexpr std::uint32_t kBsGroupBox = 0x7;
constexpr std::uint32_t kSsLeft = 0x0;
constexpr std::uint32_t kSsCenter = 0x1;
constexpr std::uint32_t kSsRight = 0x2;
constexpr std::uint32_t kSsIcon = 0x3;
constexpr std::uint32_t kSsTypeMask = 0x1F;
constexpr std::uint32_t kSsCenterImage = 0x0200;  // text centred vertically
constexpr std::uint32_t kEsCenter = 0x1;
constexpr std::uint32_t kEsReadOnly = 0x0800;
constexpr std::uint32_t kCbsDropDown = 0x2;
constexpr std::uint32_t kCbsAutoHScroll = 0x40;
constexpr std::uint32_t kCbsSort = 0x100;
constexpr std::uint32_t kTbsBoth = 0x8;
constexpr std::uint32_t kTbsNoTicks = 0x10;

// The control's window class; the kind of button or static is in its style.
enum class ControlClass : std::uint8_t { Button, Static, Edit, ComboBox, Trackbar };

enum class ControlKind : std::uint8_t {
  DefPushButton,
  PushButton,
  CheckBox,
  GroupBox,
  Text,  // static text; alignment in the style
  Icon,  // static icon; the text names the icon resource
  Edit,
  ComboBox,
  Trackbar,
};

constexpr int kNoControlId = -1;  // never addressed
constexpr std::int8_t kNoGroupBox = -1;

struct DialogControl {
  int id;  // kNoControlId for labels, frames and the icon
  ControlKind kind;
  const char* text;     // code page 932; null for none
  std::uint32_t style;  // besides WS_CHILD | WS_VISIBLE
  std::int16_t x, y, w, h;  // dialog units
  std::int8_t groupBox;     // template index of the enclosing group box
};

struct DialogTemplate {
  int id;
  const char* title;  // code page 932
  std::int16_t w, h;  // dialog units
  std::uint32_t style;
  const char* fontName;  // code page 932
  std::int16_t pointSize;
  const DialogControl* controls;
  int controlCount;
};

constexpr ControlClass ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::DefPushButton:
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::GroupBox:
      return ControlClass::Button;
    case ControlKind::Text:
    case ControlKind::Icon:
      return ControlClass::Static;
    case ControlKind::Edit:
      return ControlClass::Edit;
    case ControlKind::ComboBox:
      return ControlClass::ComboBox;
    case ControlKind::Trackbar:
      break;
  }
  return ControlClass::Trackbar;
}

constexpr bool IsTabStop(const DialogControl& c) { return (c.style & kWsTabStop) != 0; }

// Finds a template by resource id; null when there is none.
using DialogTemplateLookup = const DialogTemplate* (*)(int templateId);

}  // namespace plat
