#include "platform/fake/fake_dialog_host.h"

#include <cstring>

#include "platform/common/sjis.h"

namespace fake {
namespace {

// What a field limited to `bytes` takes of typed text (all of it for 0).
std::string LimitBytes(std::string_view text, int bytes) {
  return std::string(text.substr(0, bytes == 0 ? text.size() : plat::sjis::FitWhole(text, bytes)));
}

std::int32_t Clamped(std::int32_t v, std::int32_t lo, std::int32_t hi) {
  return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace

FakeDialogHost::Dialog* FakeDialogHost::FindDialog(plat::WindowHandle dialog) {
  for (auto& d : open_) if (d->handle == dialog) return d.get();
  return nullptr;
}

FakeDialogHost::Control* FakeDialogHost::Find(plat::WindowHandle dialog, int id) {
  Dialog* d = FindDialog(dialog);
  if (d == nullptr || id == plat::kNoControlId) return nullptr;
  for (Control& c : d->controls) if (c.id == id) return &c;
  return nullptr;
}

FakeDialogHost::Control* FakeDialogHost::Addressed(plat::WindowHandle dialog, int id) {
  Control* c = Find(dialog, id);
  if (c == nullptr) ++unknownControlCalls;
  return c;
}

FakeDialogHost::Control* FakeDialogHost::Usable(plat::WindowHandle dialog, int id) {
  Dialog* d = FindDialog(dialog);
  Control* c = Find(dialog, id);
  return (d == nullptr || d->ended || c == nullptr || !c->enabled) ? nullptr : c;
}

std::vector<std::string> FakeDialogHost::ListTexts(plat::WindowHandle dialog, int id) {
  std::vector<std::string> out;
  if (Control* c = Find(dialog, id)) for (int i = 0; i < c->list.Count(); ++i) out.emplace_back(c->list.Text(i));
  return out;
}

bool FakeDialogHost::Command(plat::WindowHandle dialog, const Control& c, std::uint16_t code) {
  Send(*FindDialog(dialog), plat::kWmCommand, plat::MakeCommandParam(c.id, code), static_cast<std::intptr_t>(c.handle));
  return true;
}

std::intptr_t FakeDialogHost::RunModal(plat::InstanceHandle, int templateId,
                                       plat::WindowHandle parent,
                                       const plat::DialogProcedure& procedure) {
  const plat::DialogTemplate* t = lookup_ ? lookup_(templateId) : nullptr;
  if (t == nullptr) return -1;
  auto owned = std::make_unique<Dialog>();
  Dialog& d = *owned;
  d.handle = nextHandle_;
  nextHandle_ += 0x100;
  d.procedure = procedure;
  for (int i = 0; i < t->controlCount; ++i) {
    const plat::DialogControl& row = t->controls[i];
    Control c;
    c.id = row.id;
    c.kind = row.kind;
    c.handle = d.handle + static_cast<plat::WindowHandle>(i) + 1;
    c.text = row.text ? row.text : "";
    d.controls.push_back(std::move(c));
  }
  open_.push_back(std::move(owned));
  opened.push_back(templateId);
  parents.push_back(parent);

  Send(d, plat::kWmInitDialog, 0, 0);
  if (!d.ended && user) user(*this, d.handle, templateId);
  if (!d.ended) PressEscape(d.handle);
  if (!d.ended) d.result = -1;
  Send(d, plat::kWmDestroy, 0, 0);
  const std::intptr_t result = d.result;
  open_.pop_back();
  return result;
}

void FakeDialogHost::EndDialog(plat::WindowHandle dialog, std::intptr_t result) {
  if (Dialog* d = FindDialog(dialog)) {
    d->ended = true;
    d->result = result;
  }
}

int FakeDialogHost::ControlId(plat::WindowHandle control) {
  for (auto& d : open_) for (const Control& c : d->controls) if (c.handle == control) return c.id;
  return 0;
}

// Each action tells the procedure as the dialog manager would, once the
// control has changed.
bool FakeDialogHost::Click(plat::WindowHandle dialog, int id) {
  Control* c = Usable(dialog, id);
  if (c != nullptr && c->kind == plat::ControlKind::CheckBox) c->checked = !c->checked;
  return c != nullptr && Command(dialog, *c, plat::kBnClicked);
}

bool FakeDialogHost::ChooseEntry(plat::WindowHandle dialog, int id, int index) {
  Control* c = Usable(dialog, id);
  if (c == nullptr || c->list.Text(index) == nullptr) return false;
  c->selected = index;
  c->text = c->list.Text(index);
  return Command(dialog, *c, plat::kCbnSelChange);
}

bool FakeDialogHost::Type(plat::WindowHandle dialog, int id, const char* text) {
  Control* c = Usable(dialog, id);
  if (c != nullptr) c->text = LimitBytes(text, c->limit);
  return c != nullptr && Command(dialog, *c, plat::kCbnEditChange);
}

bool FakeDialogHost::MoveSlider(plat::WindowHandle dialog, int id, std::int32_t position) {
  Control* c = Usable(dialog, id);
  if (c == nullptr) return false;
  c->pos = Clamped(position, c->rangeMin, c->rangeMax);
  Send(*FindDialog(dialog), plat::kWmHScroll, 0, static_cast<std::intptr_t>(c->handle));
  return true;
}

bool FakeDialogHost::SendCommand(plat::WindowHandle dialog, int id) {
  Dialog* d = FindDialog(dialog);
  if (d == nullptr || d->ended) return false;
  Send(*d, plat::kWmCommand, plat::MakeCommandParam(id, plat::kBnClicked), 0);
  return true;
}

void FakeDialogHost::SetSliderRange(plat::WindowHandle dialog, int id, std::int32_t minimum,
                                    std::int32_t maximum) {
  Control* c = Addressed(dialog, id);
  if (c == nullptr) return;
  // TBM_SETRANGE packs both ends into 16 bits each, read back as signed.
  c->rangeMin = static_cast<std::int16_t>(minimum);
  c->rangeMax = static_cast<std::int16_t>(maximum);
  c->pos = Clamped(c->pos, c->rangeMin, c->rangeMax);
}

void FakeDialogHost::SetSliderPos(plat::WindowHandle dialog, int id, std::int32_t position) {
  if (Control* c = Addressed(dialog, id)) c->pos = Clamped(position, c->rangeMin, c->rangeMax);
}

int FakeDialogHost::AddListText(plat::WindowHandle dialog, int id, const char* text) {
  Control* c = Addressed(dialog, id);
  if (c == nullptr) return plat::kCbErr;
  const int at = c->list.Add(text);
  if (c->selected >= at) ++c->selected;
  return at;
}

int FakeDialogHost::SelectListPrefix(plat::WindowHandle dialog, int id, const char* prefix) {
  Control* c = Addressed(dialog, id);
  const int at = c ? c->list.FindPrefix(prefix) : -1;
  if (at < 0) return plat::kCbErr;
  c->selected = at;
  c->text = c->list.Text(at);
  return at;
}

bool FakeDialogHost::DeleteListEntry(plat::WindowHandle dialog, int id, int index) {
  Control* c = Addressed(dialog, id);
  if (c == nullptr || !c->list.Delete(index)) return false;
  c->selected = c->selected == index ? -1 : c->selected - (c->selected > index ? 1 : 0);
  return true;
}

int FakeDialogHost::GetSelectedListText(plat::WindowHandle dialog, int id, char* buffer,
                                        std::uint32_t size) {
  Control* c = Addressed(dialog, id);
  if (size > 0) buffer[0] = '\0';
  if (c == nullptr || c->list.Text(c->selected) == nullptr) return plat::kCbErr;
  return static_cast<int>(plat::sjis::CopyBounded(buffer, size, c->list.Text(c->selected)));
}

std::uint32_t FakeDialogHost::GetItemText(plat::WindowHandle dialog, int id, char* buffer,
                                          std::uint32_t size) {
  Control* c = Addressed(dialog, id);
  return static_cast<std::uint32_t>(plat::sjis::CopyBounded(buffer, size, c ? c->text.c_str() : ""));
}

}  // namespace fake
