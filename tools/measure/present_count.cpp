// The measuring build's display seam (prumya-measure, never shipped): the
// saver as shipped, with every frame that reaches the window counted. At
// exit it prints the count and the monotonic times of the first and last
// present, from which scripts/measure-run takes the frame rate.
#include <time.h>

#include <cstdio>

#include "platform/linux/entry/display_hook.h"

namespace plat::linux_port {

namespace {

double NowMs() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

class CountingPresenter : public IPresentTarget {
 public:
  explicit CountingPresenter(IPresentTarget& inner) : inner_(inner) {}
  ~CountingPresenter() override {
    std::fprintf(stderr, "prumya-measure: presents=%ld first=%.3f last=%.3f\n", presents_,
                 first_, last_);
  }
  soft::PixelMemory LendPrimary(std::int32_t width, std::int32_t height,
                                const PixelFormat& format) override {
    return inner_.LendPrimary(width, height, format);
  }
  void Present(const LockedSurface& frame) override {
    inner_.Present(frame);
    last_ = NowMs();
    if (presents_++ == 0) first_ = last_;
  }

 private:
  IPresentTarget& inner_;
  long presents_ = 0;
  double first_ = 0, last_ = 0;
};

}  // namespace

void PrepareDisplay(LinuxDisplay& display) {
  static CountingPresenter counting(display.Presenter());
  display.Device().SetPresentTarget(&counting);
}

}  // namespace plat::linux_port
