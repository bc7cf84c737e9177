// The saver as "/s" starts it, with no window and no SDL: the real saver
// core, Screen and software display device, over in-memory stand-ins for
// the window system, boxes, INI files, input and sound. The frame is driven
// one stage at a time, in the order of the saver's frame tick.
#pragma once
#include <cstdint>
#include <string>

#include "framework/framework.h"
#include "platform/fake/fake_input.h"
#include "platform/fake/fake_message_boxes.h"
#include "platform/fake/fake_profile_store.h"
#include "platform/fake/fake_sound.h"
#include "platform/fake/fake_system_info.h"
#include "platform/fake/fake_window_system.h"
#include "platform/soft/soft_bitmap_loader.h"
#include "platform/soft/soft_display.h"
#include "saver/saver_app.h"
#include "tools/bench/bench_clock.h"
#include "tools/bench/bench_options.h"

namespace bench {

struct BenchPlatform {
  explicit BenchPlatform(const BenchOptions& o) : display(o.width, o.height, 32) {
    system.width = o.width;
    system.height = o.height;
  }
  plat::Platform Get();

  fake::FakeWindowSystem windows;
  fake::FakeMessageBoxes boxes;
  fake::FakeSystemInfo system;
  BenchClock clock;
  fake::FakeInput input;
  fake::FakeProfileStore profile;
  plat::soft::SoftDisplayDevice display;
  plat::soft::SoftBitmapLoader bitmaps;
  fake::FakeSound sound;
};

class HeadlessSaver {
 public:
  explicit HeadlessSaver(const BenchOptions& options);
  HeadlessSaver(const HeadlessSaver&) = delete;
  HeadlessSaver& operator=(const HeadlessSaver&) = delete;

  // False with the reason when the display did not come up as asked.
  bool Ready(std::string& error) const;
  // Steps the model until the whole trail has left the head, so the timed
  // frames draw a trail of full length.
  void Unfold();

  void StepTrail() { app_.trail.StepTrail(); }
  void Clear() { fw_.screen.Clear(); }
  void DrawTrail();
  void DrawOverlays();
  void Present() { fw_.screen.Present(); }

  plat::ISurface* BackBuffer() const { return fw_.screen.BackBuffer(); }
  plat::ISurface* Primary() const { return fw_.screen.Primary(); }
  const prumya::SaverParams& Params() const { return app_.config.params; }

 private:
  void WritePreset(const BenchOptions& options);

  BenchPlatform platform_;
  qrx::Framework fw_;
  prumya::SaverApp app_;
  std::int32_t depth_;
};

}  // namespace bench
