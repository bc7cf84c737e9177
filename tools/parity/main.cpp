// Draws one fixed scene of lines and writes it as a binary PPM:
//   prumya-parity SCENE BITS OUT.ppm     (BITS: 16 or 32)
// The Linux build draws with our rasteriser, the Windows build with GDI, so
// the two pictures can be compared.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tools/parity/parity_canvas.h"
#include "tools/parity/scenes.h"

namespace {

bool WritePpm(const char* path, const parity::Canvas& canvas) {
  std::FILE* out = std::fopen(path, "wb");
  if (out == nullptr) return false;
  std::fprintf(out, "P6\n%d %d\n255\n", parity::kWidth, parity::kHeight);
  for (int y = 0; y < parity::kHeight; ++y) {
    for (int x = 0; x < parity::kWidth; ++x) {
      const std::uint32_t rgb = canvas.Rgb(x, y);
      const unsigned char px[3] = {static_cast<unsigned char>(rgb >> 16), static_cast<unsigned char>(rgb >> 8),
                                   static_cast<unsigned char>(rgb)};
      std::fwrite(px, 1, 3, out);
    }
  }
  return std::fclose(out) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: prumya-parity SCENE BITS OUT.ppm\n");
    return 2;
  }
  const int bits = std::atoi(argv[2]) == 16 ? 16 : 32;
  auto canvas = parity::MakeCanvas(parity::kWidth, parity::kHeight, bits);
  if (!canvas->Ok()) {
    std::fprintf(stderr, "prumya-parity: no canvas\n");
    return 1;
  }
  if (!parity::DrawScene(argv[1], canvas->Dc())) {
    std::fprintf(stderr, "prumya-parity: unknown scene %s\n", argv[1]);
    return 2;
  }
  if (!WritePpm(argv[3], *canvas)) {
    std::fprintf(stderr, "prumya-parity: cannot write %s\n", argv[3]);
    return 1;
  }
  return 0;
}
