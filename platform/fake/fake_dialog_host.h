// Dialogs as a model of their controls: built from the templates, driven by
// a scripted user that clicks, types, chooses and drags the way the Windows
// dialog manager reports it (WM_COMMAND with notification codes, WM_HSCROLL),
// so dialog procedures run without a display.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/common/sorted_text_list.h"
#include "platform/dialog_host.h"
#include "platform/dialog_template.h"

namespace fake {

class FakeDialogHost : public plat::IDialogHost {
 public:
  struct Control {
    int id = 0;
    plat::ControlKind kind = plat::ControlKind::Text;
    plat::WindowHandle handle = 0;
    std::string text;  // caption, or the edit field of an edit or combo box
    bool enabled = true;
    bool checked = false;
    std::int32_t rangeMin = 0, rangeMax = 100, pos = 0, pageSize = 0, lineSize = 0;
    plat::SortedTextList list;
    int selected = -1;
    int limit = 0;  // bytes; 0 = none
  };
  struct Dialog {
    plat::WindowHandle handle;
    plat::DialogProcedure procedure;
    std::vector<Control> controls;
    bool ended = false;
    std::intptr_t result = 0;
  };
  // The user, once a dialog is up (after WM_INITDIALOG). A dialog the user
  // leaves open is closed with Esc, so a test never hangs.
  using User = std::function<void(FakeDialogHost& host, plat::WindowHandle dialog, int templateId)>;

  explicit FakeDialogHost(plat::DialogTemplateLookup lookup) : lookup_(lookup) {}

  User user;
  std::vector<int> opened;                  // template ids, in order
  std::vector<plat::WindowHandle> parents;  // the parent each was given
  int unknownControlCalls = 0;              // operations on ids the template lacks

  // The user's actions; false when the control is missing, disabled or the
  // dialog has ended.
  bool Click(plat::WindowHandle dialog, int id);  // button or check box
  bool ChooseEntry(plat::WindowHandle dialog, int id, int index);
  bool Type(plat::WindowHandle dialog, int id, const char* text);  // replaces the edit text
  bool MoveSlider(plat::WindowHandle dialog, int id, std::int32_t position);
  bool PressEscape(plat::WindowHandle dialog) { return SendCommand(dialog, plat::kIdCancel); }
  // WM_COMMAND for id, whatever the control's state (as another program could send it).
  bool SendCommand(plat::WindowHandle dialog, int id);

  Control* Find(plat::WindowHandle dialog, int id);
  std::vector<std::string> ListTexts(plat::WindowHandle dialog, int id);
  Dialog* FindDialog(plat::WindowHandle dialog);

  std::intptr_t RunModal(plat::InstanceHandle instance, int templateId, plat::WindowHandle parent,
                         const plat::DialogProcedure& procedure) override;
  void EndDialog(plat::WindowHandle dialog, std::intptr_t result) override;
  int ControlId(plat::WindowHandle control) override;
  void SetSliderRange(plat::WindowHandle dialog, int id, std::int32_t minimum,
                      std::int32_t maximum) override;
  void SetSliderPageSize(plat::WindowHandle dialog, int id, std::int32_t size) override {
    if (Control* c = Addressed(dialog, id)) c->pageSize = size;
  }
  void SetSliderLineSize(plat::WindowHandle dialog, int id, std::int32_t size) override {
    if (Control* c = Addressed(dialog, id)) c->lineSize = size;
  }
  void SetSliderPos(plat::WindowHandle dialog, int id, std::int32_t position) override;
  std::int32_t GetSliderPos(plat::WindowHandle dialog, int id) override {
    Control* c = Addressed(dialog, id);
    return c ? c->pos : 0;
  }
  int AddListText(plat::WindowHandle dialog, int id, const char* text) override;
  int SelectListPrefix(plat::WindowHandle dialog, int id, const char* prefix) override;
  int FindListExact(plat::WindowHandle dialog, int id, const char* text) override {
    Control* c = Addressed(dialog, id);
    return c ? c->list.FindExact(text) : plat::kCbErr;
  }
  bool DeleteListEntry(plat::WindowHandle dialog, int id, int index) override;
  int GetSelectedListText(plat::WindowHandle dialog, int id, char* buffer,
                          std::uint32_t size) override;
  void LimitText(plat::WindowHandle dialog, int id, int bytes) override {
    if (Control* c = Addressed(dialog, id)) c->limit = bytes;
  }
  std::uint32_t GetItemText(plat::WindowHandle dialog, int id, char* buffer,
                            std::uint32_t size) override;
  void SetItemText(plat::WindowHandle dialog, int id, const char* text) override {
    if (Control* c = Addressed(dialog, id)) c->text = text;
  }
  void CheckButton(plat::WindowHandle dialog, int id, bool checked) override {
    if (Control* c = Addressed(dialog, id)) c->checked = checked;
  }
  bool IsButtonChecked(plat::WindowHandle dialog, int id) override {
    Control* c = Addressed(dialog, id);
    return c != nullptr && c->checked;
  }
  void EnableItem(plat::WindowHandle dialog, int id, bool enabled) override {
    if (Control* c = Addressed(dialog, id)) c->enabled = enabled;
  }

 private:
  Control* Addressed(plat::WindowHandle dialog, int id);  // counts unknown ids
  Control* Usable(plat::WindowHandle dialog, int id);     // for the user's actions
  std::intptr_t Send(Dialog& d, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return d.procedure ? d.procedure(d.handle, message, wParam, lParam) : 0;
  }
  bool Command(plat::WindowHandle dialog, const Control& c, std::uint16_t code);  // true

  plat::DialogTemplateLookup lookup_;
  std::vector<std::unique_ptr<Dialog>> open_;
  plat::WindowHandle nextHandle_ = 0x7000;
};

}  // namespace fake
