// What the dialog hosts tell of their dialogs to a program that drives them
// from outside: each dialog's screen rectangle and its controls' (in
// template order) once it is laid out, and its result once it has closed.
// The shipped programs tell nobody; the end-to-end build of the saver links
// a trace that writes a file, so scripts know where to click.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/display_device.h"

namespace plat {

struct TracedControl {
  int id;
  Rect screen;
};

class IDialogTrace {
 public:
  virtual ~IDialogTrace() = default;
  // dpi: the dialog's, where the port knows it; else 0.
  virtual void LaidOut(int templateId, const Rect& screen, std::uint32_t dpi,
                       const std::vector<TracedControl>& controls) = 0;
  virtual void Closed(int templateId, std::intptr_t result) = 0;
};

// The entry's trace, or null: a link-time seam, defined once for the shipped
// programs (platform/common/entry/no_dialog_trace.cpp) and once for the
// end-to-end build.
IDialogTrace* EntryDialogTrace();

}  // namespace plat
