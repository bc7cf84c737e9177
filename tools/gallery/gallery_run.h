// One shipped preset drawn headless as a host's preview would show it: the
// embedded run of the real core over the software display, in a window
// that exists only in memory, on a clock that moves only when the run
// waits, from a fixed seed. The same presets give the same frames.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace gallery {

constexpr std::int32_t kWidth = 320;
constexpr std::int32_t kHeight = 180;

struct Shot {
  std::uint32_t seed = 1;
  int warmUp = 512;  // frames drawn first, so that the longest trail has unfolded
  int frames = 24;   // frames written
  int every = 3;     // one frame written in so many drawn (30 drawn a second)
};

// The section names of a preset file, in the file's order (code page 932).
std::vector<std::string> ListPresets(const std::string& presetFile);

// Draws preset (a section of presetFile, which stands for the shipped
// system preset file) and writes the chosen frames to out as binary PPM
// images, one after the other. False with the reason when fewer frames came.
bool RenderPreset(const std::string& presetFile, const std::string& preset, const Shot& shot,
                  std::FILE* out, std::string& error);

}  // namespace gallery
