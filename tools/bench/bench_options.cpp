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
    "ratio of the median frame to the median bound comes last.\n";

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

// One "--name value" pair; false when the value is missing or bad.
bool ParseValue(const char* name, const char* value, BenchOptions& o) {
  std::int64_t v = 0;
  if (std::strcmp(name, "--preset") == 0) return ParsePreset(value, o.preset);
  if (std::strcmp(name, "--width") == 0 && ParseInt(value, kMinSide, kMaxSide, v)) o.width = std::int32_t(v);
  else if (std::strcmp(name, "--height") == 0 && ParseInt(value, kMinSide, kMaxSide, v)) o.height = std::int32_t(v);
  else if (std::strcmp(name, "--depth") == 0 && ParseInt(value, 16, 32, v) && (v == 16 || v == 32)) o.depth = std::int32_t(v);
  else if (std::strcmp(name, "--frames") == 0 && ParseInt(value, 1, kMaxFrames, v)) o.frames = std::int32_t(v);
  else if (std::strcmp(name, "--seed") == 0 && ParseInt(value, 0, UINT32_MAX, v)) o.seed = std::uint32_t(v);
  else return false;
  return true;
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
      error = std::string("bad option or value: ") + name + (value != nullptr ? std::string(" ") + value : "");
      return false;
    }
    ++i;
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
