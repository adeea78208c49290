#pragma once
// The game's sound effects, each made by one recipe.
#include "sound/synth.h"

#include <string>
#include <vector>

namespace assetgen::sound {

struct Effect {
    const char* file; // the name the game plays it by
    synth::Buffer (*make)(std::string& error);
};

// Every effect of the pack, in the order they are written.
const std::vector<Effect>& effects();

} // namespace assetgen::sound
