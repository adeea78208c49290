#include "app/command_line.h"

#include <charconv>
#include <string_view>

namespace zen {

const char* const kUsage =
    "usage: zentrifa [options]\n"
    "  --headless            run without a window or sound device\n"
    "  --frames N            stop after N frames\n"
    "  --seed N              seed the game's random generator\n"
    "  --input FILE          scripted input (lines of: FRAME EVENT ARGS)\n"
    "  --screenshot FILE     write the final frame as PNG\n"
    "  --trace               print every message, sound and music start\n"
    "  --data-dir DIR        where cg/ and dat/ are\n"
    "  --save-dir DIR        where my.dat is kept\n"
    "  --fx-gallery DIR      (with --headless) draw every effect into PNG sheets in DIR\n";

namespace {

template <class T>
bool parse_number(std::string_view text, T& out)
{
    if (text.empty()) return false;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && p == text.data() + text.size();
}

} // namespace

bool parse_options(int argc, const char* const* argv, Options& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) {
                error = std::string(a) + " needs a value";
                return false;
            }
            out = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--headless") {
            options.headless = true;
        } else if (a == "--trace") {
            options.trace = true;
        } else if (a == "--help" || a == "-h") {
            options.help = true;
        } else if (a == "--frames") {
            std::int64_t n = 0;
            if (!value(v)) return false;
            if (!parse_number(v, n) || n < 0) {
                error = "--frames needs a whole number of frames, not \"" + v + "\"";
                return false;
            }
            options.frames = n;
        } else if (a == "--seed") {
            std::uint64_t n = 0;
            if (!value(v)) return false;
            if (!parse_number(v, n)) {
                error = "--seed needs a whole number, not \"" + v + "\"";
                return false;
            }
            options.seed = n;
        } else if (a == "--input") {
            if (!value(options.input)) return false;
        } else if (a == "--screenshot") {
            if (!value(options.screenshot)) return false;
        } else if (a == "--data-dir") {
            if (!value(options.data_dir)) return false;
        } else if (a == "--save-dir") {
            if (!value(options.save_dir)) return false;
        } else if (a == "--fx-gallery") {
            if (!value(options.fx_gallery)) return false;
        } else {
            error = "unknown option " + std::string(a);
            return false;
        }
    }
    return true;
}

} // namespace zen
