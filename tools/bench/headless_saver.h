// The saver as "/s" starts it, with no window and no SDL: the real saver
// core, Screen and software display device, over in-memory stand-ins for
// the window system, boxes, INI files, input and sound. The frame is driven
// one stage at a time, in the order of the saver's frame tick.
#pragma once
#include <cstdint>
#include <string>

#include "framework/framework.h"
#include "platform/fake/fake_platform.h"
#include "saver/saver_app.h"
#include "tools/bench/bench_clock.h"
#include "tools/bench/bench_options.h"

namespace bench {

// The fakes with the real clock, so the overlays show real time.
struct BenchPlatform : fake::FakePorts {
  explicit BenchPlatform(const BenchOptions& o) : fake::FakePorts(o.width, o.height, 32) {}
  plat::Platform Get() { return FakePorts::Get(&realClock); }

  BenchClock realClock;
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
