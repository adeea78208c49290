#pragma once
// Short spoken words from kana through espeak-ng, returned at 44.1 kHz for shaping.
#include "sound/synth.h"

#include <string>

namespace assetgen::voice {

struct Speech {
    std::string voice = "ja"; // espeak-ng voice name, with an optional +variant
    int rate = 175;           // words per minute
    int pitch = 50;           // 0..100
    int range = 50;           // 0..100, how much the pitch moves
};

// Speaks UTF-8 text. Returns an empty buffer when espeak-ng cannot start or say it.
synth::Buffer speak(const std::string& text, const Speech& how, std::string& error);

} // namespace assetgen::voice
