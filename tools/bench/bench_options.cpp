#include "tools/bench/bench_options.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace bench {
namespace {

constexpr std::int32_t kMinSide = 64;
constexpr std::int32_t kMaxSide = 16384;
constexpr std::int32_t kMaxFrames = 1000000;

const char kUsage[] =
    "usage: prumya-bench [options]\n"
    "Runs the saver's frame (trail step, clear, trail, overlays, present copy)\n"
    "headless on the software display and prints per-stage timings against the\n"
    "memory-bandwidth bound (a bare clear plus a bare full-frame copy).\n"
    "\n"
    "  --width N        screen width in pixels (default 1920)\n"
    "  --height N       screen height in pixels (default 1080)\n"
    "  --depth 16|32    colour depth in bits per pixel (default 32)\n"
    "  --preset NAME    default: the parameter table's defaults, overlays off;\n"
    "                   heavy: Length 512, Thickness 8, clock and frame rate on\n"
    "                   (default heavy)\n"
    "  --frames N       timed frames (default 400)\n"
    "  --seed N         random seed of the trail (default 1)\n"
    "  --help           this text\n"
    "\n"
    "Output: one figure per line, \"name: value unit\"; medians and 95th\n"
    "percentiles in milliseconds; frames per second from the mean frame; the\n"
    "bound measured after every frame on the display's own back buffer and\n"
    "primary surface; peak memory as the peak resident set; the ratio of the\n"
    "median frame to the median bound comes last.\n";

bool ParseInt(const char* text, std::int64_t lo, std::int64_t hi, std::int64_t& out) {
  if (text == nullptr || *text == '\0') return false;
  char* end = nullptr;
  errno = 0;
  const long long v = std::strtoll(text, &end, 10);
  if (errno != 0 || *end != '\0' || v < lo || v > hi) return false;
  out = v;
  return true;
}

bool ParsePreset(const char* text, PresetKind& out) {
  if (text == nullptr) return false;
  if (std::strcmp(text, "default") == 0) out = PresetKind::Default;
  else if (std::strcmp(text, "heavy") == 0) out = PresetKind::Heavy;
  else return false;
  return true;
}

struct IntOption {
  const char* name;
  std::int64_t lo, hi;
  std::int32_t BenchOptions::*field;
};
constexpr IntOption kIntOptions[] = {
    {"--width", kMinSide, kMaxSide, &BenchOptions::width},
    {"--height", kMinSide, kMaxSide, &BenchOptions::height},
    {"--depth", 16, 32, &BenchOptions::depth},  // 16 or 32, checked after parsing
    {"--frames", 1, kMaxFrames, &BenchOptions::frames},
};

// One "--name value" pair; false when the name is unknown or the value
// missing or out of range.
bool ParseValue(const char* name, const char* value, BenchOptions& o) {
  std::int64_t v = 0;
  if (std::strcmp(name, "--preset") == 0) return ParsePreset(value, o.preset);
  if (std::strcmp(name, "--seed") == 0) {
    if (!ParseInt(value, 0, UINT32_MAX, v)) return false;
    o.seed = static_cast<std::uint32_t>(v);
    return true;
  }
  for (const IntOption& option : kIntOptions) {
    if (std::strcmp(name, option.name) != 0) continue;
    if (!ParseInt(value, option.lo, option.hi, v)) return false;
    o.*option.field = static_cast<std::int32_t>(v);
    return true;
  }
  return false;
}

}  // namespace

bool ParseOptions(int argc, char** argv, BenchOptions& out, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    const char* name = argv[i];
    if (std::strcmp(name, "--help") == 0 || std::strcmp(name, "-h") == 0) {
      out.help = true;
      continue;
    }
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (!ParseValue(name, value, out)) {
      error = std::string("bad option or value: ") + name;
      if (value != nullptr) error += std::string(" ") + value;
      return false;
    }
    ++i;
  }
  if (out.depth != 16 && out.depth != 32) {
    error = "the depth is 16 or 32 bits";
    return false;
  }
  // The margin band is cut to a quarter of the height; a screen narrower
  // than half its height leaves the head no room.
  if (2 * out.width < out.height) {
    error = "the width must be at least half the height";
    return false;
  }
  return true;
}

const char* UsageText() { return kUsage; }

const char* PresetName(PresetKind kind) { return kind == PresetKind::Heavy ? "heavy" : "default"; }

}  // namespace bench
