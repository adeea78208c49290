#pragma once
// The frame loop on one thread: input between frames, one frame per timer tick.
#include "app/command_line.h"
#include "app/input_script.h"

#include <vector>

namespace zen {

struct Game;
class InputSource;
class Recording;

// Starts the game up, runs frames until the window closes, --frames have run or the script
// says quit, then closes (saving) and shuts down. Returns the process exit code.
// With a recording, every event delivered (from the window, the script or the bot) is written
// into it. With a bot (an input source that plays by itself), its events come after the script's
// before each frame, and the session ends when it says so.
int run_game(Game& game, const Options& options, const std::vector<ScriptEvent>& script, Recording* recording = nullptr,
             InputSource* bot = nullptr);

// Hands one window or script event to the game.
void deliver_event(Game& game, const InputEvent& event);

} // namespace zen
