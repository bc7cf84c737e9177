// Windows virtual-key codes for SDL keys, both ways.
#pragma once
#include <SDL.h>

namespace plat::linux_port {

constexpr int kVkUnmapped = 0xFF;  // a key without a Windows equivalent here

int VirtualKeyFor(SDL_Keycode key);
// The SDL scancodes that make up a virtual key (two for Shift, Ctrl, Alt);
// returns how many were written (0 for keys this port does not know).
int ScancodesFor(int virtualKey, SDL_Scancode out[2]);

}  // namespace plat::linux_port
