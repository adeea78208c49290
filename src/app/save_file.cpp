#include "app/save_file.h"

#include "core/game_state.h"
#include "core/saturating.h"
#include "core/texts.h"
#include "home/new_game.h"
#include "render/message_log.h"

#include "platform/files.h"
#include "platform/path_text.h"
#include "platform/platform.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <string>
#include <system_error>

namespace zen {

namespace fs = std::filesystem;

namespace {

// What a saved value may be; anything else is treated like an unreadable value. Values above
// keep_at_most are read as keep_at_most.
struct Range {
    std::int32_t lo;
    std::int32_t hi;
    std::int32_t keep_at_most = hi;
};
constexpr std::int32_t kValueLimit = kKeptLimit;
constexpr Range kAny{-kValueLimit, kValueLimit};
constexpr Range kCount{0, kValueLimit};
constexpr Range kDay{0, kValueLimit};
// Level n needs 10 n + 50 experience: the threshold of any level read stays a 32-bit number.
constexpr Range kLevel{0, 99999999};
constexpr Range kStage{0, 12};
constexpr Range kNewsIndex{0, 99};
// Money gained in the frame the window closed is saved before the end-of-frame cut: read it cut.
constexpr Range kMoney{-kValueLimit, std::numeric_limits<std::int32_t>::max(), kMoneyLimit};

// A save is a few tens of kilobytes; this leaves room for blank lines and long line ends.
constexpr std::size_t kSaveFileLimit = std::size_t{1} << 20;
// A shorter save than the whole list is read as it is, the rest as 0, when it holds at least
// everything up to the stage's sales: the game wrote such saves before it kept the later tables.
constexpr int kShortestSave = 2014;
// A value is at most this many characters.
constexpr std::size_t kLongestValue = 32;

// Visits every saved field in file order. The one place that knows the layout.
template <class G, class Visit>
void for_each_saved_field(G& game, Visit&& visit)
{
    auto& my = game.my;
    visit(my.volume, kAny);
    visit(my.day, kDay);
    visit(my.energy, kAny);
    visit(my.energy_max, kCount); // the shop prices the next point of it
    visit(my.money, kMoney);
    for (auto& v : my.item_count) visit(v, kCount);
    for (auto& v : my.story_flag) visit(v, kAny);
    visit(my.hour, kAny);
    visit(my.minute, kAny);
    visit(my.hunger, kAny);
    visit(my.fatigue, kAny);
    visit(my.level, kLevel);
    visit(my.exp, kAny);
    visit(game.stage, kStage);
    visit(my.game_over, kAny);
    visit(my.sales, kAny);
    for (auto& v : my.ad_power) visit(v, kCount);
    for (auto& v : my.stage_clears) visit(v, kCount);
    visit(my.shouts_used, kAny);
    for (auto& v : my.genre_known) visit(v, kAny);
    for (auto& v : my.animal_contracts) visit(v, kCount);
    visit(my.animal_came, kAny);
    visit(my.loans, kAny);
    visit(my.news_index, kNewsIndex);
    for (auto& v : my.news_read) visit(v, kAny);
    visit(my.rpg_ammo, kAny);
}

// Reads the text one value at a time: blank space and line ends are skipped, a value runs to the
// next space or control character, and the rest of its line is ignored. A line ends in LF, CR LF or
// a carriage return alone, and the last line needs no line end.
class ValueReader {
public:
    explicit ValueReader(std::string_view text) : text_(text) {}

    enum class Result { value, end, bad_value };

    Result next(std::int32_t& out)
    {
        for (; pos_ < text_.size(); ++pos_) {
            const char c = text_[pos_];
            if (c == '\n' || (c == '\r' && !lf_follows()))
                ++line_;
            else if (c != ' ' && c != '\t' && c != '\r')
                break;
        }
        if (pos_ >= text_.size()) return Result::end;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !is_separator(text_[pos_])) ++pos_;
        const std::string_view token = text_.substr(start, pos_ - start);
        // The rest of the line, up to its end (which the next value's skip counts).
        while (pos_ < text_.size() && text_[pos_] != '\n' && text_[pos_] != '\r') ++pos_;
        return token.size() <= kLongestValue && parse(token, out) ? Result::value : Result::bad_value;
    }

    int line() const { return line_; }

private:
    bool lf_follows() const { return pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n'; }
    static bool is_separator(char c) { return c == ' ' || static_cast<unsigned char>(c) < 32 || c == 127; }

    static bool parse(std::string_view token, std::int32_t& out)
    {
        std::size_t i = 0;
        bool negative = false;
        if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
        if (i >= token.size()) return false;
        std::int64_t v = 0;
        for (; i < token.size(); ++i) {
            if (token[i] < '0' || token[i] > '9') return false;
            v = v * 10 + (token[i] - '0');
            if (v > 2147483648LL) return false;
        }
        if (negative) v = -v;
        if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) return false;
        out = static_cast<std::int32_t>(v);
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

// Keeps a copy of an unreadable save beside it, never over an earlier copy or through a link.
// Returns the copy's name, or an empty path (and why) when none could be made.
fs::path keep_aside(const fs::path& file, const std::string& text, std::string& error)
{
    for (int n = 1; n <= 999; ++n) {
        fs::path copy = file;
        copy += n == 1 ? std::string(".bad") : ".bad" + std::to_string(n);
        bool taken = false;
        if (write_new_file(copy, text, taken, error, permission_bits(file, 0644))) return copy;
        if (!taken) return {}; // the folder refuses: no other name will do better
    }
    error =
        "every name from " + path_utf8(file.filename()) + ".bad to " + path_utf8(file.filename()) + ".bad999 is taken";
    return {};
}

} // namespace

SaveReading read_save_text(Game& game, std::string_view text)
{
    ValueReader reader(text);
    SaveReading reading;
    int values = 0;
    bool stopped = false;
    bool ended = false;
    for_each_saved_field(game, [&](std::int32_t& field, Range range) {
        if (stopped) return;
        if (ended) {
            field = 0; // past the end of a short save every value reads as 0
            return;
        }
        std::int32_t v = 0;
        switch (reader.next(v)) {
        case ValueReader::Result::value:
            if (v < range.lo || v > range.hi) {
                reading = {SaveReading::Problem::bad_value, reader.line()};
                stopped = true;
                return;
            }
            field = std::min(v, range.keep_at_most);
            ++values;
            return;
        case ValueReader::Result::end:
            if (values < kShortestSave) {
                reading = {values == 0 ? SaveReading::Problem::empty : SaveReading::Problem::too_short, values};
                stopped = true;
                return;
            }
            ended = true;
            field = 0;
            return;
        case ValueReader::Result::bad_value: reading = {SaveReading::Problem::bad_value, reader.line()}; break;
        }
        stopped = true;
    });
    return reading;
}

std::string save_text(const Game& game)
{
    std::string text;
    text.reserve(static_cast<std::size_t>(kSaveLines) * 4);
    // The game keeps its numbers within what is read; should one ever stray, it is written as the
    // nearest value the reader takes, never as a save that the next start refuses.
    for_each_saved_field(game, [&](const std::int32_t& v, Range range) {
        text += std::to_string(std::clamp(v, range.lo, range.keep_at_most));
        text += "\r\n";
    });
    return text;
}

bool save_game(Game& game, std::string* told)
{
    const fs::path file = game.platform.paths.save_file();
    std::string error;
    std::string message;
    if (game.save_blocked) {
        std::fprintf(stderr,
                     "zentrifa: not saving: %s could not be read at the start and no copy of it could be kept, "
                     "so it is left as it is\n",
                     path_utf8(file).c_str());
        message = tr(game, Text::save_not_made);
    } else {
        std::error_code ec;
        fs::create_directories(file.parent_path(), ec);
        if (replace_file(file, save_text(game), error)) return true;
        std::fprintf(stderr, "zentrifa: cannot write the save file: %s (the old one is kept)\n", error.c_str());
        message = tr(game, Text::save_failed);
    }
    post_message(game, message, Ink::red);
    if (told) *told = message;
    return false;
}

Progress progress_of(const Game& game) { return {game.my.day, game.my.quota_done, game.my.game_over}; }

bool save_on_progress(Game& game, Progress& last)
{
    const Progress now = progress_of(game);
    const bool cleared = now.quota_done != 0 && last.quota_done == 0;
    const bool lost = now.game_over != 0 && last.game_over == 0;
    const bool new_day = now.day > last.day;
    last = now;
    if (!(cleared || lost || new_day) || game.save_blocked) return false;
    return save_game(game);
}

FileLock::Result lock_save_folder(Platform& platform, std::string& error)
{
    std::error_code ec;
    fs::create_directories(platform.paths.save_dir, ec);
    return platform.save_lock.take(platform.paths.save_lock_file(), error);
}

std::string save_problem(const Game& game, const SaveReading& reading, std::string* what)
{
    const std::string line = std::to_string(reading.line);
    std::string why;
    std::string told;
    switch (reading.problem) {
    case SaveReading::Problem::none: break;
    case SaveReading::Problem::empty:
        why = "holds no value";
        told = tr(game, Text::save_empty);
        break;
    case SaveReading::Problem::too_short:
        why = "ends after line " + line + ", too short for a save";
        told = tr(game, Text::save_too_short, {{"lines", line}});
        break;
    case SaveReading::Problem::bad_value:
        why = "line " + line + ": not a value the game can use";
        told = tr(game, Text::save_bad_line, {{"line", line}});
        break;
    }
    if (what) *what = why;
    return told;
}

std::string check_save_file(Game& game, const fs::path& file)
{
    std::string text;
    std::string error;
    if (read_file_bytes(file, kSaveFileLimit, text, error) != ReadResult::ok) {
        std::fprintf(stderr, "zentrifa: %s\n", error.c_str());
        return tr(game, Text::save_unreadable);
    }
    return save_problem(game, read_save_text(game, text));
}

void load_game(Game& game)
{
    const fs::path file = game.platform.paths.save_file();
    game.save_blocked = false;
    std::string error;
    switch (lock_save_folder(game.platform, error)) {
    case FileLock::Result::held:
        // Only the copy that holds the folder may clear it: another's save may be half-way through.
        remove_stale_temporaries(file);
        break;
    case FileLock::Result::busy:
        game.save_blocked = true;
        std::fprintf(stderr, "zentrifa: another copy of the game is using %s; this one will not read or save it\n",
                     path_utf8(file).c_str());
        post_message(game, tr(game, Text::save_used_by_another), Ink::red);
        post_message(game, tr(game, Text::save_not_this_time), Ink::red);
        return;
    case FileLock::Result::failed:
        // Without the lock another copy could be writing this save as well: it is left alone.
        game.save_blocked = true;
        std::fprintf(stderr, "zentrifa: cannot lock the save folder (%s); this copy will not read or save %s\n",
                     error.c_str(), path_utf8(file).c_str());
        post_message(game, tr(game, Text::save_unreadable), Ink::red);
        post_message(game, tr(game, Text::save_not_this_time), Ink::red);
        return;
    }

    std::string text;
    const ReadResult read = read_file_bytes(file, kSaveFileLimit, text, error);
    if (read == ReadResult::missing) {
        new_game(game);
        save_game(game);
        return;
    }
    if (read != ReadResult::ok) {
        // Not read, so not copied either: whatever it is stays as it is.
        game.save_blocked = true;
        std::fprintf(stderr, "zentrifa: cannot read the save file: %s; the game will not save over it\n",
                     error.c_str());
        post_message(game, tr(game, Text::save_unreadable), Ink::red);
        post_message(game, tr(game, Text::save_kept_unsaved), Ink::red);
        return;
    }

    const SaveReading reading = read_save_text(game, text);
    if (reading.problem == SaveReading::Problem::none) return;
    std::string what;
    const std::string told = save_problem(game, reading, &what);
    post_message(game, told, Ink::red);
    const fs::path copy = keep_aside(file, text, error);
    if (copy.empty()) {
        game.save_blocked = true;
        std::fprintf(stderr,
                     "zentrifa: %s %s; reading stopped there. No copy could be kept (%s), so the game will "
                     "not save over it\n",
                     path_utf8(file).c_str(), what.c_str(), error.c_str());
        post_message(game, tr(game, Text::save_no_copy), Ink::red);
        return;
    }
    std::fprintf(stderr, "zentrifa: %s %s; reading stopped there, the file is kept as %s\n", path_utf8(file).c_str(),
                 what.c_str(), path_utf8(copy).c_str());
    post_message(game, tr(game, Text::save_kept_as, {{"file", path_utf8(copy.filename())}}), Ink::red);
}

} // namespace zen
