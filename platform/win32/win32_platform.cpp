#include "platform/win32/win32_platform.h"

namespace plat::win32_port {

Win32Platform::Win32Platform()
    : platform_(MakePlatform(windows_, boxes_, system_, clock_, input_, profile_, display_,
                             bitmaps_, sound_, &dialogs_)) {}

}  // namespace plat::win32_port
