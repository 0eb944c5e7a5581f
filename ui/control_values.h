#pragma once
// Plain values of the window layer that portable feature logic uses too (no windows.h): how a
// caption is aligned, which mouse button acted, and the keys and buttons held meanwhile.
#include <cstdint>

namespace tallimo::ui {

enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// The shift state of a mouse event: a set of these flags.
using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 0x01;
inline constexpr TShiftState ssAlt = 0x02;
inline constexpr TShiftState ssCtrl = 0x04;
inline constexpr TShiftState ssLeft = 0x08;
inline constexpr TShiftState ssRight = 0x10;
inline constexpr TShiftState ssMiddle = 0x20;
inline constexpr TShiftState ssDouble = 0x40;

}  // namespace tallimo::ui
