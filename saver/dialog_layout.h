// The two dialog templates, settings (102) and about (103), written once as
// data. The Windows resource script is generated from saver/dialog_layout.cpp
// by resources/make_dialogs.py; the Linux port builds its dialogs from the
// same rows through FindDialogTemplate.
#pragma once
#include "platform/dialog_template.h"

namespace prumya {

enum DialogTemplateId : int { kSettingsTemplate = 102, kAboutTemplate = 103 };

// Control ids of the settings dialog.
enum SettingsControlId : int {
  kIdcValueDisplay = 1008,
  kIdcVersion = 1010,
  kIdcPresetName = 1011,
  kIdcDelete = 1014,
  kIdcSpeedLimit = 1016,
  kIdcMouseLock = 1017,
  kIdcClock = 1018,
  kIdcFrameRate = 1019,
  kIdcFullColour = 1020,
  kIdcFirstSlider = 5000,  // 5000 + parameter index
};

extern const plat::DialogTemplate kSettingsDialogTemplate;
extern const plat::DialogTemplate kAboutDialogTemplate;

const plat::DialogTemplate* FindDialogTemplate(int templateId);

}  // namespace prumya
