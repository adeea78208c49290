#pragma once
// Bringing the game up to the start screen, closing it (which saves) and taking it down.
#include "core/text_table.h"
#include "platform/paths.h"

#include <string>

namespace zen {

struct Game;

// The game runs from a data folder that holds cg/ (its pictures); false, with one line saying what
// is wrong, when the resolved folder does not.
bool data_folder_usable(const Paths& paths, std::string& error);

void start_up(Game& game);
// One sprite per character template, from the template's picture file (after the stage tables).
void load_char_bitmaps(Game& game);
// The window closes: from now on the log is not cleared, and the game is saved. False (with
// what the player was told) when the save failed.
bool close_game(Game& game, std::string* told = nullptr);
// Frees sounds, music, pictures and bitmaps.
void shut_down(Game& game);

std::string window_title(Lang lang);

} // namespace zen
