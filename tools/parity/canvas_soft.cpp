#include <vector>

#include "platform/soft/soft_dc.h"
#include "tools/parity/parity_canvas.h"

namespace parity {
namespace {

class SoftCanvas : public Canvas {
 public:
  SoftCanvas(std::int32_t width, std::int32_t height, int bitsPerPixel)
      : memory_(static_cast<std::size_t>(width) * height, 0) {
    const auto layout = bitsPerPixel == 16 ? plat::soft::PixelLayout::Rgb565 : plat::soft::PixelLayout::Xrgb8888;
    view_ = plat::soft::PixelView{reinterpret_cast<std::uint8_t*>(memory_.data()),
                                  width * plat::soft::BytesPerPixel(layout), width, height, layout};
    dc_.Attach(view_);
  }
  bool Ok() const override { return true; }
  plat::IDeviceContext& Dc() override { return dc_; }
  std::uint32_t Rgb(std::int32_t x, std::int32_t y) const override {
    return plat::soft::RgbFromNative(view_.layout, plat::soft::ReadPixel(view_, x, y));
  }

 private:
  std::vector<std::uint32_t> memory_;  // room for either layout
  plat::soft::PixelView view_;
  plat::soft::SoftDeviceContext dc_;
};

}  // namespace

std::unique_ptr<Canvas> MakeCanvas(std::int32_t width, std::int32_t height, int bitsPerPixel) {
  return std::make_unique<SoftCanvas>(width, height, bitsPerPixel);
}

}  // namespace parity
