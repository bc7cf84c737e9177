// The portable k-constants are the Win32 numbers: checked against the SDK
// headers once, at compile time.
#include "platform/win32/win32_headers.h"

#include <ddraw.h>
#include <mmsystem.h>  // WAVEFORMATEX, left out by WIN32_LEAN_AND_MEAN
#include <dsound.h>

#include "platform/win_types.h"

namespace plat {

static_assert(kWmDestroy == WM_DESTROY && kWmClose == WM_CLOSE && kWmQuit == WM_QUIT);
static_assert(kWmActivateApp == WM_ACTIVATEAPP && kWmSetCursor == WM_SETCURSOR);
static_assert(kWmKeyDown == WM_KEYDOWN && kWmKeyUp == WM_KEYUP && kWmChar == WM_CHAR);
static_assert(kWmSysKeyDown == WM_SYSKEYDOWN && kWmSysKeyUp == WM_SYSKEYUP);
static_assert(kWmInitDialog == WM_INITDIALOG && kWmCommand == WM_COMMAND);
static_assert(kWmSysCommand == WM_SYSCOMMAND && kWmHScroll == WM_HSCROLL);
static_assert(kWmMouseMove == WM_MOUSEMOVE && kWmLButtonDown == WM_LBUTTONDOWN);
static_assert(kWmLButtonUp == WM_LBUTTONUP && kWmRButtonDown == WM_RBUTTONDOWN);
static_assert(kWmRButtonUp == WM_RBUTTONUP && kWmMButtonDown == WM_MBUTTONDOWN);
static_assert(kScScreenSave == SC_SCREENSAVE);

static_assert(kVkBack == VK_BACK && kVkTab == VK_TAB && kVkReturn == VK_RETURN);
static_assert(kVkShift == VK_SHIFT && kVkControl == VK_CONTROL && kVkMenu == VK_MENU);
static_assert(kVkEscape == VK_ESCAPE && kVkSpace == VK_SPACE);
static_assert(kVkLeft == VK_LEFT && kVkUp == VK_UP && kVkRight == VK_RIGHT && kVkDown == VK_DOWN);
static_assert(kVkF1 == VK_F1 && kVkF2 == VK_F2 && kVkF3 == VK_F3 && kVkF10 == VK_F10);

static_assert(kIdOk == IDOK && kIdCancel == IDCANCEL && kIdYes == IDYES && kIdNo == IDNO);
static_assert(kMbOk == MB_OK && kMbYesNo == MB_YESNO && kMbIconQuestion == MB_ICONQUESTION);
static_assert(kMbIconWarning == MB_ICONWARNING && kMbIconInformation == MB_ICONINFORMATION);
static_assert(kMbSystemModal == MB_SYSTEMMODAL);

static_assert(kOk == S_OK && kEFail == static_cast<HResult>(E_FAIL));
static_assert(kDdErrSurfaceLost == static_cast<HResult>(DDERR_SURFACELOST));
static_assert(kDdErrInvalidMode == static_cast<HResult>(DDERR_INVALIDMODE));
static_assert(kDdErrNoDc == static_cast<HResult>(DDERR_NODC));
static_assert(kDdsclNormal == DDSCL_NORMAL);
static_assert(kDdsclFullscreenExclusive == (DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT | DDSCL_EXCLUSIVE));
static_assert(kDdsdCaps == DDSD_CAPS && kDdsdHeight == DDSD_HEIGHT && kDdsdWidth == DDSD_WIDTH);
static_assert(kDdsCapsOffscreenPlain == DDSCAPS_OFFSCREENPLAIN);
static_assert(kDdsCapsPrimarySurface == DDSCAPS_PRIMARYSURFACE);
static_assert(kDdsCapsSystemMemory == DDSCAPS_SYSTEMMEMORY);
static_assert(kDsSclNormal == DSSCL_NORMAL);

}  // namespace plat
