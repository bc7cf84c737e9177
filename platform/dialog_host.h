// Modal dialogs from templates and the control operations their procedures
// use, shaped like DialogBoxParamA and the SendDlgItemMessageA calls, so the
// handlers are written once over every toolkit. Messages reach the procedure
// with their Win32 numbers: WM_INITDIALOG, WM_COMMAND (notification code in
// the high word of wParam, control id in the low word, the control's handle
// in lParam), WM_HSCROLL (the trackbar's handle in lParam), WM_DESTROY.
// Texts are code page 932 byte strings.
#pragma once
#include <cstdint>
#include <functional>

#include "platform/win_types.h"

namespace plat {

using DialogProcedure =
    std::function<std::intptr_t(WindowHandle dialog, std::uint32_t message,
                                std::uintptr_t wParam, std::intptr_t lParam)>;

// WM_COMMAND notification codes.
constexpr std::uint16_t kBnClicked = 0;
constexpr std::uint16_t kCbnSelChange = 1;
constexpr std::uint16_t kCbnEditChange = 5;
constexpr int kCbErr = -1;

constexpr std::uintptr_t MakeCommandParam(int id, std::uint16_t code) {
  return (static_cast<std::uintptr_t>(code) << 16) | (static_cast<std::uint32_t>(id) & 0xFFFF);
}
constexpr int CommandId(std::uintptr_t wParam) { return static_cast<int>(wParam & 0xFFFF); }
constexpr std::uint16_t CommandCode(std::uintptr_t wParam) {
  return static_cast<std::uint16_t>((wParam >> 16) & 0xFFFF);
}

class IDialogHost {
 public:
  virtual ~IDialogHost() = default;

  // DialogBoxParamA(instance, templateId, parent, procedure, 0): sends
  // WM_INITDIALOG, runs the modal loop until EndDialog, sends WM_DESTROY
  // while the controls still exist, and returns EndDialog's result; -1 when
  // the dialog cannot be created. Nested calls (a box from a box) work.
  virtual std::intptr_t RunModal(InstanceHandle instance, int templateId, WindowHandle parent,
                                 const DialogProcedure& procedure) = 0;
  virtual void EndDialog(WindowHandle dialog, std::intptr_t result) = 0;
  virtual int ControlId(WindowHandle control) = 0;  // GetDlgCtrlID

  // Trackbars. TBM_SETRANGE carries the range as one 32-bit value, the
  // minimum in the low 16 bits and the maximum in the high 16 bits.
  virtual void SetSliderRange(WindowHandle dialog, int id, std::int32_t minimum,
                              std::int32_t maximum) = 0;
  virtual void SetSliderPageSize(WindowHandle dialog, int id, std::int32_t size) = 0;
  virtual void SetSliderLineSize(WindowHandle dialog, int id, std::int32_t size) = 0;
  virtual void SetSliderPos(WindowHandle dialog, int id, std::int32_t position) = 0;
  virtual std::int32_t GetSliderPos(WindowHandle dialog, int id) = 0;

  // Combo box list. Matching ignores ASCII case, as the list's own search.
  virtual int AddListText(WindowHandle dialog, int id, const char* text) = 0;  // CB_ADDSTRING
  // CB_SELECTSTRING from the start: selects the first entry that begins with
  // prefix and shows it in the edit field; kCbErr leaves everything as it was.
  virtual int SelectListPrefix(WindowHandle dialog, int id, const char* prefix) = 0;
  virtual int FindListExact(WindowHandle dialog, int id, const char* text) = 0;
  virtual bool DeleteListEntry(WindowHandle dialog, int id, int index) = 0;
  // CB_GETCURSEL and CB_GETLBTEXT, but bounded: at most size - 1 bytes, cut
  // at a character boundary. Returns the bytes copied, or kCbErr (and an
  // empty text) when no entry is selected.
  virtual int GetSelectedListText(WindowHandle dialog, int id, char* buffer,
                                  std::uint32_t size) = 0;
  // CB_LIMITTEXT: at most `bytes` bytes of code page 932 can be typed.
  virtual void LimitText(WindowHandle dialog, int id, int bytes) = 0;

  // Any control.
  virtual std::uint32_t GetItemText(WindowHandle dialog, int id, char* buffer,
                                    std::uint32_t size) = 0;  // GetDlgItemTextA
  virtual void SetItemText(WindowHandle dialog, int id, const char* text) = 0;
  virtual void CheckButton(WindowHandle dialog, int id, bool checked) = 0;
  virtual bool IsButtonChecked(WindowHandle dialog, int id) = 0;
  virtual void EnableItem(WindowHandle dialog, int id, bool enabled) = 0;
};

}  // namespace plat
