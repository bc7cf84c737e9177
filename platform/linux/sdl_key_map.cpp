#include "platform/linux/sdl_key_map.h"

#include "platform/win_types.h"

namespace plat::linux_port {

namespace {

struct KeyPair {
  SDL_Keycode key;
  int vk;
};

// Keys outside the letter, digit and function-key ranges.
constexpr KeyPair kKeys[] = {
    {SDLK_BACKSPACE, kVkBack},  {SDLK_TAB, kVkTab},     {SDLK_RETURN, kVkReturn},
    {SDLK_KP_ENTER, kVkReturn}, {SDLK_LSHIFT, kVkShift}, {SDLK_RSHIFT, kVkShift},
    {SDLK_LCTRL, kVkControl},   {SDLK_RCTRL, kVkControl}, {SDLK_LALT, kVkMenu},
    {SDLK_RALT, kVkMenu},       {SDLK_PAUSE, 0x13},     {SDLK_CAPSLOCK, 0x14},
    {SDLK_ESCAPE, kVkEscape},   {SDLK_SPACE, kVkSpace}, {SDLK_PAGEUP, 0x21},
    {SDLK_PAGEDOWN, 0x22},      {SDLK_END, 0x23},       {SDLK_HOME, 0x24},
    {SDLK_LEFT, kVkLeft},       {SDLK_UP, kVkUp},       {SDLK_RIGHT, kVkRight},
    {SDLK_DOWN, kVkDown},       {SDLK_PRINTSCREEN, 0x2C}, {SDLK_INSERT, 0x2D},
    {SDLK_DELETE, 0x2E},        {SDLK_LGUI, 0x5B},      {SDLK_RGUI, 0x5C},
    {SDLK_APPLICATION, 0x5D},   {SDLK_KP_MULTIPLY, 0x6A}, {SDLK_KP_PLUS, 0x6B},
    {SDLK_KP_MINUS, 0x6D},      {SDLK_KP_PERIOD, 0x6E}, {SDLK_KP_DIVIDE, 0x6F},
    {SDLK_NUMLOCKCLEAR, 0x90},  {SDLK_SCROLLLOCK, 0x91}, {SDLK_SEMICOLON, 0xBA},
    {SDLK_EQUALS, 0xBB},        {SDLK_COMMA, 0xBC},     {SDLK_MINUS, 0xBD},
    {SDLK_PERIOD, 0xBE},        {SDLK_SLASH, 0xBF},     {SDLK_BACKQUOTE, 0xC0},
    {SDLK_LEFTBRACKET, 0xDB},   {SDLK_BACKSLASH, 0xDC}, {SDLK_RIGHTBRACKET, 0xDD},
    {SDLK_QUOTE, 0xDE},
};

constexpr int kVkDigit0 = 0x30, kVkLetterA = 0x41, kVkNumpad0 = 0x60;

// Keys without a character carry their scancode in the keycode, so they need
// no keymap (which SDL only has once its video subsystem is up).
SDL_Scancode ScancodeOf(SDL_Keycode key) {
  if ((key & SDLK_SCANCODE_MASK) != 0) return static_cast<SDL_Scancode>(key & ~SDLK_SCANCODE_MASK);
  return SDL_GetScancodeFromKey(key);
}

}  // namespace

int VirtualKeyFor(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return kVkLetterA + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return kVkDigit0 + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return kVkF1 + (key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return kVkNumpad0 + 1 + (key - SDLK_KP_1);
  if (key == SDLK_KP_0) return kVkNumpad0;
  for (const KeyPair& pair : kKeys) {
    if (pair.key == key) return pair.vk;
  }
  return kVkUnmapped;
}

int ScancodesFor(int virtualKey, SDL_Scancode out[2]) {
  SDL_Keycode key = SDLK_UNKNOWN;
  if (virtualKey >= kVkLetterA && virtualKey < kVkLetterA + 26) {
    key = SDLK_a + (virtualKey - kVkLetterA);
  } else if (virtualKey >= kVkDigit0 && virtualKey < kVkDigit0 + 10) {
    key = SDLK_0 + (virtualKey - kVkDigit0);
  } else if (virtualKey >= kVkF1 && virtualKey < kVkF1 + 12) {
    key = SDLK_F1 + (virtualKey - kVkF1);
  }
  if (key != SDLK_UNKNOWN) {
    out[0] = ScancodeOf(key);
    return out[0] != SDL_SCANCODE_UNKNOWN ? 1 : 0;
  }
  int n = 0;
  for (const KeyPair& pair : kKeys) {
    if (pair.vk != virtualKey || n == 2) continue;
    const SDL_Scancode code = ScancodeOf(pair.key);
    if (code != SDL_SCANCODE_UNKNOWN && (n == 0 || out[0] != code)) out[n++] = code;
  }
  return n;
}

}  // namespace plat::linux_port
