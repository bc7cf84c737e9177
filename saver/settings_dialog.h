// The settings dialog (template 102) and the about box (template 103): the
// dialog procedures and their handlers, written against the dialog host's
// control operations, and RunSettingsDialog around them.
#pragma once
#include <cstdint>
#include <functional>

#include "framework/app_shell.h"
#include "framework/box_host.h"
#include "framework/message_dialog.h"
#include "platform/dialog_host.h"
#include "platform/display_device.h"
#include "saver/config.h"

namespace qrx {
class Framework;
}

namespace prumya {

class SettingsDialog {
 public:
  // The display object as it stands now (null in the settings mode).
  using DisplaySource = std::function<plat::IDisplayDevice*()>;

  SettingsDialog(SaverConfig& config, plat::IDialogHost& host, qrx::AppShell& shell,
                 qrx::BoxHost& boxes, DisplaySource display);

  // RunSettingsDialog: shows the GDI surface if a display object exists,
  // runs template 102 over parent (0: none) and, on OK, writes the settings
  // and the values. Returns the dialog's result (1 OK, 2 Cancel, -1 failure).
  std::intptr_t Run(plat::InstanceHandle instance, plat::WindowHandle parent);

  std::intptr_t SettingsDialogProc(plat::WindowHandle dialog, std::uint32_t message,
                                   std::uintptr_t wParam, std::intptr_t lParam);
  std::intptr_t AboutDialogProc(plat::WindowHandle dialog, std::uint32_t message,
                                std::uintptr_t wParam, std::intptr_t lParam);

 private:
  std::intptr_t OnCommand(plat::WindowHandle dialog, std::uintptr_t wParam);
  void OnInitDialog(plat::WindowHandle dialog);
  void AddPresetNames(plat::WindowHandle dialog, const char* file);
  bool NameFieldFilled(plat::WindowHandle dialog);
  void InitSliders(plat::WindowHandle dialog);
  void OnSliderMoved(plat::WindowHandle dialog, std::intptr_t lParam);
  void OnPresetSelected(plat::WindowHandle dialog);
  void LoadPreset(plat::WindowHandle dialog, const char* name);
  void LoadDefaults(plat::WindowHandle dialog);
  void OnPresetNameEdited(plat::WindowHandle dialog);
  void OnDeletePreset(plat::WindowHandle dialog);
  void ShowDefaultPreset(plat::WindowHandle dialog);
  bool ValidateOk(plat::WindowHandle dialog);
  void ReportOwnedSaveFailure(plat::WindowHandle dialog, const char* file);
  void NameToStore(plat::WindowHandle dialog, char (&name)[kPresetNameMax + 1]);
  bool SlidersMatchStored(plat::WindowHandle dialog, const char* name);
  void OnDestroyDialog(plat::WindowHandle dialog);
  void StoreFullColour(plat::WindowHandle dialog);
  void RunAboutBox(plat::WindowHandle dialog);
  int ShowOwnedBox(plat::WindowHandle dialog, qrx::MessageDialog::Kind kind, const char* caption,
                   const char* text);
  bool Checked(plat::WindowHandle dialog, int id);

  SaverConfig* config_;
  plat::IDialogHost* host_;
  qrx::AppShell* shell_;
  qrx::BoxHost* boxes_;
  DisplaySource display_;
};

// The dialog over the process's framework objects; what the start-up and the
// running saver call. Returns -1 without a dialog host.
std::intptr_t RunSettingsDialog(SaverConfig& config, qrx::Framework& framework,
                                plat::InstanceHandle instance, plat::WindowHandle parent);

}  // namespace prumya
