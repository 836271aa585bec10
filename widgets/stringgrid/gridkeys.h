#pragma once
// How the string grid and its in-place editor read a key press: one reading of the character a
// key types, and one rule for Tab.

#include "widgets/stringgrid/gridoptions.h"

#include <QChar>

class QKeyEvent;

namespace stringgrid {

// The character a key press types on the grid or in its editor: Enter 13, Escape 27 and
// Backspace 8 whatever the modifiers; without Ctrl, Alt or Meta, the printable character the
// key types (platform::typedCharacter); otherwise none (a null QChar), Tab included.
QChar gridKeyCharacter(const QKeyEvent& event);

// With goTabs and without goRowSelect, Tab and Shift+Tab (without Ctrl or Alt) move between the
// cells: the grid and its editor take them before Qt moves the focus out of the grid.
bool tabMovesBetweenCells(const QKeyEvent& event, GridOptions options);

} // namespace stringgrid
