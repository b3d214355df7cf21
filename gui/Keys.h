#pragma once
// The games' handlers speak the window system's virtual-key codes; this is where a Qt key
// press becomes one.

class QKeyEvent;

namespace vum {

namespace virtual_keys {
constexpr int Back = 0x08;
constexpr int Return = 0x0D;
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int Delete = 0x2E;
constexpr int Digit0 = 0x30;  // 0x31..0x39 for 1..9
constexpr int Numpad0 = 0x60;  // 0x61..0x69 for 1..9
constexpr int Subtract = 0x6D;  // the keypad's minus
constexpr int F1 = 0x70;
constexpr int F3 = 0x72;
constexpr int F5 = 0x74;
constexpr int F9 = 0x78;
constexpr int F10 = 0x79;
constexpr int OemMinus = 0xBD;
}  // namespace virtual_keys

// The virtual-key code of a key press, 0 for a key without one here. A letter is the code of
// its key, whichever layout is active: Я as well as Z gives 0x5A.
int VirtualKeyCode(const QKeyEvent& event);

}  // namespace vum
