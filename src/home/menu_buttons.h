#pragma once
// The column of menu buttons at the right edge of the play area.
#include <cstdint>

namespace zen {

struct Game;
struct tmenu;

// Opens menu key: hides every button, rebuilds the menu's contents and places each of its
// records that has a caption into the column.
void show_menu(Game& game, std::int32_t key);
void hide_all_buttons(Game& game);
// Puts one record into the column of the menu being opened.
void place_button(Game& game, int index);
// The per-frame and per-click pass: slides the visible buttons toward their places, finds the
// one under the mouse, draws them all onto the play area and handles a pending click. Returns
// the index of the button whose command must run now, 0 when none (the caller runs it).
int button_pass(Game& game);

} // namespace zen
