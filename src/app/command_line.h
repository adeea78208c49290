#pragma once
// The program's options. With none, the program is the game.
#include <cstdint>
#include <optional>
#include <string>

namespace zen {

struct Options {
    bool headless = false;
    std::optional<std::int64_t> frames; // stop after this many frames
    std::optional<std::uint64_t> seed;
    std::string input;      // scripted input file
    std::string screenshot; // PNG of the final frame
    bool trace = false;
    std::string data_dir;
    std::string save_dir;
    std::string fx_gallery; // headless effects gallery into this folder
    bool help = false;
};

// Parses argv; false with a message in error on a bad option.
bool parse_options(int argc, const char* const* argv, Options& options, std::string& error);

extern const char* const kUsage;

} // namespace zen
