// One ordered record of calls shared by several fakes, so tests can check
// the order of operations across ports (flip, box, cursor; buffer, device).
#pragma once
#include <string>
#include <vector>

namespace fake {

struct CallLog {
  std::vector<std::string> calls;
};

inline void Note(CallLog* log, const std::string& call) {
  if (log != nullptr) log->calls.push_back(call);
}

// A fake's own record of its calls, noted in the shared log too when given one.
struct Recorder : CallLog {
  CallLog* log = nullptr;
  void Record(const std::string& call) {
    calls.push_back(call);
    Note(log, call);
  }
};

}  // namespace fake
