#pragma once
// The arrow keys in a group of option buttons, by where the buttons lie: a
// group laid out in columns and rows (Wizard Mode's eight modes: A C E G on the
// left, B D F and "Windows default" on the right) keeps Up and Down in the
// column and Left and Right in the row, each going round at the end as the
// system's own groups do. An arrow with nowhere to go in its direction (a
// group of one row has no column to move in) steps through the group in its
// order instead, Up and Left backwards, Down and Right forwards.
#include <cstddef>
#include <span>

#include "ui/ControlLayout.h"

namespace tw::ui {

enum class Arrow { Up, Down, Left, Right };

// The index of the button the arrow moves to from buttons[current].
std::size_t NextOption(std::span<const PixelRect> buttons, std::size_t current, Arrow arrow);

}  // namespace tw::ui
