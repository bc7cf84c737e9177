#include "platform/soft/soft_bitmap_loader.h"

#include <memory>
#include <new>

#include "platform/embedded_resources.h"
#include "platform/soft/bmp_parser.h"

namespace plat::soft {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

// The file's bytes, or nothing when it is missing, unreadable or larger than
// any bitmap we accept.
std::unique_ptr<std::uint8_t[]> ReadBounded(std::FILE* file, std::size_t& size) {
  if (std::fseek(file, 0, SEEK_END) != 0) return nullptr;
  const long length = std::ftell(file);
  if (length <= 0 || static_cast<unsigned long>(length) > kMaxBitmapFileBytes) return nullptr;
  if (std::fseek(file, 0, SEEK_SET) != 0) return nullptr;
  size = static_cast<std::size_t>(length);
  std::unique_ptr<std::uint8_t[]> bytes(new (std::nothrow) std::uint8_t[size]);
  if (!bytes || std::fread(bytes.get(), 1, size, file) != size) return nullptr;
  return bytes;
}

}  // namespace

IBitmap* SoftBitmapLoader::LoadResource(const char* name) {
  const EmbeddedResource* resource = FindEmbeddedResource(name);
  if (resource == nullptr) return nullptr;
  return ParseBmp(resource->data, resource->size).release();
}

IBitmap* SoftBitmapLoader::LoadFile(const char* path) {
  if (path == nullptr || path[0] == '\0') return nullptr;
  std::unique_ptr<std::FILE, FileCloser> file(opener_ ? opener_(path) : std::fopen(path, "rb"));
  if (!file) return nullptr;
  std::size_t size = 0;
  const std::unique_ptr<std::uint8_t[]> bytes = ReadBounded(file.get(), size);
  if (!bytes) return nullptr;
  return ParseBmp(bytes.get(), size).release();
}

}  // namespace plat::soft
