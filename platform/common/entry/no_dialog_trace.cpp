#include "platform/dialog_trace.h"

namespace plat {

IDialogTrace* EntryDialogTrace() { return nullptr; }

}  // namespace plat
