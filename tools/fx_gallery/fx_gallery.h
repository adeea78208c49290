#pragma once
// The effects gallery: every effect kind at several ages, and every colour name of the log,
// drawn into PNG contact sheets, for judging the effects by eye.
#include <string>

namespace zen {

struct Game;

// Writes the sheets into dir; returns the process exit code.
int render_fx_gallery(Game& game, const std::string& dir);

} // namespace zen
