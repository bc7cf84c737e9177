// Integer sine and cosine of 256 angle steps per turn, scaled by 256.
#pragma once
#include <cstdint>

namespace prumya {

class TrigTable {
 public:
  static constexpr int kSteps = 256;

  // Fills both tables once; nothing reads them before.
  void BuildTrigTable();
  // Any angle: its low eight bits (two's complement for negatives) index the table.
  std::int32_t Sin(std::int32_t angle) const { return sin_[Index(angle)]; }
  std::int32_t Cos(std::int32_t angle) const { return cos_[Index(angle)]; }

 private:
  static int Index(std::int32_t angle) { return static_cast<int>(static_cast<std::uint32_t>(angle) & 0xFFu); }

  std::int32_t sin_[kSteps] = {};
  std::int32_t cos_[kSteps] = {};
};

}  // namespace prumya
