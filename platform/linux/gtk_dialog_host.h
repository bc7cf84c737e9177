// The dialog host over GTK 3: dialogs built from the template data, run in
// a modal loop of their own over the saver's window, the controls' state
// read and written as code page 932 texts.
#pragma once
#include <functional>
#include <vector>

#include "platform/dialog_host.h"
#include "platform/dialog_template.h"
#include "platform/dialog_trace.h"
#include "platform/window_system.h"

typedef struct _GtkWindow GtkWindow;

namespace plat::linux_port {

struct GtkDialog;
struct GtkDialogControl;

class GtkDialogHost final : public IDialogHost {
 public:
  // boxes shows the refusal of characters that have no code page 932 form.
  GtkDialogHost(DialogTemplateLookup lookup, IMessageBoxes* boxes);

  // The X11 window behind a parent handle that is not one of our dialogs
  // (the saver's SDL window), so the window manager keeps the dialog over it.
  void SetNativeParent(std::function<unsigned long(WindowHandle)> lookup) {
    nativeParent_ = std::move(lookup);
  }
  void SetTrace(IDialogTrace* trace) { trace_ = trace; }
  // The GTK window of an open dialog, for message boxes it owns; else null.
  GtkWindow* WindowFor(WindowHandle handle) const;

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
  GtkDialog* Find(WindowHandle dialog) const;
  GtkDialogControl* Control(WindowHandle dialog, int id, ControlKind kind) const;
  GtkDialogControl* AnyControl(WindowHandle dialog, int id) const;
  void RunLoop(GtkDialog& dialog);
  void StayOverNative(GtkDialog& dialog, WindowHandle parent);

  DialogTemplateLookup lookup_;
  IMessageBoxes* boxes_;
  IDialogTrace* trace_ = nullptr;
  std::function<unsigned long(WindowHandle)> nativeParent_;
  std::vector<GtkDialog*> open_;  // innermost last
  WindowHandle nextHandle_ = 0x70000000;
};

}  // namespace plat::linux_port
