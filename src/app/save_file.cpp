#include "app/save_file.h"

#include "core/game_state.h"
#include "home/new_game.h"
#include "render/message_log.h"

#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <system_error>

namespace zen {

namespace fs = std::filesystem;

namespace {

// What a saved value may be; anything else is treated like an unreadable value.
struct Range {
    std::int32_t lo;
    std::int32_t hi;
};
constexpr Range kAny{std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
constexpr Range kCount{0, std::numeric_limits<std::int32_t>::max()};
constexpr Range kStage{0, 12};
constexpr Range kNewsIndex{0, 99};
constexpr Range kMoney{std::numeric_limits<std::int32_t>::min(), kMoneyLimit};

// Visits every saved field in file order. The one place that knows the layout.
template <class Visit>
void for_each_saved_field(Game& game, Visit&& visit)
{
    tmy& my = game.my;
    visit(my.volume, kAny);
    visit(my.day, kAny);
    visit(my.energy, kAny);
    visit(my.energy_max, kAny);
    visit(my.money, kMoney);
    for (auto& v : my.item_count) visit(v, kCount);
    for (auto& v : my.story_flag) visit(v, kAny);
    visit(my.hour, kAny);
    visit(my.minute, kAny);
    visit(my.hunger, kAny);
    visit(my.fatigue, kAny);
    visit(my.level, kAny);
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
// next space or control character (at most 32 characters), and the rest of its line is ignored.
class ValueReader {
public:
    explicit ValueReader(const std::string& text) : text_(text) {}

    enum class Result { value, end, bad };

    Result next(std::int32_t& out)
    {
        while (pos_ < text_.size() && is_blank(text_[pos_])) {
            if (text_[pos_] == '\n') ++line_;
            ++pos_;
        }
        if (pos_ >= text_.size()) {
            out = 0; // past the end of a short file every value reads as 0
            return Result::end;
        }
        token_line_ = line_;
        const std::size_t start = pos_;
        while (pos_ < text_.size() && !is_separator(text_[pos_]) && pos_ - start < 32) ++pos_;
        const std::string_view token(text_.data() + start, pos_ - start);
        // Skip the rest of the line, whatever it holds.
        while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
        return parse(token, out) ? Result::value : Result::bad;
    }

    int token_line() const { return token_line_; }

private:
    static bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
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

    const std::string& text_;
    std::size_t pos_ = 0;
    int line_ = 1;
    int token_line_ = 1;
};

// Keeps a copy of an unreadable save beside it, never over an earlier copy.
fs::path keep_aside(const fs::path& file)
{
    fs::path aside = file;
    aside += ".bad";
    std::error_code ec;
    for (int n = 2; fs::exists(aside, ec) && n < 1000; ++n) {
        aside = file;
        aside += ".bad" + std::to_string(n);
    }
    fs::copy_file(file, aside, ec);
    return ec ? fs::path() : aside;
}

} // namespace

bool save_game(Game& game)
{
    const fs::path file = game.platform.paths.save_file();
    std::string text;
    text.reserve(static_cast<std::size_t>(kSaveLines) * 4);
    for_each_saved_field(game, [&](std::int32_t& v, Range) {
        text += std::to_string(v);
        text += "\r\n";
    });

    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    fs::path temp = file;
    temp += ".tmp";
    bool ok = false;
    const char* why = "";
    if (FILE* f = std::fopen(temp.c_str(), "wb")) {
        ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
        ok = (std::fflush(f) == 0) && ok;
        ok = (::fsync(fileno(f)) == 0) && ok;
        ok = (std::fclose(f) == 0) && ok;
        if (ok) {
            fs::rename(temp, file, ec);
            ok = !ec;
        }
        if (!ok) {
            why = std::strerror(errno);
            fs::remove(temp, ec);
        }
    } else {
        why = std::strerror(errno);
    }
    if (!ok) {
        std::fprintf(stderr, "zentrifa: cannot write the save file %s: %s (the old one is kept)\n", file.c_str(), why);
        post_message(game, "セーブできませんでした（前のセーブデータは残っています）", "red");
    }
    return ok;
}

void load_game(Game& game)
{
    const fs::path file = game.platform.paths.save_file();
    std::error_code ec;
    if (!fs::exists(file, ec)) {
        new_game(game);
        save_game(game);
        return;
    }
    std::string text;
    {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            std::fprintf(stderr, "zentrifa: cannot read the save file %s\n", file.c_str());
            post_message(game, "セーブデータを読めませんでした", "red");
            return;
        }
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    ValueReader reader(text);
    bool stopped = false;
    int bad_line = 0;
    for_each_saved_field(game, [&](std::int32_t& field, Range range) {
        if (stopped) return;
        std::int32_t v = 0;
        const auto result = reader.next(v);
        if (result == ValueReader::Result::bad || v < range.lo || v > range.hi) {
            stopped = true;
            bad_line = reader.token_line();
            return;
        }
        field = v;
    });
    if (stopped) {
        const fs::path aside = keep_aside(file);
        std::fprintf(stderr, "zentrifa: %s line %d: not a value the game can use; reading stopped there%s%s\n",
                     file.c_str(), bad_line, aside.empty() ? "" : ", the file is kept as ",
                     aside.empty() ? "" : aside.c_str());
        post_message(game, "セーブデータの" + std::to_string(bad_line) + "行目が読めません", "red");
        if (!aside.empty()) post_message(game, "元のファイルは " + aside.filename().string() + " に残しました", "red");
    }
}

} // namespace zen
