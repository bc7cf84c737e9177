// Pixel-exact guard for the drawing path: a fixed seed and fixed presets run
// through the real saver, screen and software device at a small size, and the
// presented frames are hashed. The constants were recorded from the plain
// reference rasteriser and surfaces; any change to the pixels drawn (line
// spans, ends, clipping, fills, copies, glyph cells) changes the hash.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/soft/soft_surface.h"
#include "tests/saver_rig.h"

namespace {

using testrig::kSettingsFile;
using testrig::kUserFile;

constexpr std::uint32_t kSeed = 20240601;
constexpr int kFrames = 150;
constexpr std::int32_t kWidth = 240;
constexpr std::int32_t kHeight = 180;

// Heavy: the longest trail with the widest pen. Thin: one-pixel lines. Edge:
// no margin and a swelling radius, so ends leave the screen and are clipped,
// with an odd pen width. Values data00.. in order; the rest keep the table's.
struct Preset {
  const char* name;
  std::vector<const char*> values;
};
const Preset kHeavy{"heavy", {"512", "8"}};
const Preset kThin{"thin", {"512", "1"}};
const Preset kEdge{"edge", {"300", "5", "9", "2", "9", "13", "3", "45", "0", "7", "3", "40"}};

class HashRig : public testrig::SaverRig {
 public:
  HashRig(const Preset& preset, bool fullColour) : SaverRig(kWidth, kHeight) {
    for (std::size_t i = 0; i < preset.values.size(); ++i) {
      char key[8];
      prumya::FormatDataKey(key, static_cast<int>(i));
      profile.Set(kUserFile, preset.name, key, preset.values[i]);
    }
    profile.files[kSettingsFile] += std::string("[action]\r\nname=") + preset.name + "\r\ntime=1\r\nfps=1\r\ncolor=" +
                                    (fullColour ? "1" : "0") + "\r\n";
    framework.random.Seed(kSeed);
    app.StartSaver();
  }

  // FNV-1a over every presented frame, in order.
  std::uint64_t Run() {
    std::uint64_t hash = 14695981039346656037ull;
    for (int frame = 0; frame < kFrames; ++frame) {
      clock.ticks += 17;  // the frame-rate counter rolls over now and then
      clock.local = plat::LocalTime{2001, 4, 1, 23, 59, frame % 60, (frame * 130) % 1000};
      app.FrameTick();
      const plat::soft::PixelView& v = display.PrimarySurface()->View();
      for (std::int32_t y = 0; y < v.height; ++y) {
        const std::uint8_t* row = v.bits + static_cast<std::int64_t>(y) * v.pitch;
        for (std::int32_t i = 0; i < v.width * plat::soft::BytesPerPixel(v.layout); ++i)
          hash = (hash ^ row[i]) * 1099511628211ull;
      }
    }
    return hash;
  }
};

TEST(FrameHash, EveryPresetAtBothDepths) {
  struct Case {
    const Preset& preset;
    bool fullColour;
    std::uint64_t hash;
  };
  for (const Case& c : {Case{kHeavy, false, 0x43E2A7AFE8CD6EDCull}, Case{kHeavy, true, 0xACB5382C53D0821Eull},
                        Case{kThin, false, 0x14CB6DE9F2EE37E3ull}, Case{kThin, true, 0xC832EBC1BCF1642Bull},
                        Case{kEdge, false, 0x79ADB196E7DB71C4ull}, Case{kEdge, true, 0xC4F23392B96D049Aull}}) {
    SCOPED_TRACE(std::string(c.preset.name) + (c.fullColour ? " 32" : " 16"));
    HashRig rig(c.preset, c.fullColour);
    EXPECT_EQ(c.hash, rig.Run());
    EXPECT_EQ(kFrames, rig.display.Presents());  // every tick drew and presented a frame
  }
}

}  // namespace
