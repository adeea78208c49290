#pragma once
// The line queue: dialogue and script lines waiting to be revealed into the message log, one per
// left click. Entry 0 is the next line; while it is not empty the menu buttons are hidden.
#include <string>

namespace zen {

struct Game;

void clear_line_queue(Game& game);
// Stores text in the first empty entry. A full queue drops the line (named once on standard error).
// An empty text is not stored: it would end the queue there.
void append_line(Game& game, const std::string& text);
// Removes entry 0, moves every later line up one place, and returns the removed line.
std::string consume_first_line(Game& game);

} // namespace zen
