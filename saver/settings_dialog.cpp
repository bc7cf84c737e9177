#include "saver/settings_dialog.h"

#include <cstdio>
#include <cstring>

#include "framework/framework.h"
#include "saver/dialog_layout.h"
#include "saver/save_failure.h"

namespace prumya {
namespace {

// The areas texts are read into.
constexpr std::uint32_t kEditTextSize = 256;
constexpr std::uint32_t kListTextSize = 512;
constexpr std::uint32_t kNameListSize = 2048;
constexpr std::uint32_t kBoxTextSize = 512;
constexpr std::intptr_t kHandled = 1;
constexpr std::intptr_t kNotHandled = 0;

const char kDeleteCaption[] = "映像削除";
const char kDeleteText[] = "映像名 \"%s\" を削除します。\nよろしいですか？";
const char kRefuseCaption[] = "ぷるみゅら の設定";
const char kRefuseText[] = "映像名 \"%s\" への上書きは出来ません。\n映像名を変更してください。";
const char kColourCaption[] = "色数設定";
const char kColourText[] = "色数の設定は再起動後に有効となります。";

// A check box and the setting it stands for: ticked when the dialog opens if
// the setting is non-zero (zero for the mouse lock); stored back as one of
// two values when it closes.
struct SwitchBox {
  int id;
  std::int32_t SaverSettings::*field;
  bool tickedWhenZero;
  std::int32_t tickedValue, clearValue;
};

constexpr SwitchBox kSwitchBoxes[] = {
    {kIdcSpeedLimit, &SaverSettings::speedLimitMs, false, 20, 0},
    {kIdcMouseLock, &SaverSettings::mouseThreshold, true, 0, 24},
    {kIdcClock, &SaverSettings::showClock, false, 1, 0},
    {kIdcFrameRate, &SaverSettings::showFrameRate, false, 1, 0},
    {kIdcFullColour, &SaverSettings::fullColour, false, 1, 0},
};

constexpr int SliderId(int index) { return kIdcFirstSlider + index; }

}  // namespace

SettingsDialog::SettingsDialog(SaverConfig& config, plat::IDialogHost& host, qrx::AppShell& shell,
                               qrx::BoxHost& boxes, DisplaySource display)
    : config_(&config), host_(&host), shell_(&shell), boxes_(&boxes), display_(std::move(display)) {}

std::intptr_t SettingsDialog::Run(plat::InstanceHandle instance, plat::WindowHandle parent) {
  // Over the running saver the dialog is only visible on the GDI surface.
  if (plat::IDisplayDevice* device = display_ ? display_() : nullptr) device->FlipToGdiSurface();
  const std::intptr_t result = host_->RunModal(
      instance, kSettingsTemplate, parent,
      [this](plat::WindowHandle d, std::uint32_t m, std::uintptr_t w, std::intptr_t l) {
        return SettingsDialogProc(d, m, w, l);
      });
  if (result != plat::kIdOk) return result;
  if (const char* failed = config_->WriteAfterOk()) ReportSaveFailure(*boxes_, failed);
  return result;
}

std::intptr_t SettingsDialog::SettingsDialogProc(plat::WindowHandle dialog, std::uint32_t message,
                                                 std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case plat::kWmInitDialog:
      OnInitDialog(dialog);
      return kHandled;
    case plat::kWmDestroy:
      OnDestroyDialog(dialog);
      return kHandled;
    case plat::kWmCommand:
      return OnCommand(dialog, wParam);
    case plat::kWmHScroll:
      OnSliderMoved(dialog, lParam);
      return kHandled;
    default:
      return kNotHandled;
  }
}

// The combo box's notification codes come first, whichever control sent them.
std::intptr_t SettingsDialog::OnCommand(plat::WindowHandle dialog, std::uintptr_t wParam) {
  switch (plat::CommandCode(wParam)) {
    case plat::kCbnSelChange:
      OnPresetSelected(dialog);
      return kHandled;
    case plat::kCbnEditChange:
      OnPresetNameEdited(dialog);
      return kHandled;
    default:
      break;
  }
  switch (plat::CommandId(wParam)) {
    case plat::kIdOk:
      if (ValidateOk(dialog)) host_->EndDialog(dialog, plat::kIdOk);
      return kHandled;
    case plat::kIdCancel:
      host_->EndDialog(dialog, plat::kIdCancel);
      return kHandled;
    case kIdcVersion:
      RunAboutBox(dialog);
      return kHandled;
    case kIdcDelete:
      OnDeletePreset(dialog);
      return kHandled;
    default:
      return kNotHandled;
  }
}

std::intptr_t SettingsDialog::AboutDialogProc(plat::WindowHandle dialog, std::uint32_t message,
                                              std::uintptr_t wParam, std::intptr_t) {
  if (message != plat::kWmCommand) return kNotHandled;
  const int id = plat::CommandId(wParam);
  if (id != plat::kIdOk && id != plat::kIdCancel) return kNotHandled;
  host_->EndDialog(dialog, static_cast<std::intptr_t>(wParam));
  return kHandled;
}

void SettingsDialog::OnInitDialog(plat::WindowHandle dialog) {
  AddPresetNames(dialog, config_->paths.systemPresets);
  AddPresetNames(dialog, config_->paths.userPresets);
  host_->SelectListPrefix(dialog, kIdcPresetName, config_->settings.presetName);
  host_->LimitText(dialog, kIdcPresetName, kPresetNameMax);
  InitSliders(dialog);
  for (const SwitchBox& box : kSwitchBoxes) {
    const std::int32_t v = config_->settings.*box.field;
    host_->CheckButton(dialog, box.id, box.tickedWhenZero ? v == 0 : v != 0);
  }
  host_->EnableItem(dialog, kIdcDelete, !config_->IsReadOnly(config_->settings.presetName));
  host_->EnableItem(dialog, plat::kIdOk, NameFieldFilled(dialog));
}

// OK never takes an empty name: stored, it would become a section without a
// name, which ends a section-name list early and hides every preset after it.
bool SettingsDialog::NameFieldFilled(plat::WindowHandle dialog) {
  char name[kEditTextSize];
  host_->GetItemText(dialog, kIdcPresetName, name, sizeof name);
  return name[0] != '\0';
}

void SettingsDialog::AddPresetNames(plat::WindowHandle dialog, const char* file) {
  char names[kNameListSize] = {};
  config_->Store().GetSectionNames(names, sizeof names, file);
  // The list ends with an empty name; the last two bytes keep the walk
  // inside the area whatever the store wrote.
  names[sizeof names - 2] = '\0';
  names[sizeof names - 1] = '\0';
  for (const char* p = names; *p != '\0'; p += std::strlen(p) + 1)
    host_->AddListText(dialog, kIdcPresetName, p);
}

void SettingsDialog::InitSliders(plat::WindowHandle dialog) {
  for (int i = 0; i < kParamCount; ++i) {
    const int id = SliderId(i);
    host_->SetSliderPageSize(dialog, id, 1);
    host_->SetSliderLineSize(dialog, id, 1);
    host_->SetSliderRange(dialog, id, config_->ranges[i].minimum, config_->ranges[i].maximum);
    host_->SetSliderPos(dialog, id, config_->params[i]);
  }
}

void SettingsDialog::OnSliderMoved(plat::WindowHandle dialog, std::intptr_t lParam) {
  const int index = host_->ControlId(static_cast<plat::WindowHandle>(lParam)) - kIdcFirstSlider;
  if (index < 0 || index >= kParamCount) return;
  const std::int32_t position = host_->GetSliderPos(dialog, SliderId(index));
  char text[32];
  std::snprintf(text, sizeof text, "%.16s:%03d", config_->ranges[index].label,
                static_cast<int>(position));
  host_->SetItemText(dialog, kIdcValueDisplay, text);
}

void SettingsDialog::OnPresetSelected(plat::WindowHandle dialog) {
  char name[kListTextSize];
  if (host_->GetSelectedListText(dialog, kIdcPresetName, name, sizeof name) == plat::kCbErr)
    return;
  LoadPreset(dialog, name);
}

// The preset's stored values, clamped to the sliders' ranges, and the two
// buttons as for a chosen entry.
void SettingsDialog::LoadPreset(plat::WindowHandle dialog, const char* name) {
  for (int i = 0; i < kParamCount; ++i)
    host_->SetSliderPos(dialog, SliderId(i), config_->Clamp(i, config_->StoredValue(name, i)));
  host_->EnableItem(dialog, kIdcDelete, !config_->IsReadOnly(name));
  host_->EnableItem(dialog, plat::kIdOk, true);
}

// No entry begins with the default name: show that name over the table's
// defaults, which is what the saver itself would load for it.
void SettingsDialog::LoadDefaults(plat::WindowHandle dialog) {
  host_->SetItemText(dialog, kIdcPresetName, kDefaultPresetName);
  for (int i = 0; i < kParamCount; ++i)
    host_->SetSliderPos(dialog, SliderId(i), config_->Clamp(i, config_->ranges[i].defaultValue));
  host_->EnableItem(dialog, kIdcDelete, !config_->IsReadOnly(kDefaultPresetName));
  host_->EnableItem(dialog, plat::kIdOk, true);
}

void SettingsDialog::OnPresetNameEdited(plat::WindowHandle dialog) {
  char name[kEditTextSize];
  host_->GetItemText(dialog, kIdcPresetName, name, sizeof name);
  const bool listed = host_->FindListExact(dialog, kIdcPresetName, name) != plat::kCbErr;
  host_->EnableItem(dialog, kIdcDelete, listed && !config_->IsReadOnly(name));
  host_->EnableItem(dialog, plat::kIdOk, name[0] != '\0');
}

void SettingsDialog::OnDeletePreset(plat::WindowHandle dialog) {
  char name[kEditTextSize];
  host_->GetItemText(dialog, kIdcPresetName, name, sizeof name);
  // An empty field names no preset; deleting section "" would take the keys
  // standing before the file's first section with it.
  if (name[0] == '\0') return;
  char text[kBoxTextSize];
  std::snprintf(text, sizeof text, kDeleteText, name);
  if (ShowOwnedBox(dialog, qrx::MessageDialog::Question, kDeleteCaption, text) != plat::kIdYes)
    return;
  if (const char* failed = config_->DeletePreset(name)) {
    ReportOwnedSaveFailure(dialog, failed);
    return;
  }
  const int at = host_->FindListExact(dialog, kIdcPresetName, name);
  if (at != plat::kCbErr) host_->DeleteListEntry(dialog, kIdcPresetName, at);
  ShowDefaultPreset(dialog);
}

void SettingsDialog::ShowDefaultPreset(plat::WindowHandle dialog) {
  const bool found =
      host_->SelectListPrefix(dialog, kIdcPresetName, kDefaultPresetName) != plat::kCbErr;
  if (const char* failed = config_->WriteDefaultPresetName()) ReportOwnedSaveFailure(dialog, failed);
  char name[kListTextSize];
  if (found && host_->GetSelectedListText(dialog, kIdcPresetName, name, sizeof name) != plat::kCbErr)
    LoadPreset(dialog, name);
  else
    LoadDefaults(dialog);
}

// The read-only rule is checked on the name OK would store, so a longer
// name cut to a read-only preset's is refused like that name itself.
bool SettingsDialog::ValidateOk(plat::WindowHandle dialog) {
  char name[kPresetNameMax + 1];
  NameToStore(dialog, name);
  if (name[0] == '\0') return false;
  if (!config_->IsReadOnly(name) || SlidersMatchStored(dialog, name)) return true;
  char text[kBoxTextSize];
  std::snprintf(text, sizeof text, kRefuseText, name);
  ShowOwnedBox(dialog, qrx::MessageDialog::Information, kRefuseCaption, text);
  return false;
}

// Compared with the values as stored, not clamped: a read-only preset whose
// stored value lies outside its slider's range can't be confirmed unchanged.
bool SettingsDialog::SlidersMatchStored(plat::WindowHandle dialog, const char* name) {
  for (int i = 0; i < kParamCount; ++i)
    if (host_->GetSliderPos(dialog, SliderId(i)) != config_->StoredValue(name, i)) return false;
  return true;
}

// The field's text as the preset name takes it (at most kPresetNameMax
// bytes, whole characters).
void SettingsDialog::NameToStore(plat::WindowHandle dialog, char (&name)[kPresetNameMax + 1]) {
  char text[kEditTextSize];
  host_->GetItemText(dialog, kIdcPresetName, text, sizeof text);
  CopyPresetName(name, text);
}

void SettingsDialog::OnDestroyDialog(plat::WindowHandle dialog) {
  SaverSettings& settings = config_->settings;
  NameToStore(dialog, settings.presetName);
  for (const SwitchBox& box : kSwitchBoxes) {
    if (box.id == kIdcFullColour) continue;
    settings.*box.field = Checked(dialog, box.id) ? box.tickedValue : box.clearValue;
  }
  StoreFullColour(dialog);
  for (int i = 0; i < kParamCount; ++i)
    config_->params[i] = host_->GetSliderPos(dialog, SliderId(i));
}

// The colour depth is chosen when the display starts, so a change made over
// the running saver waits for the next start; say so. The switch's meaning
// is compared, so a hand-written "color=5" kept ticked is no change.
void SettingsDialog::StoreFullColour(plat::WindowHandle dialog) {
  std::int32_t& fullColour = config_->settings.fullColour;
  const std::int32_t ticked = Checked(dialog, kIdcFullColour) ? 1 : 0;
  const bool overSaver = display_ && display_() != nullptr;
  if (overSaver && (ticked != 0) != (fullColour != 0)) {
    qrx::MessageDialog notice(*boxes_, qrx::MessageDialog::Information);
    notice.SetCaption(kColourCaption);
    notice.SetText(kColourText);
    notice.Show();
  }
  fullColour = ticked;
}

void SettingsDialog::RunAboutBox(plat::WindowHandle dialog) {
  host_->RunModal(shell_->GetInstance(), kAboutTemplate, dialog,
                  [this](plat::WindowHandle d, std::uint32_t m, std::uintptr_t w, std::intptr_t l) {
                    return AboutDialogProc(d, m, w, l);
                  });
}

// The dialog owns the box: it stands in as the shell's main window while the
// box is open.
int SettingsDialog::ShowOwnedBox(plat::WindowHandle dialog, qrx::MessageDialog::Kind kind,
                                 const char* caption, const char* text) {
  const plat::WindowHandle previous = shell_->SwapMainWindow(dialog);
  qrx::MessageDialog box(*boxes_, kind);
  box.SetCaption(caption);
  box.SetText(text);
  const int answer = box.Show();
  shell_->SwapMainWindow(previous);
  return answer;
}

void SettingsDialog::ReportOwnedSaveFailure(plat::WindowHandle dialog, const char* file) {
  const plat::WindowHandle previous = shell_->SwapMainWindow(dialog);
  ReportSaveFailure(*boxes_, file);
  shell_->SwapMainWindow(previous);
}

bool SettingsDialog::Checked(plat::WindowHandle dialog, int id) {
  return host_->IsButtonChecked(dialog, id);
}

std::intptr_t RunSettingsDialog(SaverConfig& config, qrx::Framework& framework,
                                plat::InstanceHandle instance, plat::WindowHandle parent) {
  if (framework.platform.dialogs == nullptr) return -1;
  qrx::Framework* fw = &framework;
  SettingsDialog dialog(config, *framework.platform.dialogs, framework.shell, framework.boxes,
                        [fw] { return fw->screen.GetDirectDraw(); });
  return dialog.Run(instance, parent);
}

}  // namespace prumya
