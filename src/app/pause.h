#pragma once
// The pause: P (or the window going to the background, unless the player turned that off) stops
// the game where it stands. No frame runs and no game time passes, every sound holds, and the
// window shows the last frame dimmed with the word for pause; P again plays on. The pause is the
// window's business, not the game's: nothing of it reaches the game or a recording, so a paused
// session replays to the same save.
#include "platform/window.h"

namespace zen {

struct Game;

// True for the events that pause a running game: the pause key, and the window's loss of focus
// when the game pauses on it.
bool pauses_game(const Game& game, const InputEvent& event);

// Holds the game paused until the pause key comes again (true) or the window is closed (false).
// Every other event meanwhile is dropped.
bool hold_pause(Game& game);

// The frame shown while paused: `frame` dimmed to half its brightness (a quarter in the band behind
// the words), the word for pause and how to play on over it.
void draw_pause_screen(Game& game, const Canvas& frame, Canvas& out);

} // namespace zen
