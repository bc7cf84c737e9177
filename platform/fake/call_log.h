// One ordered record of calls shared by several fakes, so tests can check
// the order of operations across ports (flip, box, cursor; buffer, device).
#pragma once
#include <string>
#include <vector>

namespace fake {

struct CallLog {
  std::vector<std::string> calls;
  void Add(const std::string& call) { calls.push_back(call); }
};

inline void Note(CallLog* log, const std::string& call) {
  if (log != nullptr) log->Add(call);
}

}  // namespace fake
