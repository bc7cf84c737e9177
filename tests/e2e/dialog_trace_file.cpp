// The end-to-end build's dialog trace: with PRUMYA_DIALOG_LOG naming a file,
// every dialog appends its rectangles once laid out ("dialog", "dpi",
// "control" lines, then "ready ID") and "closed ID RESULT" once it has gone.
// The file is opened per dialog, so the lines are there as soon as written.
#include <cstdio>
#include <cstdlib>

#include "platform/dialog_trace.h"

namespace {

class FileTrace final : public plat::IDialogTrace {
 public:
  explicit FileTrace(const char* path) : path_(path) {}

  void LaidOut(int templateId, const plat::Rect& r, std::uint32_t dpi,
               const std::vector<plat::TracedControl>& controls) override {
    FILE* log = std::fopen(path_, "a");
    if (log == nullptr) return;
    std::fprintf(log, "dialog %d %d %d %d %d\n", templateId, r.left, r.top, r.right, r.bottom);
    if (dpi != 0) std::fprintf(log, "dpi %d %u\n", templateId, dpi);
    int index = 0;
    for (const plat::TracedControl& c : controls)
      std::fprintf(log, "control %d %d %d %d %d %d\n", index++, c.id, c.screen.left, c.screen.top,
                   c.screen.right, c.screen.bottom);
    std::fprintf(log, "ready %d\n", templateId);
    std::fclose(log);
  }

  void Closed(int templateId, std::intptr_t result) override {
    if (FILE* log = std::fopen(path_, "a")) {
      std::fprintf(log, "closed %d %d\n", templateId, static_cast<int>(result));
      std::fclose(log);
    }
  }

 private:
  const char* path_;
};

}  // namespace

namespace plat {

IDialogTrace* EntryDialogTrace() {
  const char* path = std::getenv("PRUMYA_DIALOG_LOG");
  if (path == nullptr || *path == '\0') return nullptr;
  static FileTrace trace(path);
  return &trace;
}

}  // namespace plat
