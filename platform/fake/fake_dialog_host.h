// Dialogs as a model of their controls: built from the templates, driven by
// a scripted user that clicks, types, chooses and drags the way the Windows
// dialog manager reports it (WM_COMMAND with notification codes, WM_HSCROLL),
// so dialog procedures run without a display.
#pragma once
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/common/sjis.h"
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
  int unknownControlCalls = 0;              // lookups of ids the template lacks

  // The user's actions, each told to the procedure as the dialog manager
  // would once the control has changed; false when the control is missing,
  // disabled or the dialog has ended.
  bool Click(plat::WindowHandle dialog, int id) {  // button or check box
    Control* c = Usable(dialog, id);
    if (c != nullptr && c->kind == plat::ControlKind::CheckBox) c->checked = !c->checked;
    return c != nullptr && Command(dialog, *c, plat::kBnClicked);
  }
  bool ChooseEntry(plat::WindowHandle dialog, int id, int index) {
    Control* c = Usable(dialog, id);
    if (c == nullptr || c->list.Text(index) == nullptr) return false;
    c->selected = index;
    c->text = c->list.Text(index);
    return Command(dialog, *c, plat::kCbnSelChange);
  }
  bool Type(plat::WindowHandle dialog, int id, const char* text) {  // replaces the edit text, cut to its limit
    Control* c = Usable(dialog, id);
    if (c == nullptr) return false;
    const std::string_view typed(text);
    c->text = typed.substr(0, c->limit == 0 ? typed.size() : plat::sjis::FitWhole(typed, c->limit));
    return Command(dialog, *c, plat::kCbnEditChange);
  }
  bool MoveSlider(plat::WindowHandle dialog, int id, std::int32_t position) {
    Control* c = Usable(dialog, id);
    if (c == nullptr) return false;
    c->pos = std::clamp(position, c->rangeMin, c->rangeMax);
    Send(*FindDialog(dialog), plat::kWmHScroll, 0, static_cast<std::intptr_t>(c->handle));
    return true;
  }
  bool PressEscape(plat::WindowHandle dialog) { return SendCommand(dialog, plat::kIdCancel); }
  // WM_COMMAND for id, whatever the control's state (as another program could send it).
  bool SendCommand(plat::WindowHandle dialog, int id) {
    Dialog* d = FindDialog(dialog);
    if (d == nullptr || d->ended) return false;
    Send(*d, plat::kWmCommand, plat::MakeCommandParam(id, plat::kBnClicked), 0);
    return true;
  }

  Dialog* FindDialog(plat::WindowHandle dialog) {
    for (auto& d : open_)
      if (d->handle == dialog) return d.get();
    return nullptr;
  }
  Control* Find(plat::WindowHandle dialog, int id) {  // counts unknown ids
    Control* c = Lookup(dialog, id);
    unknownControlCalls += c == nullptr ? 1 : 0;
    return c;
  }
  std::vector<std::string> ListTexts(plat::WindowHandle dialog, int id) {
    std::vector<std::string> out;
    if (Control* c = Find(dialog, id))
      for (int i = 0; i < c->list.Count(); ++i) out.emplace_back(c->list.Text(i));
    return out;
  }

  std::intptr_t RunModal(plat::InstanceHandle instance, int templateId, plat::WindowHandle parent,
                         const plat::DialogProcedure& procedure) override;
  void EndDialog(plat::WindowHandle dialog, std::intptr_t result) override {
    if (Dialog* d = FindDialog(dialog)) {
      d->ended = true;
      d->result = result;
    }
  }
  int ControlId(plat::WindowHandle control) override {
    for (auto& d : open_)
      for (const Control& c : d->controls)
        if (c.handle == control) return c.id;
    return 0;
  }
  // TBM_SETRANGE packs both ends into 16 bits each, read back as signed.
  void SetSliderRange(plat::WindowHandle dialog, int id, std::int32_t minimum, std::int32_t maximum) override {
    if (Control* c = Find(dialog, id)) {
      c->rangeMin = static_cast<std::int16_t>(minimum);
      c->rangeMax = static_cast<std::int16_t>(maximum);
      c->pos = std::clamp(c->pos, c->rangeMin, c->rangeMax);
    }
  }
  void SetSliderPageSize(plat::WindowHandle dialog, int id, std::int32_t size) override {
    if (Control* c = Find(dialog, id)) c->pageSize = size;
  }
  void SetSliderLineSize(plat::WindowHandle dialog, int id, std::int32_t size) override {
    if (Control* c = Find(dialog, id)) c->lineSize = size;
  }
  void SetSliderPos(plat::WindowHandle dialog, int id, std::int32_t position) override {
    if (Control* c = Find(dialog, id)) c->pos = std::clamp(position, c->rangeMin, c->rangeMax);
  }
  std::int32_t GetSliderPos(plat::WindowHandle dialog, int id) override {
    Control* c = Find(dialog, id);
    return c ? c->pos : 0;
  }
  int AddListText(plat::WindowHandle dialog, int id, const char* text) override {
    Control* c = Find(dialog, id);
    if (c == nullptr) return plat::kCbErr;
    const int at = c->list.Add(text);
    if (c->selected >= at) ++c->selected;
    return at;
  }
  int SelectListPrefix(plat::WindowHandle dialog, int id, const char* prefix) override {
    Control* c = Find(dialog, id);
    const int at = c ? c->list.FindPrefix(prefix) : -1;
    if (at < 0) return plat::kCbErr;
    c->selected = at;
    c->text = c->list.Text(at);
    return at;
  }
  int FindListExact(plat::WindowHandle dialog, int id, const char* text) override {
    Control* c = Find(dialog, id);
    return c ? c->list.FindExact(text) : plat::kCbErr;
  }
  bool DeleteListEntry(plat::WindowHandle dialog, int id, int index) override {
    Control* c = Find(dialog, id);
    if (c == nullptr || !c->list.Delete(index)) return false;
    c->selected = c->selected == index ? -1 : c->selected - (c->selected > index ? 1 : 0);
    return true;
  }
  int GetSelectedListText(plat::WindowHandle dialog, int id, char* buffer, std::uint32_t size) override {
    Control* c = Find(dialog, id);
    if (size > 0) buffer[0] = '\0';
    if (c == nullptr || c->list.Text(c->selected) == nullptr) return plat::kCbErr;
    return static_cast<int>(plat::sjis::CopyBounded(buffer, size, c->list.Text(c->selected)));
  }
  void LimitText(plat::WindowHandle dialog, int id, int bytes) override {
    if (Control* c = Find(dialog, id)) c->limit = bytes;
  }
  std::uint32_t GetItemText(plat::WindowHandle dialog, int id, char* buffer, std::uint32_t size) override {
    Control* c = Find(dialog, id);
    return static_cast<std::uint32_t>(plat::sjis::CopyBounded(buffer, size, c ? c->text.c_str() : ""));
  }
  void SetItemText(plat::WindowHandle dialog, int id, const char* text) override {
    if (Control* c = Find(dialog, id)) c->text = text;
  }
  void CheckButton(plat::WindowHandle dialog, int id, bool checked) override {
    if (Control* c = Find(dialog, id)) c->checked = checked;
  }
  bool IsButtonChecked(plat::WindowHandle dialog, int id) override {
    Control* c = Find(dialog, id);
    return c != nullptr && c->checked;
  }
  void EnableItem(plat::WindowHandle dialog, int id, bool enabled) override {
    if (Control* c = Find(dialog, id)) c->enabled = enabled;
  }

 private:
  Control* Lookup(plat::WindowHandle dialog, int id) {
    if (Dialog* d = FindDialog(dialog); d != nullptr && id != plat::kNoControlId)
      for (Control& c : d->controls)
        if (c.id == id) return &c;
    return nullptr;
  }
  Control* Usable(plat::WindowHandle dialog, int id) {  // for the user's actions
    Dialog* d = FindDialog(dialog);
    Control* c = Lookup(dialog, id);
    return (d == nullptr || d->ended || c == nullptr || !c->enabled) ? nullptr : c;
  }
  std::intptr_t Send(Dialog& d, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    return d.procedure ? d.procedure(d.handle, message, wParam, lParam) : 0;
  }
  bool Command(plat::WindowHandle dialog, const Control& c, std::uint16_t code) {
    Send(*FindDialog(dialog), plat::kWmCommand, plat::MakeCommandParam(c.id, code), static_cast<std::intptr_t>(c.handle));
    return true;
  }

  plat::DialogTemplateLookup lookup_;
  std::vector<std::unique_ptr<Dialog>> open_;
  plat::WindowHandle nextHandle_ = 0x7000;
};

}  // namespace fake
