// Bitmaps as DIB sections through LoadImageA: the module's resources by name
// (case ignored by Windows) or files.
#pragma once
#include "platform/display_device.h"

namespace plat::win32_port {

class Win32BitmapLoader : public IBitmapLoader {
 public:
  IBitmap* LoadResource(const char* name) override;
  IBitmap* LoadFile(const char* path) override;
  void Delete(IBitmap* bitmap) override;
};

}  // namespace plat::win32_port
