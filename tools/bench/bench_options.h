// Command-line options of prumya-bench.
#pragma once
#include <cstdint>
#include <string>

namespace bench {

enum class PresetKind { Default, Heavy };

struct BenchOptions {
  std::int32_t width = 1920;
  std::int32_t height = 1080;
  std::int32_t depth = 32;  // bits per pixel: 16 or 32
  PresetKind preset = PresetKind::Heavy;
  std::int32_t frames = 400;
  std::uint32_t seed = 1;
  bool help = false;
};

// False with a message in error when an option is unknown or out of range.
bool ParseOptions(int argc, char** argv, BenchOptions& out, std::string& error);
const char* UsageText();
const char* PresetName(PresetKind kind);

}  // namespace bench
