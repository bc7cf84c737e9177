#include "platform/soft/bmp_parser.h"

#include <new>

namespace plat::soft {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kBiRgb = 0;

class Bytes {
 public:
  Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool Has(std::uint64_t offset, std::uint64_t length) const {
    return offset <= size_ && length <= size_ - offset;
  }
  std::uint32_t U8(std::size_t at) const { return data_[at]; }
  std::uint32_t U16(std::size_t at) const { return U8(at) | (U8(at + 1) << 8); }
  std::uint32_t U32(std::size_t at) const { return U16(at) | (U16(at + 2) << 16); }
  const std::uint8_t* At(std::size_t at) const { return data_ + at; }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

struct Layout {
  std::int64_t width = 0, height = 0;  // height > 0 after reading
  bool topDown = false;
  std::uint32_t bitCount = 0, compression = 0, planes = 0, coloursUsed = 0;
  std::size_t paletteAt = 0, paletteEntrySize = 4, paletteEntries = 0;
  std::uint64_t pixelsAt = 0, stride = 0;
};

bool ReadCoreHeader(const Bytes& b, std::size_t at, Layout& l) {
  l.width = b.U16(at + 4);
  l.height = b.U16(at + 6);
  l.planes = b.U16(at + 8);
  l.bitCount = b.U16(at + 10);
  l.paletteEntrySize = 3;
  return true;
}

bool ReadInfoHeader(const Bytes& b, std::size_t at, Layout& l) {
  l.width = static_cast<std::int32_t>(b.U32(at + 4));
  const std::int64_t height = static_cast<std::int32_t>(b.U32(at + 8));
  l.topDown = height < 0;
  l.height = height < 0 ? -height : height;
  l.planes = b.U16(at + 12);
  l.bitCount = b.U16(at + 14);
  l.compression = b.U32(at + 16);
  l.coloursUsed = b.U32(at + 32);
  return true;
}

bool ValidShape(const Layout& l) {
  const bool knownDepth = l.bitCount == 1 || l.bitCount == 4 || l.bitCount == 8 ||
                          l.bitCount == 16 || l.bitCount == 24 || l.bitCount == 32;
  return knownDepth && l.planes == 1 && l.compression == kBiRgb && l.width >= 1 && l.height >= 1 &&
         l.width <= kMaxBitmapSide && l.height <= kMaxBitmapSide &&
         l.width * l.height <= kMaxBitmapPixels;
}

// Palette size and where the pixels start; all of it inside the bytes.
bool PlaceTables(const Bytes& b, Layout& l, bool hasFileOffset, std::uint64_t fileOffset) {
  const std::size_t maxEntries = l.bitCount <= 8 ? (std::size_t{1} << l.bitCount) : 256;
  if (l.coloursUsed > maxEntries) return false;
  l.paletteEntries = l.coloursUsed != 0 ? l.coloursUsed : (l.bitCount <= 8 ? maxEntries : 0);
  const std::uint64_t paletteBytes = std::uint64_t{l.paletteEntries} * l.paletteEntrySize;
  if (!b.Has(l.paletteAt, paletteBytes)) return false;
  l.pixelsAt = hasFileOffset ? fileOffset : l.paletteAt + paletteBytes;
  l.stride = ((static_cast<std::uint64_t>(l.width) * l.bitCount + 31) / 32) * 4;
  return b.Has(l.pixelsAt, l.stride * static_cast<std::uint64_t>(l.height));
}

bool ReadLayout(const Bytes& b, std::size_t size, Layout& l) {
  std::size_t at = 0;
  bool hasFileOffset = false;
  std::uint64_t fileOffset = 0;
  if (size >= 2 && b.U8(0) == 'B' && b.U8(1) == 'M') {
    if (!b.Has(0, kFileHeaderSize)) return false;
    fileOffset = b.U32(10);
    hasFileOffset = true;
    at = kFileHeaderSize;
  }
  if (!b.Has(at, 4)) return false;
  const std::uint32_t headerSize = b.U32(at);
  const bool core = headerSize == 12;
  const bool info = headerSize == 40 || headerSize == 52 || headerSize == 56 ||
                    headerSize == 108 || headerSize == 124;
  if ((!core && !info) || !b.Has(at, headerSize)) return false;
  if (core) ReadCoreHeader(b, at, l);
  else ReadInfoHeader(b, at, l);
  if (!ValidShape(l)) return false;
  l.paletteAt = at + headerSize;
  if (hasFileOffset && fileOffset < l.paletteAt) return false;
  return PlaceTables(b, l, hasFileOffset, fileOffset);
}

std::uint32_t PaletteRgb(const Bytes& b, const Layout& l, std::uint32_t index) {
  if (index >= l.paletteEntries) return 0;  // beyond a short palette: black
  const std::size_t at = l.paletteAt + index * l.paletteEntrySize;
  return (b.U8(at + 2) << 16) | (b.U8(at + 1) << 8) | b.U8(at);
}

std::uint32_t Widen5(std::uint32_t v) { return (v << 3) | (v >> 2); }

std::uint32_t PixelRgb(const Bytes& b, const Layout& l, std::size_t row, std::int64_t x) {
  const std::uint32_t bits = l.bitCount;
  if (bits <= 8) {
    const std::uint64_t bit = static_cast<std::uint64_t>(x) * bits;
    const std::uint32_t byte = b.U8(row + bit / 8);
    const std::uint32_t shift = 8 - bits - static_cast<std::uint32_t>(bit % 8);
    return PaletteRgb(b, l, (byte >> shift) & ((1u << bits) - 1));
  }
  const std::size_t at = row + static_cast<std::size_t>(x) * (bits / 8);
  if (bits == 16) {  // X1R5G5B5
    const std::uint32_t v = b.U16(at);
    return (Widen5((v >> 10) & 31) << 16) | (Widen5((v >> 5) & 31) << 8) | Widen5(v & 31);
  }
  return (b.U8(at + 2) << 16) | (b.U8(at + 1) << 8) | b.U8(at);
}

}  // namespace

std::unique_ptr<SoftBitmap> ParseBmp(const std::uint8_t* data, std::size_t size) {
  if (data == nullptr) return nullptr;
  const Bytes b(data, size);
  Layout l;
  if (!ReadLayout(b, size, l)) return nullptr;
  const std::size_t count = static_cast<std::size_t>(l.width * l.height);
  std::unique_ptr<std::uint32_t[]> pixels(new (std::nothrow) std::uint32_t[count]);
  if (!pixels) return nullptr;
  for (std::int64_t y = 0; y < l.height; ++y) {
    const std::int64_t stored = l.topDown ? y : l.height - 1 - y;
    const std::size_t row = static_cast<std::size_t>(l.pixelsAt + l.stride * stored);
    std::uint32_t* out = pixels.get() + y * l.width;
    for (std::int64_t x = 0; x < l.width; ++x) out[x] = PixelRgb(b, l, row, x);
  }
  std::unique_ptr<SoftBitmap> bitmap(new (std::nothrow) SoftBitmap(
      static_cast<std::int32_t>(l.width), static_cast<std::int32_t>(l.height), std::move(pixels)));
  return bitmap;
}

}  // namespace plat::soft
