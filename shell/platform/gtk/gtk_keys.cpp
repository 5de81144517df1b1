// The physical keys of a PC keyboard and their Windows virtual-key codes.
#include "shell/platform/gtk/gtk_keys.h"

#include <gdk/gdkkeysyms.h>

namespace gtkbackend {
namespace {

// Indexed by the XKB key code (evdev code + 8). A US keyboard's key in each position.
struct KeyEntry {
    uint16_t keycode;
    uint16_t virtualKey;
};

constexpr KeyEntry keyTable[] = {
    {9, 0x1B},                                                     // Escape
    {10, '1'},   {11, '2'},   {12, '3'},   {13, '4'},  {14, '5'},  // digit row
    {15, '6'},   {16, '7'},   {17, '8'},   {18, '9'},  {19, '0'},  {20, 0xBD},
    {21, 0xBB},               // - =
    {22, 0x08},  {23, 0x09},  // Backspace, Tab
    {24, 'Q'},   {25, 'W'},   {26, 'E'},   {27, 'R'},  {28, 'T'},  {29, 'Y'},
    {30, 'U'},   {31, 'I'},   {32, 'O'},   {33, 'P'},  {34, 0xDB}, {35, 0xDD},  // [ ]
    {36, 0x0D},                                                                 // Return
    {37, 0x11},                                                                 // left Control
    {38, 'A'},   {39, 'S'},   {40, 'D'},   {41, 'F'},  {42, 'G'},  {43, 'H'},
    {44, 'J'},   {45, 'K'},   {46, 'L'},   {47, 0xBA}, {48, 0xDE}, {49, 0xC0},  // ; ' `
    {50, 0x10},                                                                 // left Shift
    {51, 0xDC},                                                                 // backslash
    {52, 'Z'},   {53, 'X'},   {54, 'C'},   {55, 'V'},  {56, 'B'},  {57, 'N'},
    {58, 'M'},   {59, 0xBC},  {60, 0xBE},  {61, 0xBF},              // , . /
    {62, 0x10},                                                     // right Shift
    {63, 0x6A},                                                     // keypad *
    {64, 0x12},                                                     // left Alt
    {65, 0x20},                                                     // Space
    {66, 0x14},                                                     // Caps Lock
    {67, 0x70},  {68, 0x71},  {69, 0x72},  {70, 0x73}, {71, 0x74},  // F1..F10
    {72, 0x75},  {73, 0x76},  {74, 0x77},  {75, 0x78}, {76, 0x79}, {77, 0x90},
    {78, 0x91},                                         // Num Lock, Scroll Lock
    {79, 0x67},  {80, 0x68},  {81, 0x69},  {82, 0x6D},  // keypad 7 8 9 -
    {83, 0x64},  {84, 0x65},  {85, 0x66},  {86, 0x6B},  // keypad 4 5 6 +
    {87, 0x61},  {88, 0x62},  {89, 0x63},               // keypad 1 2 3
    {90, 0x60},  {91, 0x6E},                            // keypad 0 .
    {94, 0xE2},                                         // the key left of Z (ISO)
    {95, 0x7A},  {96, 0x7B},                            // F11, F12
    {104, 0x0D},                                        // keypad Enter
    {105, 0x11},                                        // right Control
    {106, 0x6F},                                        // keypad /
    {107, 0x2C},                                        // Print Screen
    {108, 0x12},                                        // right Alt (AltGr)
    {110, 0x24}, {111, 0x26}, {112, 0x21},              // Home, Up, Page Up
    {113, 0x25}, {114, 0x27},                           // Left, Right
    {115, 0x23}, {116, 0x28}, {117, 0x22},              // End, Down, Page Down
    {118, 0x2D}, {119, 0x2E},                           // Insert, Delete
    {127, 0x13},                                        // Pause
    {133, 0x5B}, {134, 0x5C}, {135, 0x5D},              // left, right Windows; Menu
};

struct KeyTable {
    uint16_t codes[256]{};
    constexpr KeyTable() {
        for (const KeyEntry& entry : keyTable) {
            codes[entry.keycode] = entry.virtualKey;
        }
    }
};
constexpr KeyTable table;

}  // namespace

uint32_t VirtualKeyFromKey(uint16_t hardwareKeycode, uint32_t keyval) {
    if (hardwareKeycode < 256 && table.codes[hardwareKeycode] != 0) {
        return table.codes[hardwareKeycode];
    }
    if (keyval >= GDK_KEY_a && keyval <= GDK_KEY_z) {
        return 'A' + (keyval - GDK_KEY_a);
    }
    if (keyval >= GDK_KEY_A && keyval <= GDK_KEY_Z) {
        return 'A' + (keyval - GDK_KEY_A);
    }
    if (keyval >= GDK_KEY_0 && keyval <= GDK_KEY_9) {
        return '0' + (keyval - GDK_KEY_0);
    }
    if (keyval >= GDK_KEY_KP_0 && keyval <= GDK_KEY_KP_9) {
        return 0x60 + (keyval - GDK_KEY_KP_0);
    }
    return 0;
}

}  // namespace gtkbackend
