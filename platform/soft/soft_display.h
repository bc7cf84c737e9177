// The software display device: DirectDraw's object model over surfaces in
// memory, 16-bit (RGB565) and 32-bit (XRGB8888) modes; 24-bit modes are
// refused, so full colour falls back to 32 bits as on most hardware. Every
// step can be made to fail and all surfaces can be lost on demand, for tests
// and for the fault run of the saver. The primary surface is shown through an
// IPresentTarget after every write onto it.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/display_device.h"
#include "platform/soft/present_target.h"

namespace plat::soft {

class SoftSurface;

enum class SoftFault : int {
  Create,            // the device object itself
  CooperativeLevel,
  DisplayMode16,     // SetDisplayMode at 16 bits per pixel
  DisplayMode32,     // ... at 32 bits per pixel (24 is always refused)
  PixelFormat,       // GetPixelFormat of any surface
  GetDC,
  Lock,
  SetColourKey,
  Count
};

class SoftDisplayDevice : public IDisplayDevice {
 public:
  SoftDisplayDevice(std::int32_t desktopWidth, std::int32_t desktopHeight, std::int32_t desktopBpp = 32);
  ~SoftDisplayDevice() override;  // releases surfaces still alive
  SoftDisplayDevice(const SoftDisplayDevice&) = delete;
  SoftDisplayDevice& operator=(const SoftDisplayDevice&) = delete;

  HResult Create() override;
  HResult SetCooperativeLevel(WindowHandle window, std::uint32_t flags) override;
  HResult SetDisplayMode(std::int32_t width, std::int32_t height, std::int32_t bpp) override;
  HResult CreateSurface(const SurfaceDesc& desc, ISurface** out) override;
  HResult RestoreDisplayMode() override;
  HResult FlipToGdiSurface() override;
  std::int32_t RefreshRate() override { return refreshRate_; }
  void Release() override;

  // The desktop's mode, for a device made before the desktop could be asked;
  // also the current mode while no mode has been set.
  void SetDesktop(std::int32_t width, std::int32_t height, std::int32_t bpp);
  void SetRefreshRate(std::int32_t hz) { refreshRate_ = hz; }

  // Fault injection.
  void Fail(SoftFault fault, bool on = true) { faults_[static_cast<int>(fault)] = on; }
  bool Failing(SoftFault fault) const { return faults_[static_cast<int>(fault)]; }
  // The ordinal-th CreateSurface after Create (counting from 1) fails; 0: none.
  void FailCreateSurface(int ordinal) { failSurfaceOrdinal_ = ordinal; }
  void LoseAllSurfaces();
  void SetPresentTarget(IPresentTarget* target) { target_ = target; }

  // State a presenter may look at.
  bool Exists() const { return exists_; }
  WindowHandle CooperativeWindow() const { return coopWindow_; }
  std::uint32_t CooperativeFlags() const { return coopFlags_; }
  std::int32_t ModeWidth() const { return modeWidth_; }
  std::int32_t ModeHeight() const { return modeHeight_; }
  std::int32_t ModeBpp() const { return modeBpp_; }
  bool ModeChanged() const;
  const std::vector<std::int32_t>& ModesTried() const { return modesTried_; }  // bpp per call
  int CreateSurfaceCalls() const { return surfaceCalls_; }
  int LiveSurfaces() const { return static_cast<int>(surfaces_.size()); }
  int Presents() const { return presents_; }
  SoftSurface* PrimarySurface() const;

  // Called by the surfaces.
  void Forget(SoftSurface* surface);
  void Presented(SoftSurface& primary);

 private:
  void RestoreDesktop();

  std::int32_t desktopWidth_, desktopHeight_, desktopBpp_;
  std::int32_t modeWidth_, modeHeight_, modeBpp_;
  bool exists_ = false;
  std::int32_t refreshRate_ = 0;
  WindowHandle coopWindow_ = 0;
  std::uint32_t coopFlags_ = 0;
  bool faults_[static_cast<int>(SoftFault::Count)] = {};
  int failSurfaceOrdinal_ = 0;
  int surfaceCalls_ = 0;
  int presents_ = 0;
  std::vector<std::int32_t> modesTried_;
  std::vector<SoftSurface*> surfaces_;
  IPresentTarget* target_ = nullptr;
};

}  // namespace plat::soft
