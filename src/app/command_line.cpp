#include "app/command_line.h"

#include "core/texts.h"
#include "platform/files.h"
#include "platform/path_text.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iterator>
#include <string_view>
#include <system_error>

namespace zen {

namespace {

constexpr OptionInfo kOptions[] = {
    {OptionId::Headless, "--headless", "", "run without a window or sound device"},
    {OptionId::Frames, "--frames", "N", "stop after N frames"},
    {OptionId::Seed, "--seed", "N", "seed the game's random generator"},
    {OptionId::Input, "--input", "FILE", "scripted input (lines of: FRAME EVENT ARGS)"},
    {OptionId::Record, "--record", "FILE", "write the seed and every input event, to replay with --input"},
    {OptionId::Autoplay, "--autoplay", "", "let the bot play through the twelve stages"},
    {OptionId::Screenshot, "--screenshot", "FILE", "write the final frame as PNG"},
    {OptionId::Trace, "--trace", "", "print every message, sound and music start"},
    {OptionId::DataDir, "--data-dir", "DIR", "where cg/ and dat/ are"},
    {OptionId::SaveDir, "--save-dir", "DIR", "where my.dat is kept"},
    {OptionId::Lang, "--lang", "CODE",
     "ja, en, zh-Hans, ko, es, de, zh-Hant, fr, pt-BR, ru or it: the language of the texts (else a replayed "
     "recording's, the setting, the system's)"},
    {OptionId::FxGallery, "--fx-gallery", "DIR", "(with --headless) draw every effect into PNG sheets in DIR"},
    {OptionId::Version, "--version", "", "print the version and stop"},
    {OptionId::Help, "--help", "", "print this help and stop (also -h)"},
};

template <class T>
bool parse_number(std::string_view text, T& out)
{
    if (text.empty()) return false;
    auto [p, ec] = std::from_chars(text.data(), text.data() + text.size(), out);
    return ec == std::errc() && p == text.data() + text.size();
}

// Where a name leads once its links are followed, to the end of a chain and also where the end
// is a link to nothing yet (the file a write would make there), with the folders on the way
// resolved too.
std::filesystem::path place_of(const std::filesystem::path& file)
{
    std::filesystem::path target;
    std::string unused;
    if (!resolve_links(file, target, unused)) target = file; // a loop: nothing is written there
    std::error_code ec;
    auto place = std::filesystem::weakly_canonical(std::filesystem::absolute(target, ec), ec);
    return ec ? target.lexically_normal() : place;
}

// Whether two names lead to one file: the same file now (links and hard links included), or the
// same place once a file is made there (a first run's save, written through a link).
bool same_file(const std::filesystem::path& a, const std::filesystem::path& b)
{
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    return place_of(a) == place_of(b);
}

} // namespace

bool output_files_usable(const Options& options, const Paths& paths, std::string& error)
{
    struct Output {
        const char* option;
        const std::filesystem::path& file;
    };
    const Output outputs[] = {{"--record", options.record}, {"--screenshot", options.screenshot}};
    for (const Output& out : outputs) {
        if (out.file.empty()) continue;
        const auto refuse = [&](const std::string& what) {
            error = std::string(out.option) + " " + path_utf8(out.file) + ": " + what;
            return false;
        };
        if (same_file(out.file, paths.save_file())) return refuse("that is the save file; name a file of its own");
        if (same_file(out.file, paths.save_lock_file()))
            return refuse("that is the save folder's lock; name a file of its own");
        if (!options.input.empty() && same_file(out.file, options.input))
            return refuse("that is the input script; name a file of its own");
        if (&out == &outputs[0] && !options.screenshot.empty() && same_file(out.file, options.screenshot))
            return refuse("--screenshot names the same file");
        std::string why;
        if (!can_be_output_file(out.file, why)) {
            error = std::string(out.option) + " " + why;
            return false;
        }
    }
    return true;
}

std::span<const OptionInfo> option_list() { return kOptions; }

std::string usage_text()
{
    std::string text = "usage: zentrifa [options]\n";
    for (const OptionInfo& o : kOptions) {
        std::string left = std::string("  ") + o.name;
        if (*o.value) left += std::string(" ") + o.value;
        left.resize(std::max<std::size_t>(left.size() + 2, 24), ' ');
        text += left + o.help + "\n";
    }
    text += "exit codes: 0 the game ended and saved; 1 no window, no game data, or the save, the recording,\n"
            "the screenshot or the trace could not be written; 2 a bad option, input script or output file;\n"
            "3 another copy of the game is running on the same save folder, or its lock cannot be taken\n"
            "(this one ends without touching it)\n";
    return text;
}

std::string version_text() { return std::string("zentrifa ") + ZENTRIFA_VERSION + "\n"; }

bool parse_options(int argc, const char* const* argv, Options& options, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        const auto* const known = std::find_if(std::begin(kOptions), std::end(kOptions), [&](const OptionInfo& o) {
            return a == o.name || (o.id == OptionId::Help && a == "-h");
        });
        if (known == std::end(kOptions)) {
            error = "unknown option " + std::string(a);
            return false;
        }
        std::string v;
        if (*known->value) {
            if (i + 1 >= argc) {
                error = std::string(a) + " needs a value";
                return false;
            }
            v = argv[++i];
        }
        switch (known->id) {
        case OptionId::Headless: options.headless = true; break;
        case OptionId::Trace: options.trace = true; break;
        case OptionId::Autoplay: options.autoplay = true; break;
        case OptionId::Help: options.help = true; break;
        case OptionId::Version: options.version = true; break;
        case OptionId::Frames: {
            std::int64_t n = 0;
            if (!parse_number(v, n) || n < 0) {
                error = "--frames needs a whole number of frames, not \"" + v + "\"";
                return false;
            }
            options.frames = n;
            break;
        }
        case OptionId::Seed: {
            std::uint64_t n = 0;
            if (!parse_number(v, n)) {
                error = "--seed needs a whole number, not \"" + v + "\"";
                return false;
            }
            options.seed = n;
            break;
        }
        case OptionId::Input: options.input = utf8_path(v); break;
        case OptionId::Record: options.record = utf8_path(v); break;
        case OptionId::Screenshot: options.screenshot = utf8_path(v); break;
        case OptionId::DataDir: options.data_dir = v; break;
        case OptionId::SaveDir: options.save_dir = v; break;
        case OptionId::FxGallery: options.fx_gallery = utf8_path(v); break;
        case OptionId::Lang:
            if (!language_of_code(v)) {
                error = "--lang takes " + language_list() + ", not \"" + v + "\"";
                return false;
            }
            options.lang = v;
            break;
        }
    }
    return true;
}

} // namespace zen
