// Message boxes that record what would have been shown and answer from a
// script (IDOK for OK boxes, IDYES for yes/no boxes when the script is empty).
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/fake/call_log.h"
#include "platform/window_system.h"

namespace fake {

class FakeMessageBoxes : public plat::IMessageBoxes {
 public:
  struct Box {
    plat::WindowHandle owner;
    std::string text, caption;
    std::uint32_t style;
  };
  std::vector<Box> shown;
  std::deque<int> answers;  // scripted results, taken in order
  CallLog* log = nullptr;
  std::function<void(const Box&)> onShow;  // runs while the box is "open"

  int Show(plat::WindowHandle owner, const char* text, const char* caption, std::uint32_t style) override {
    shown.push_back({owner, text != nullptr ? text : "", caption != nullptr ? caption : "", style});
    Note(log, "MessageBox");
    if (onShow) onShow(shown.back());
    if (answers.empty()) return (style & 0xF) == plat::kMbYesNo ? plat::kIdYes : plat::kIdOk;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace fake
