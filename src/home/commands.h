#pragma once
// What the home menus' buttons do. Each handler takes the clicked record's index in the button
// table and switches on its command (home/menu_commands.h); a number a menu does not know does
// nothing.
namespace zen {

struct Game;

void home_command(Game& game, int index);          // menu 1: make, sales floor, eat, sleep, shop, options, abandon
void abandon_command(Game& game, int index);       // menu 2: yes (the caller saves first) or no
void options_command(Game& game, int index);       // menu 3
void sound_command(Game& game, int index);         // menu 4: quieter, louder
void start_command(Game& game, int index);         // menu 5: start, the clear screens, the news
void make_game_command(Game& game, int index);     // menu 10: one copy of a genre
void stage_select_command(Game& game, int index);  // menu 11: a stage, or back
void wake_up_command(Game& game, int index);       // menu 13: any button
void time_up_command(Game& game, int index);       // menu 14: any button
void shop_command(Game& game, int index);          // menu 15: pay, then the purchase
void stage_cleared_command(Game& game, int index); // menu 16: any button

// Steps several commands share.
// Unsold copies of every genre are lost when a stage ends.
void clear_made_games(Game& game);
// Rockets: 1, plus 1 for each launcher stock held.
void refill_rockets(Game& game);
// The story moves on by one entry when the next one's required stage has been cleared.
void advance_news(Game& game);

} // namespace zen
