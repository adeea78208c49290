#pragma once
// Mouse and keyboard, between frames.
#include "platform/window.h"

#include <string>

namespace zen {

struct Game;

void on_mouse_move(Game& game, int x, int y);
void on_mouse_down(Game& game, int x, int y, MouseButton button);
void on_mouse_up(Game& game, MouseButton button);
void on_key(Game& game, const std::string& key);
// A click (the middle button clicks as the left one): reveals the next dialogue line, or runs
// the button under a left click, moves the start and title screens on, and goes back to the
// previous menu on a right click.
void click(Game& game, int x, int y, bool right);

// The modal yes/no question: a scripted answer when one is waiting, else the window's dialog.
bool ask_yes_no(Game& game, const std::string& question);

} // namespace zen
