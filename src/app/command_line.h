#pragma once
// The program's options. With none, the program is the game.
#include "platform/paths.h"

#include <filesystem>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace zen {

struct Options {
    bool headless = false;
    std::optional<std::int64_t> frames; // stop after this many frames
    std::optional<std::uint64_t> seed;
    std::filesystem::path input;      // scripted input file
    std::filesystem::path screenshot; // PNG of the final frame
    bool trace = false;
    std::string data_dir;
    std::string save_dir;
    std::string lang;                 // "ja" or "en": the language, before the setting and the system's
    std::filesystem::path fx_gallery; // headless effects gallery into this folder
    std::filesystem::path record;     // every input event of the session, as an input script
    bool autoplay = false;            // the bot plays
    bool help = false;
    bool version = false;
};

enum class OptionId {
    Headless,
    Frames,
    Seed,
    Input,
    Record,
    Autoplay,
    Screenshot,
    Trace,
    DataDir,
    SaveDir,
    Lang,
    FxGallery,
    Version,
    Help
};

// One option: its name, the word --help shows for its value (empty for a switch), what it does.
struct OptionInfo {
    OptionId id;
    const char* name;
    const char* value;
    const char* help;
};

// Every option the program takes, in the order --help lists them.
std::span<const OptionInfo> option_list();

// The files the options name to write (--record, --screenshot) are files of their own: a regular
// file or a new name, and not the save file, its lock, the input script or each other. False
// with a message in error otherwise.
bool output_files_usable(const Options& options, const Paths& paths, std::string& error);

// Parses argv; false with a message in error on a bad option.
bool parse_options(int argc, const char* const* argv, Options& options, std::string& error);

// The --help text, one line an option.
std::string usage_text();
// The --version line, "zentrifa" and the version.
std::string version_text();

} // namespace zen
