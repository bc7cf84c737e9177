// The box for a save that did not reach its file. Every save changes its
// file in one step, so the file is as it was and the box says so.
#pragma once
#include "framework/box_host.h"

namespace prumya {

void ReportSaveFailure(qrx::BoxHost& boxes, const char* file);

}  // namespace prumya
