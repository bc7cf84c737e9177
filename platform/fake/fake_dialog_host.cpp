#include "platform/fake/fake_dialog_host.h"

namespace fake {

std::intptr_t FakeDialogHost::RunModal(plat::InstanceHandle, int templateId, plat::WindowHandle parent,
                                       const plat::DialogProcedure& procedure) {
  const plat::DialogTemplate* t = lookup_ ? lookup_(templateId) : nullptr;
  if (t == nullptr) return -1;
  Dialog& d = *open_.emplace_back(std::make_unique<Dialog>(Dialog{nextHandle_, procedure, {}}));
  nextHandle_ += 0x100;
  for (int i = 0; i < t->controlCount; ++i) {
    const plat::DialogControl& row = t->controls[i];
    Control& c = d.controls.emplace_back();
    c.id = row.id;
    c.kind = row.kind;
    c.handle = d.handle + static_cast<plat::WindowHandle>(i) + 1;
    c.text = row.text ? row.text : "";
  }
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

}  // namespace fake
