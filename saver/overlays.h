// The clock and frame-rate lines drawn over the trail in the 16 x 16
// seven-segment font "FONT01".
#pragma once
#include <cstdint>
#include <optional>

#include "framework/surface_slots.h"
#include "framework/timers.h"
#include "platform/system.h"
#include "saver/config.h"

namespace prumya {

constexpr std::int32_t kGlyphSize = 16;

// Where font cells go: the font sprite while the saver runs.
class GlyphSink {
 public:
  virtual ~GlyphSink() = default;
  // Copies the font's source rectangle (srcX, srcY, w, h) to (x, y).
  virtual void DrawCell(std::int32_t x, std::int32_t y, std::int32_t srcX, std::int32_t srcY,
                        std::int32_t w, std::int32_t h) = 0;
};

// The font bitmap in a system-memory slot, black transparent.
class FontGlyphs : public GlyphSink {
 public:
  explicit FontGlyphs(qrx::SlotTable& slots) : sprite(slots) {}
  int Load() { return sprite.Load("font01"); }
  void DrawCell(std::int32_t x, std::int32_t y, std::int32_t srcX, std::int32_t srcY,
                std::int32_t w, std::int32_t h) override {
    sprite.Draw(x, y, srcX, srcY, w, h);
  }

  qrx::Sprite sprite;
};

// The glyph of a byte, or -1: such a byte leaves an empty cell.
int GlyphOf(char c);

// One cell per byte, 16 pixels apart, from (x, y); nothing behind is cleared.
void DrawGlyphText(GlyphSink& glyphs, std::int32_t x, std::int32_t y, const char* text);

class Overlays {
 public:
  Overlays(const SaverConfig& config, plat::IClock& clock, GlyphSink& glyphs)
      : config_(&config), clock_(&clock), glyphs_(&glyphs) {}

  // Date and time at the lower right; the colons blink once a second.
  void DrawClock();
  // Frames of the last full second and of the current one at the lower left.
  void DrawFrameRate();

 private:
  const SaverConfig* config_;
  plat::IClock* clock_;
  GlyphSink* glyphs_;
  // Started by the first frame whether or not the counter is shown.
  std::optional<qrx::Timer> frameRateTimer_;
  std::int32_t frameCount_ = 0;
  std::int32_t lastFrameCount_ = 0;
};

}  // namespace prumya
