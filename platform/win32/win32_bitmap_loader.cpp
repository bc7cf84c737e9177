#include "platform/win32/win32_bitmap_loader.h"

#include <new>

#include "platform/win32/gdi_context.h"

namespace plat::win32_port {
namespace {

IBitmap* Wrap(HANDLE image) {
  if (image == nullptr) return nullptr;
  HBITMAP handle = static_cast<HBITMAP>(image);
  BITMAP info{};
  if (GetObjectA(handle, sizeof info, &info) == 0) {
    DeleteObject(handle);
    return nullptr;
  }
  const std::int32_t height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  IBitmap* bitmap = new (std::nothrow) GdiBitmap(handle, info.bmWidth, height);
  if (bitmap == nullptr) DeleteObject(handle);
  return bitmap;
}

}  // namespace

IBitmap* Win32BitmapLoader::LoadResource(const char* name) {
  if (name == nullptr) return nullptr;
  return Wrap(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

IBitmap* Win32BitmapLoader::LoadFile(const char* path) {
  if (path == nullptr || path[0] == '\0') return nullptr;
  return Wrap(LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_LOADFROMFILE));
}

void Win32BitmapLoader::Delete(IBitmap* bitmap) {
  auto* gdi = dynamic_cast<GdiBitmap*>(bitmap);
  if (gdi != nullptr) DeleteObject(gdi->Handle());
  delete bitmap;
}

}  // namespace plat::win32_port
