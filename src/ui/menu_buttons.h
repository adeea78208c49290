#pragma once
// The column of menu buttons at the right edge of the play area.
#include <cstdint>
#include <string>

namespace zen {

struct Game;
struct tmenu;

// A button's icon stands at its left, 40 pixels square, with 2 pixels of room on each side; a
// caption keeps to the right of that.
constexpr int kIconBox = 40;
constexpr int kIconLeft = 2;
constexpr int kCaptionLeftOfIcon = kIconLeft + kIconBox + kIconLeft;

// The number a button record carries for a command of its menu's enum (each menu's owner names
// its commands in an enum class).
template <typename Command>
constexpr std::int32_t command_number(Command c)
{
    return static_cast<std::int32_t>(c);
}

// A plain entry of a menu's builder: centred caption, no icon, no hint, no way back, not greyed.
// index is one of the records of the menu's range (0..2999).
tmenu& menu_entry(Game& game, int index, std::int32_t key, const std::string& caption, std::int32_t command, int width);
// The same, with the command named by its menu's enum.
template <typename Command>
tmenu& menu_entry(Game& game, int index, std::int32_t key, const std::string& caption, Command command, int width)
{
    return menu_entry(game, index, key, caption, command_number(command), width);
}
// Opens menu key: hides every button, rebuilds the menus' contents through the registry and
// places each of its records that has a caption into the column.
void show_menu(Game& game, std::int32_t key);
void hide_all_buttons(Game& game);
// Puts one record into the column of the menu being opened.
void place_button(Game& game, int index);
// The per-frame and per-click pass: slides the visible buttons toward their places, finds the
// one under the mouse, draws them all onto the play area and handles a pending click. Returns
// the index of the button whose command must run now, 0 when none (the caller runs it).
int button_pass(Game& game);

} // namespace zen
