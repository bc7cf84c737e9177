// Modal dialogs from the module's DIALOGEX resources through DialogBoxParamA,
// and the control operations as SendDlgItemMessageA calls.
#pragma once
#include "platform/dialog_host.h"
#include "platform/dialog_trace.h"

namespace plat::win32_port {

class Win32DialogHost final : public IDialogHost {
 public:
  Win32DialogHost();  // registers the trackbar class (comctl32)
  void SetTrace(IDialogTrace* trace) { trace_ = trace; }

  std::intptr_t RunModal(InstanceHandle instance, int templateId, WindowHandle parent,
                         const DialogProcedure& procedure) override;
  void EndDialog(WindowHandle dialog, std::intptr_t result) override;
  int ControlId(WindowHandle control) override;
  void SetSliderRange(WindowHandle dialog, int id, std::int32_t minimum,
                      std::int32_t maximum) override;
  void SetSliderPageSize(WindowHandle dialog, int id, std::int32_t size) override;
  void SetSliderLineSize(WindowHandle dialog, int id, std::int32_t size) override;
  void SetSliderPos(WindowHandle dialog, int id, std::int32_t position) override;
  std::int32_t GetSliderPos(WindowHandle dialog, int id) override;
  int AddListText(WindowHandle dialog, int id, const char* text) override;
  int SelectListPrefix(WindowHandle dialog, int id, const char* prefix) override;
  int FindListExact(WindowHandle dialog, int id, const char* text) override;
  bool DeleteListEntry(WindowHandle dialog, int id, int index) override;
  int GetSelectedListText(WindowHandle dialog, int id, char* buffer, std::uint32_t size) override;
  void LimitText(WindowHandle dialog, int id, int bytes) override;
  std::uint32_t GetItemText(WindowHandle dialog, int id, char* buffer,
                            std::uint32_t size) override;
  void SetItemText(WindowHandle dialog, int id, const char* text) override;
  void CheckButton(WindowHandle dialog, int id, bool checked) override;
  bool IsButtonChecked(WindowHandle dialog, int id) override;
  void EnableItem(WindowHandle dialog, int id, bool enabled) override;

 private:
  IDialogTrace* trace_ = nullptr;
};

}  // namespace plat::win32_port
