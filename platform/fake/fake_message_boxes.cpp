#include "platform/fake/fake_message_boxes.h"

namespace fake {

int FakeMessageBoxes::Show(plat::WindowHandle owner, const char* text, const char* caption,
                           std::uint32_t style) {
  shown.push_back({owner, text != nullptr ? text : "", caption != nullptr ? caption : "", style});
  Note(log, "MessageBox");
  if (onShow) onShow(shown.back());
  if (!answers.empty()) {
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return (style & 0xF) == plat::kMbYesNo ? plat::kIdYes : plat::kIdOk;
}

}  // namespace fake
