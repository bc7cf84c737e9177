// prumya-bench: the saver's frame, headless, against the memory-bandwidth
// bound of the same frame size.
#include <cstdio>
#include <string>

#include "tools/bench/bench_clock.h"
#include "tools/bench/bench_options.h"
#include "tools/bench/frame_bench.h"
#include "tools/bench/headless_saver.h"

namespace {

void Figure(const char* name, double value, const char* unit, int decimals = 3) {
  std::printf("%s: %.*f %s\n", name, decimals, value, unit);
}

void Stage(const char* name, const bench::SampleSeries& s) {
  const std::string n(name);
  Figure((n + " median").c_str(), s.MedianMs(), "ms", 4);
  Figure((n + " p95").c_str(), s.PercentileMs(95.0), "ms", 4);
}

void Report(const bench::BenchOptions& o, const bench::FrameBench& run) {
  const bench::FrameSamples& s = run.Samples();
  std::printf("width: %d px\nheight: %d px\ndepth: %d bit\n", o.width, o.height, o.depth);
  std::printf("preset: %s\nseed: %u\nframes: %d frames\n", bench::PresetName(o.preset), o.seed, o.frames);
  Stage("step", s.step);
  Stage("clear", s.clear);
  Stage("trail", s.trail);
  Stage("overlays", s.overlays);
  Stage("present copy", s.present);
  Stage("frame", s.frame);
  Stage("bound clear", s.boundClear);
  Stage("bound copy", s.boundCopy);
  Stage("bound", s.bound);
  const double mean = s.frame.MeanMs();
  Figure("frames per second", mean > 0.0 ? 1000.0 / mean : 0.0, "fps", 1);
  std::printf("heap allocations in timed frames: %llu\n",
              static_cast<unsigned long long>(run.AllocationsInTimedFrames()));
  Figure("peak memory", static_cast<double>(bench::PeakResidentBytes()) / (1024.0 * 1024.0), "MiB", 1);
  const double bound = s.bound.MedianMs();
  Figure("ratio frame/bound", bound > 0.0 ? s.frame.MedianMs() / bound : 0.0, "x", 2);
}

}  // namespace

int main(int argc, char** argv) {
  bench::BenchOptions options;
  std::string error;
  if (!bench::ParseOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "prumya-bench: %s\n%s", error.c_str(), bench::UsageText());
    return 2;
  }
  if (options.help) {
    std::fputs(bench::UsageText(), stdout);
    return 0;
  }
  bench::HeadlessSaver saver(options);
  if (!saver.Ready(error)) {
    std::fprintf(stderr, "prumya-bench: %s\n", error.c_str());
    return 1;
  }
  saver.Unfold();
  bench::FrameBench run(saver, options.frames);
  if (!run.Run()) {
    std::fprintf(stderr, "prumya-bench: the surfaces could not be locked\n");
    return 1;
  }
  Report(options, run);
  return 0;
}
