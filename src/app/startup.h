#pragma once
// Bringing the game up to the start screen, closing it (which saves) and taking it down.
namespace zen {

struct Game;

void start_up(Game& game);
// One sprite per character template, from the template's picture file (after the stage tables).
void load_char_bitmaps(Game& game);
// The window closes: from now on the log is not cleared, and the game is saved.
void close_game(Game& game);
// Frees sounds, music, pictures and bitmaps.
void shut_down(Game& game);

extern const char* const kWindowCaption;

} // namespace zen
