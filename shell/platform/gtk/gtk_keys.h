// Keys: the Windows virtual-key codes that the program's key handlers expect, from the physical
// key that GTK reports.
#pragma once

#include <cstdint>

namespace gtkbackend {

// The virtual-key code of a key, from its hardware key code (the XKB key code, evdev code + 8,
// as X11 and Wayland report it) with the key's position on a US keyboard deciding, whatever the
// layout: the key left of S is A (0x41) on a QWERTY, AZERTY or Dvorak layout alike. The keypad's
// digit keys give VK_NUMPAD0..9 whatever the NumLock state. A key code outside the table falls
// back on the key's symbol (letters and digits); anything else answers 0.
uint32_t VirtualKeyFromKey(uint16_t hardwareKeycode, uint32_t keyval);

}  // namespace gtkbackend
