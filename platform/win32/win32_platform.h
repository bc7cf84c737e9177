// Owns every Win32 implementation and hands them out as one plat::Platform.
#pragma once
#include "platform/platform.h"
#include "platform/win32/ddraw_display.h"
#include "platform/win32/win32_bitmap_loader.h"
#include "platform/win32/win32_dialog_host.h"
#include "platform/win32/win32_message_boxes.h"
#include "platform/win32/win32_profile_store.h"
#include "platform/win32/win32_sound_device.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/win32_window_system.h"

namespace plat::win32_port {

class Win32Platform {
 public:
  Win32Platform();
  Win32Platform(const Win32Platform&) = delete;
  Win32Platform& operator=(const Win32Platform&) = delete;

  const Platform& Get() const { return platform_; }
  void SetDialogTrace(IDialogTrace* trace) { dialogs_.SetTrace(trace); }

 private:
  Win32WindowSystem windows_;
  Win32MessageBoxes boxes_;
  Win32SystemInfo system_;
  Win32Clock clock_;
  Win32Input input_;
  Win32SoundDevice sound_;
  Win32ProfileStore profile_;
  DdrawDisplay display_;
  Win32BitmapLoader bitmaps_;
  Win32DialogHost dialogs_;
  Platform platform_;
};

}  // namespace plat::win32_port
