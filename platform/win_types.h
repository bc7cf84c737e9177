// Windows-compatible handle types and numbers shared by the portable core.
// Messages, virtual keys, result codes and DirectX flags keep their Win32
// values on every platform; the names differ from <windows.h> so that both
// can be included together (the Win32 port static_asserts they agree).
#pragma once
#include <cstdint>

namespace plat {

using WindowHandle = std::uintptr_t;    // HWND value, 0 = none
using InstanceHandle = std::uintptr_t;  // HINSTANCE value
using ColourRef = std::uint32_t;        // red low byte, then green, then blue
using HResult = std::int32_t;

constexpr ColourRef MakeColour(int r, int g, int b) {
  return static_cast<ColourRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Window messages.
constexpr std::uint32_t kWmDestroy = 0x0002;
constexpr std::uint32_t kWmClose = 0x0010;
constexpr std::uint32_t kWmQuit = 0x0012;
constexpr std::uint32_t kWmActivateApp = 0x001C;
constexpr std::uint32_t kWmSetCursor = 0x0020;
constexpr std::uint32_t kWmKeyDown = 0x0100;
constexpr std::uint32_t kWmKeyUp = 0x0101;
constexpr std::uint32_t kWmChar = 0x0102;
constexpr std::uint32_t kWmSysKeyDown = 0x0104;
constexpr std::uint32_t kWmSysKeyUp = 0x0105;
constexpr std::uint32_t kWmInitDialog = 0x0110;
constexpr std::uint32_t kWmCommand = 0x0111;
constexpr std::uint32_t kWmSysCommand = 0x0112;
constexpr std::uint32_t kWmHScroll = 0x0114;
constexpr std::uint32_t kWmMouseMove = 0x0200;
constexpr std::uint32_t kWmLButtonDown = 0x0201;
constexpr std::uint32_t kWmLButtonUp = 0x0202;
constexpr std::uint32_t kWmRButtonDown = 0x0204;
constexpr std::uint32_t kWmRButtonUp = 0x0205;
constexpr std::uint32_t kWmMButtonDown = 0x0207;

constexpr std::uintptr_t kScScreenSave = 0xF140;

// Virtual keys.
constexpr int kVkBack = 0x08;
constexpr int kVkTab = 0x09;
constexpr int kVkReturn = 0x0D;
constexpr int kVkShift = 0x10;
constexpr int kVkControl = 0x11;
constexpr int kVkMenu = 0x12;  // Alt
constexpr int kVkEscape = 0x1B;
constexpr int kVkSpace = 0x20;
constexpr int kVkLeft = 0x25;
constexpr int kVkUp = 0x26;
constexpr int kVkRight = 0x27;
constexpr int kVkDown = 0x28;
constexpr int kVkF1 = 0x70;
constexpr int kVkF2 = 0x71;
constexpr int kVkF3 = 0x72;
constexpr int kVkF10 = 0x79;

// Dialog and message-box results and styles.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdYes = 6;
constexpr int kIdNo = 7;
constexpr std::uint32_t kMbOk = 0x0;
constexpr std::uint32_t kMbYesNo = 0x4;
constexpr std::uint32_t kMbIconQuestion = 0x20;
constexpr std::uint32_t kMbIconWarning = 0x30;
constexpr std::uint32_t kMbIconInformation = 0x40;
constexpr std::uint32_t kMbSystemModal = 0x1000;

// Result codes.
constexpr HResult kOk = 0;
constexpr HResult kEFail = static_cast<HResult>(0x80004005u);
constexpr HResult kDdErrSurfaceLost = static_cast<HResult>(0x887601C2u);
constexpr HResult kDdErrGeneric = kEFail;
constexpr HResult kDdErrInvalidMode = static_cast<HResult>(0x88760078u);  // DDERR_INVALIDMODE
constexpr HResult kDdErrNoDc = static_cast<HResult>(0x8876024Au);         // DDERR_NODC
constexpr HResult kDdErrInvalidParams = static_cast<HResult>(0x80070057u);  // E_INVALIDARG
constexpr HResult kDdErrOutOfMemory = static_cast<HResult>(0x8007000Eu);    // E_OUTOFMEMORY
constexpr HResult kDdErrNotInitialized = static_cast<HResult>(0x800401F0u); // CO_E_NOTINITIALIZED
constexpr HResult kDdErrInvalidPixelFormat = static_cast<HResult>(0x88760091u);
constexpr HResult kDdErrInvalidRect = static_cast<HResult>(0x88760096u);
constexpr HResult kDdErrSurfaceBusy = static_cast<HResult>(0x887601AEu);
constexpr HResult kDdErrNotLocked = static_cast<HResult>(0x88760248u);
constexpr HResult kDdErrUnsupportedMode = static_cast<HResult>(0x8876024Eu);
constexpr HResult kDdErrDcAlreadyCreated = static_cast<HResult>(0x8876026Cu);
constexpr HResult kDdErrPrimaryExists = static_cast<HResult>(0x88760234u);  // PRIMARYSURFACEALREADYEXISTS

// DirectDraw flags used by the framework.
constexpr std::uint32_t kDdsclNormal = 0x8;
constexpr std::uint32_t kDdsclFullscreenExclusive = 0x13;  // FULLSCREEN | ALLOWREBOOT | EXCLUSIVE
constexpr std::uint32_t kDdsdCaps = 0x1;
constexpr std::uint32_t kDdsdHeight = 0x2;
constexpr std::uint32_t kDdsdWidth = 0x4;
constexpr std::uint32_t kDdsCapsOffscreenPlain = 0x40;
constexpr std::uint32_t kDdsCapsPrimarySurface = 0x200;
constexpr std::uint32_t kDdsCapsSystemMemory = 0x800;

// DirectSound.
constexpr std::uint32_t kDsSclNormal = 1;

}  // namespace plat
