// Bitmaps for the software display: the embedded resources by name (case
// ignored) and bitmap files from disk, read whole up to a bounded size.
#pragma once
#include <cstdio>
#include <functional>

#include "platform/display_device.h"

namespace plat::soft {

class SoftBitmapLoader : public IBitmapLoader {
 public:
  // Paths arrive as the system's bytes; the opener maps them to a host file
  // (plain fopen when none is given).
  using FileOpener = std::function<std::FILE*(const char* path)>;
  explicit SoftBitmapLoader(FileOpener opener = {}) : opener_(std::move(opener)) {}

  IBitmap* LoadResource(const char* name) override;
  IBitmap* LoadFile(const char* path) override;
  void Delete(IBitmap* bitmap) override { delete bitmap; }

 private:
  FileOpener opener_;
};

}  // namespace plat::soft
