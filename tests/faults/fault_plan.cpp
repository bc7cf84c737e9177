// The fault build's display seam (prumya-faults, never shipped): reads a
// fault plan from PRUMYA_FAULTS and sets it on the software display device.
// Items, comma-separated:
//   create, cooperative, mode16, mode32, pixelformat   that init step fails
//   surface=N            the N-th CreateSurface fails (1 primary, 2 back
//                        buffer, 3 work buffer, 4 the first bitmap)
//   getdc, lock, colourkey                            those calls fail
//   lose=N               every surface is lost after every N-th present
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>

#include "platform/linux/entry/display_hook.h"
#include "platform/soft/soft_display.h"

namespace plat::linux_port {

namespace {

// Shows every frame, then loses all surfaces after each n-th, as another
// program taking the display would.
class LosingPresenter : public IPresentTarget {
 public:
  LosingPresenter(soft::SoftDisplayDevice& device, IPresentTarget& inner, long every)
      : device_(device), inner_(inner), every_(every) {}
  ~LosingPresenter() override { std::fprintf(stderr, "prumya-faults: surfaces lost %ld times\n", losses_); }
  soft::PixelMemory LendPrimary(std::int32_t width, std::int32_t height, const PixelFormat& format) override {
    return inner_.LendPrimary(width, height, format);
  }
  void Present(const LockedSurface& frame) override {
    inner_.Present(frame);
    if (++presents_ % every_ != 0) return;
    device_.LoseAllSurfaces();
    if (++losses_ == 1) std::fprintf(stderr, "prumya-faults: surfaces lost first after present %ld\n", presents_);
  }

 private:
  soft::SoftDisplayDevice& device_;
  IPresentTarget& inner_;
  long every_;
  long presents_ = 0;
  long losses_ = 0;
};

constexpr std::pair<const char*, soft::SoftFault> kFaults[] = {
    {"create", soft::SoftFault::Create},         {"cooperative", soft::SoftFault::CooperativeLevel},
    {"mode16", soft::SoftFault::DisplayMode16},  {"mode32", soft::SoftFault::DisplayMode32},
    {"pixelformat", soft::SoftFault::PixelFormat}, {"getdc", soft::SoftFault::GetDC},
    {"lock", soft::SoftFault::Lock},             {"colourkey", soft::SoftFault::SetColourKey},
};

bool ApplyItem(LinuxDisplay& display, const std::string& item) {
  soft::SoftDisplayDevice& device = display.Device();
  for (const auto& [name, fault] : kFaults) {
    if (item != name) continue;
    device.Fail(fault);
    return true;
  }
  const std::size_t eq = item.find('=');
  const std::string name = item.substr(0, eq);
  const long n = eq == std::string::npos ? 0 : std::strtol(item.c_str() + eq + 1, nullptr, 10);
  if (n > 0 && name == "surface") {
    device.FailCreateSurface(static_cast<int>(n));
    return true;
  }
  if (n <= 0 || name != "lose") return false;
  static LosingPresenter losing(device, display.Presenter(), n);
  device.SetPresentTarget(&losing);
  return true;
}

}  // namespace

void PrepareDisplay(LinuxDisplay& display) {
  const char* plan = std::getenv("PRUMYA_FAULTS");
  if (plan == nullptr) return;
  std::istringstream items(plan);
  for (std::string item; std::getline(items, item, ',');)
    if (!ApplyItem(display, item)) std::fprintf(stderr, "prumya-faults: unknown fault '%s'\n", item.c_str());
}

}  // namespace plat::linux_port
