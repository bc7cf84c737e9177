#include "platform/win32/win32_sound_device.h"

#include "platform/win32/win32_headers.h"

#include <cstddef>

#include <mmsystem.h>  // WAVEFORMATEX, left out by WIN32_LEAN_AND_MEAN
#include <dsound.h>

namespace plat::win32_port {

namespace {

// The record without its 3D-algorithm field, the size programs written
// before that field existed pass: 20 bytes in a 32-bit build, 24 in a 64-bit
// one (the format pointer grows). A literal 20 would be refused on x64.
constexpr DWORD kBufferDescSize = offsetof(DSBUFFERDESC, guid3DAlgorithm);
static_assert(sizeof(void*) != 4 || kBufferDescSize == 20, "the 32-bit record is 20 bytes");

}  // namespace

Win32SoundDevice::~Win32SoundDevice() {
  ReleasePrimaryBuffer();
  ReleaseDevice();
}

HResult Win32SoundDevice::Create() {
  if (device_ != nullptr) return DS_OK;
  const HRESULT hr = DirectSoundCreate(nullptr, &device_, nullptr);
  if (FAILED(hr)) device_ = nullptr;
  return hr;
}

HResult Win32SoundDevice::SetCooperativeLevel(WindowHandle window, std::uint32_t level) {
  if (device_ == nullptr) return DSERR_UNINITIALIZED;
  return device_->SetCooperativeLevel(reinterpret_cast<HWND>(window), level);
}

HResult Win32SoundDevice::CreatePrimaryBuffer() {
  if (device_ == nullptr) return DSERR_UNINITIALIZED;
  DSBUFFERDESC desc{};
  desc.dwSize = kBufferDescSize;
  desc.dwFlags = DSBCAPS_PRIMARYBUFFER;
  const HRESULT hr = device_->CreateSoundBuffer(&desc, &buffer_, nullptr);
  if (FAILED(hr)) buffer_ = nullptr;
  return hr;
}

void Win32SoundDevice::ReleasePrimaryBuffer() {
  if (buffer_ == nullptr) return;
  buffer_->Release();
  buffer_ = nullptr;
}

void Win32SoundDevice::ReleaseDevice() {
  if (device_ == nullptr) return;
  device_->Release();
  device_ = nullptr;
}

}  // namespace plat::win32_port
