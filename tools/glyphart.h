#pragma once
// The button pictures, drawn pixel by pixel (letters as in palette16.h).

#include <string>
#include <vector>

namespace tools {

using Art = std::vector<std::string>;

const Art& openDoorArt();   // close button of the main window
const Art& calculatorArt(); // calculate
const Art& printerArt();    // print (both windows)
const Art& tableArt();      // cutting list: a table with a blue title bar
const Art& bulbArt();       // about
const Art& helpArt();       // help: red question mark on a yellow disc
const Art& closeListArt();  // 20 x 20, red arrow down from yellow into dark blue, silver ground

} // namespace tools
