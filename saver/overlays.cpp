#include "saver/overlays.h"

#include <cstdio>

namespace prumya {

namespace {

struct GlyphEntry {
  char c;
  std::int8_t glyph;
};

// The font's sixteen cells; S borrows the 5.
constexpr GlyphEntry kGlyphTable[] = {
    {'0', 0},  {'1', 1},  {'2', 2},  {'3', 3},  {'4', 4},  {'5', 5},  {'6', 6},
    {'7', 7},  {'8', 8},  {'9', 9},  {':', 10}, {'/', 11}, {'F', 12}, {'S', 5},
    {'[', 13}, {']', 14}, {'<', 15},
};

constexpr std::int32_t kClockWidth = 19 * kGlyphSize;  // "2001/04/01 09:05:07"
constexpr std::int32_t kLineAboveBottom = kGlyphSize + 1;
constexpr int kColonHalfMs = 500;
constexpr std::uint32_t kRatePeriodMs = 1000;
constexpr std::uint32_t kArrowMs = 100;

// Large enough for any int the formats can print, so nothing is ever cut.
constexpr std::size_t kLineSize = 96;

}  // namespace

int GlyphOf(char c) {
  for (const GlyphEntry& entry : kGlyphTable)
    if (entry.c == c) return entry.glyph;
  return -1;
}

void DrawGlyphText(GlyphSink& glyphs, std::int32_t x, std::int32_t y, const char* text) {
  for (std::int32_t i = 0; text[i] != '\0'; ++i) {
    const int g = GlyphOf(text[i]);
    if (g < 0) continue;
    glyphs.DrawCell(x + kGlyphSize * i, y, kGlyphSize * g, 0, kGlyphSize, kGlyphSize);
  }
}

void Overlays::DrawClock() {
  if (config_->settings.showClock == 0) return;
  const plat::LocalTime t = clock_->Now();
  const char* format = t.milliseconds < kColonHalfMs ? "%04d/%02d/%02d %02d:%02d:%02d"
                                                     : "%04d/%02d/%02d %02d %02d %02d";
  char line[kLineSize];
  std::snprintf(line, sizeof line, format, t.year, t.month, t.day, t.hour, t.minute, t.second);
  DrawGlyphText(*glyphs_, config_->screenWidth - kClockWidth,
                config_->screenHeight - kLineAboveBottom, line);
}

void Overlays::DrawFrameRate() {
  if (!frameRateTimer_) frameRateTimer_.emplace(*clock_, kRatePeriodMs);
  if (config_->settings.showFrameRate == 0) return;
  ++frameCount_;
  if (frameRateTimer_->PeriodPassed()) {
    lastFrameCount_ = frameCount_;
    frameCount_ = 0;
  }
  // The arrow marks the first moments after a rollover.
  const char* format =
      frameRateTimer_->HasElapsed(kArrowMs) ? "%04d[F/S] %04d" : "%04d[F/S]<%04d";
  char line[kLineSize];
  std::snprintf(line, sizeof line, format, static_cast<int>(lastFrameCount_),
                static_cast<int>(frameCount_));
  DrawGlyphText(*glyphs_, 0, config_->screenHeight - kLineAboveBottom, line);
}

}  // namespace prumya
