#include "platform/win32/gdi_canvas.h"
#include "tools/parity/parity_canvas.h"

namespace parity {
namespace {

class GdiCanvas : public Canvas {
 public:
  GdiCanvas(std::int32_t width, std::int32_t height, int bitsPerPixel) : canvas_(width, height, bitsPerPixel) {}
  bool Ok() const override { return canvas_.Ok(); }
  plat::IDeviceContext& Dc() override { return canvas_.Dc(); }
  std::uint32_t Rgb(std::int32_t x, std::int32_t y) const override { return canvas_.Rgb(x, y); }

 private:
  plat::win32_port::GdiCanvas canvas_;
};

}  // namespace

std::unique_ptr<Canvas> MakeCanvas(std::int32_t width, std::int32_t height, int bitsPerPixel) {
  return std::make_unique<GdiCanvas>(width, height, bitsPerPixel);
}

}  // namespace parity
