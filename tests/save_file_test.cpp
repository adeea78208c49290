#include "app/save_file.h"

#include "app/frame_tick.h"
#include "app/page_exports.h"
#include "app/startup.h"
#include "core/saturating.h"
#include "rules/economy.h"
#include "rules/stage_clock.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <sstream>
#include <vector>

namespace zen {
namespace {

namespace fs = std::filesystem;
using test::TestGame;

// The newest message, put back together when the log broke it into two rows.
std::string last_message(const Game& g) { return g.message_log[1].text + g.message_log[0].text; }

// Every row of the log run together, oldest first: a message split over rows reads whole.
std::string whole_log(const Game& g)
{
    std::string all;
    for (std::size_t i = g.message_log.size(); i-- > 0;) all += g.message_log[i].text;
    return all;
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            out.push_back(text.substr(start));
            break;
        }
        out.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return out;
}

// Gives every saved field its own value so a swapped or skipped line shows.
void fill_distinct(Game& g)
{
    tmy& m = g.my;
    int v = 7;
    auto next = [&] { return v += 3; };
    m.volume = -2345;
    m.day = next();
    m.energy = next();
    m.energy_max = next();
    m.money = 987654321;
    for (auto& x : m.item_count) x = next() % 50;
    for (auto& x : m.story_flag) x = -next();
    m.hour = 13;
    m.minute = 57;
    m.hunger = 42;
    m.fatigue = 77;
    m.level = 31;
    m.exp = 123;
    g.stage = 11;
    m.game_over = 1;
    m.sales = 45678;
    for (auto& x : m.ad_power) x = next() % 9;
    for (auto& x : m.stage_clears) x = next() % 4;
    m.shouts_used = 3;
    for (auto& x : m.genre_known) x = next() % 2;
    for (auto& x : m.animal_contracts) x = next() % 2;
    m.animal_came = 1;
    m.loans = 2;
    m.news_index = 16;
    for (auto& x : m.news_read) x = next() % 2;
    m.rpg_ammo = 3;
}

TEST(SaveFile, RoundTripKeepsEveryFieldInItsLine)
{
    TestGame a;
    fill_distinct(*a);
    ASSERT_TRUE(save_game(*a));
    const std::string text = test::read_file(a->platform.paths.save_file());
    const auto lines = lines_of(text);
    ASSERT_EQ(lines.size(), 3419u);
    EXPECT_EQ(lines[0], "-2345");     // volume
    EXPECT_EQ(lines[4], "987654321"); // money
    EXPECT_EQ(lines[2011], "11");     // stage
    EXPECT_EQ(lines[3418], "3");      // rpg_ammo
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    TestGame b;
    fs::copy_file(a->platform.paths.save_file(), b->platform.paths.save_file());
    load_game(*b);
    const tmy& x = a->my;
    const tmy& y = b->my;
    EXPECT_EQ(y.volume, x.volume);
    EXPECT_EQ(y.day, x.day);
    EXPECT_EQ(y.energy, x.energy);
    EXPECT_EQ(y.energy_max, x.energy_max);
    EXPECT_EQ(y.money, x.money);
    EXPECT_EQ(y.item_count, x.item_count);
    EXPECT_EQ(y.story_flag, x.story_flag);
    EXPECT_EQ(y.hour, x.hour);
    EXPECT_EQ(y.minute, x.minute);
    EXPECT_EQ(y.hunger, x.hunger);
    EXPECT_EQ(y.fatigue, x.fatigue);
    EXPECT_EQ(y.level, x.level);
    EXPECT_EQ(y.exp, x.exp);
    EXPECT_EQ(b->stage, a->stage);
    EXPECT_EQ(y.game_over, x.game_over);
    EXPECT_EQ(y.sales, x.sales);
    EXPECT_EQ(y.ad_power, x.ad_power);
    EXPECT_EQ(y.stage_clears, x.stage_clears);
    EXPECT_EQ(y.shouts_used, x.shouts_used);
    EXPECT_EQ(y.genre_known, x.genre_known);
    EXPECT_EQ(y.animal_contracts, x.animal_contracts);
    EXPECT_EQ(y.animal_came, x.animal_came);
    EXPECT_EQ(y.loans, x.loans);
    EXPECT_EQ(y.news_index, x.news_index);
    EXPECT_EQ(y.news_read, x.news_read);
    EXPECT_EQ(y.rpg_ammo, x.rpg_ammo);
    // Not saved: they keep what they held.
    EXPECT_EQ(y.quota_done, 0);
    EXPECT_EQ(y.regen_acc, 0);
}

TEST(SaveFile, MissingFileStartsANewGameAndWritesIt)
{
    TestGame g;
    g->my.rpg_ammo = 2; // new game leaves it alone
    load_game(*g);
    EXPECT_EQ(g->my.money, 0);
    EXPECT_EQ(g->my.energy, 5);
    EXPECT_EQ(g->my.energy_max, 5);
    EXPECT_EQ(g->my.volume, -1100);
    EXPECT_EQ(g->my.hunger, 100);
    EXPECT_EQ(g->my.rpg_ammo, 2);
    const auto lines = lines_of(test::read_file(g->platform.paths.save_file()));
    ASSERT_EQ(lines.size(), 3419u);
    EXPECT_EQ(lines[0], "-1100");
    EXPECT_EQ(lines[2], "5");
    EXPECT_EQ(g->message_log[0].text, "ようこそ、ゲームメーカー達の極悪熾烈な競争世界へ！！");
}

TEST(SaveFile, ReadingRulesSkipBlanksAndExtraNumbersAndFillAShortFileWithZeros)
{
    TestGame g;
    // Values after line 2014 are missing; blank lines, tabs and a second number on a line are ignored.
    std::string text = "-400 999\r\n\r\n\t3\r\n  4\r\n5\r\n1000\r\n";
    for (int value = 6; value <= 2011; ++value) text += "1\r\n";
    text += "6\r\n0\r\n1234\r\n"; // stage, game_over, sales: the 2014th value
    test::write_file(g->platform.paths.save_file(), text);
    g->my.ad_power.fill(5);
    g->my.genre_known.fill(1);
    g->my.rpg_ammo = 9;
    load_game(*g);
    EXPECT_EQ(g->my.volume, -400);
    EXPECT_EQ(g->my.day, 3); // blank line skipped, 999 on line 1 not read
    EXPECT_EQ(g->my.energy, 4);
    EXPECT_EQ(g->my.energy_max, 5);
    EXPECT_EQ(g->my.money, 1000);
    EXPECT_EQ(g->stage, 6);
    EXPECT_EQ(g->my.sales, 1234);
    // Cut after line 2014: the rest reads as 0.
    EXPECT_EQ(g->my.ad_power[3], 0);
    EXPECT_EQ(g->my.genre_known[1], 0);
    EXPECT_EQ(g->my.stage_clears[5], 0);
    EXPECT_EQ(g->my.rpg_ammo, 0);
}

// A save whose line `bad_line` (1-based) holds `value`, the others 0.
std::string save_with(int bad_line, const std::string& value)
{
    std::string text;
    for (int line = 1; line <= 3419; ++line)
        text += (line == bad_line ? value : std::string(line == 1 ? "-800" : "2")) + "\r\n";
    return text;
}

TEST(SaveFile, UnreadableValueStopsThereKeepsTheFileAsideAndTellsThePlayer)
{
    TestGame g;
    const fs::path file = g->platform.paths.save_file();
    const std::string text = save_with(4, "12x");
    test::write_file(file, text);
    // A private save stays private in its copy.
    ASSERT_EQ(::chmod(file.c_str(), 0600), 0);
    load_game(*g);
    EXPECT_EQ(g->my.volume, -800); // read before the bad value
    EXPECT_EQ(g->my.day, 2);
    EXPECT_EQ(g->my.energy, 2);
    EXPECT_EQ(g->my.energy_max, 0); // the bad one and everything after keep their values
    EXPECT_EQ(g->my.money, 0);
    fs::path aside = file;
    aside += ".bad";
    ASSERT_TRUE(fs::exists(aside));
    EXPECT_EQ(test::read_file(aside), text);
    EXPECT_EQ(fs::status(aside).permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_NE(last_message(*g).find("4行目"), std::string::npos);

    // A later save writes my.dat but the copy aside stays as it was.
    ASSERT_TRUE(save_game(*g));
    EXPECT_EQ(test::read_file(aside), text);
    // A second bad file does not overwrite the first copy, and one readable by all stays so.
    test::write_file(file, save_with(9, "--"));
    ASSERT_EQ(::chmod(file.c_str(), 0664), 0);
    load_game(*g);
    fs::path second = file;
    second += ".bad2";
    EXPECT_TRUE(fs::exists(second));
    EXPECT_EQ(fs::status(second).permissions() & fs::perms::all, static_cast<fs::perms>(0664));
    EXPECT_EQ(test::read_file(aside), text);
}

TEST(SaveFile, ValuesTheirFieldsCannotHoldAreTreatedAsUnreadable)
{
    struct Case {
        int line;
        const char* value;
    };
    const Case cases[] = {
        {2012, "13"},       // stage beyond the twelve stages
        {2012, "-1"},       // negative stage
        {3318, "100"},      // news index past the table
        {6 + 7, "-3"},      // negative item count
        {2115 + 2, "-1"},   // negative stage clears
        {5, "99999999999"}, // not a 32-bit number at all
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("line ") + std::to_string(c.line) + " = " + c.value);
        TestGame g;
        test::write_file(g->platform.paths.save_file(), save_with(c.line, c.value));
        load_game(*g);
        EXPECT_GE(g->stage, 0);
        EXPECT_LE(g->stage, 12);
        EXPECT_GE(g->my.news_index, 0);
        EXPECT_LE(g->my.news_index, 99);
        EXPECT_LE(g->my.money, 999999999);
        fs::path aside = g->platform.paths.save_file();
        aside += ".bad";
        EXPECT_TRUE(fs::exists(aside));
    }
    // The largest values they can hold are fine.
    TestGame ok;
    std::string text = save_with(2012, "12");
    test::write_file(ok->platform.paths.save_file(), text);
    load_game(*ok);
    EXPECT_EQ(ok->stage, 12);
    fs::path aside = ok->platform.paths.save_file();
    aside += ".bad";
    EXPECT_FALSE(fs::exists(aside));
}

TEST(SaveFile, ASaveThatCannotBeWrittenKeepsTheOldFileAndSaysSo)
{
    TestGame g;
    load_game(*g); // writes a fresh file
    const fs::path file = g->platform.paths.save_file();
    const std::string before = test::read_file(file);
    g->my.money = 5555;
    {
        test::FileSizeLimit full_disk(1000);
        EXPECT_FALSE(save_game(*g));
    }
    EXPECT_EQ(test::read_file(file), before);
    EXPECT_NE(last_message(*g).find("セーブできませんでした"), std::string::npos);
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(file.parent_path())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"my.dat", "my.dat.lock"})) << "nothing else is left in the folder";

    // A folder that cannot be created at all.
    g->platform.paths.save_dir = "/proc/zentrifa-no-such-folder";
    EXPECT_FALSE(save_game(*g));
}

fs::path aside(const fs::path& file, const std::string& suffix = ".bad")
{
    fs::path p = file;
    p += suffix;
    return p;
}

// A save the game would write, with one line replaced (1-based), or cut to `lines` lines.
std::string whole_save(int line = 0, const std::string& value = "", int lines = kSaveLines)
{
    std::string text;
    for (int n = 1; n <= lines; ++n) text += (n == line ? value : std::to_string(n % 7)) + "\r\n";
    return text;
}

TEST(SaveFile, FilesTheGameNeverWritesAreKeptAsideAndThePlayerIsTold)
{
    struct Case {
        const char* what;
        std::string text;
        int loaded_day; // what the second field holds afterwards: read, or kept at 0
        const char* message;
    };
    const Case cases[] = {
        {"an empty file", "", 0, "セーブデータが空です"},
        {"only blank lines", "\r\n  \r\n\t\r\n", 0, "セーブデータが空です"},
        {"too few lines", whole_save(0, "", 100), 2, "100行しかありません"},
        {"a bad value after lines ending in CR alone", "1\r2\r\r3x\r4\r", 2, "4行目が読めません"},
        {"a 40-digit number", whole_save(2, std::string(39, '0') + "1"), 0, "2行目が読めません"},
        {"a number longer than 32 characters", whole_save(2, std::string(33, '9')), 0, "2行目が読めません"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TestGame g;
        const fs::path file = g->platform.paths.save_file();
        test::write_file(file, c.text);
        // The browser's import refuses it before it could replace a save, in the same words.
        const std::string refused = zentrifa_check_save(file.c_str(), "ja");
        EXPECT_NE(refused.find(c.message), std::string::npos) << refused;
        load_game(*g);
        EXPECT_EQ(g->my.day, c.loaded_day);
        EXPECT_EQ(test::read_file(aside(file)), c.text);
        EXPECT_NE(whole_log(*g).find(c.message), std::string::npos) << whole_log(*g);
        EXPECT_NE(last_message(*g).find("my.dat.bad"), std::string::npos) << last_message(*g);
        // The copy is safe, so the next save may replace the file.
        ASSERT_TRUE(save_game(*g));
        EXPECT_EQ(test::read_file(aside(file)), c.text);
    }

    // Read in full, the rest as 0 when it is short: a file the game wrote before its later tables
    // were kept (cut after the stage's sales), lines ending in LF alone or in CR alone (an editor's
    // or another system's), and a last value with no line end at all.
    const auto with_line_ends = [](const std::string& line_end) {
        std::string text = whole_save();
        for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += line_end.size())
            text.replace(at, 2, line_end);
        return text;
    };
    std::string unfinished = whole_save();
    unfinished.resize(unfinished.size() - 2);
    std::string short_unfinished = whole_save(0, "", 2014);
    short_unfinished.resize(short_unfinished.size() - 2);
    const std::pair<std::string, int> read_whole[] = {
        {whole_save(0, "", 2014), 0},
        {with_line_ends("\n"), kSaveLines % 7},
        {with_line_ends("\r"), kSaveLines % 7},
        {unfinished, kSaveLines % 7},
        {short_unfinished, 0},
    };
    for (const auto& [text, rpg_ammo] : read_whole) {
        SCOPED_TRACE(testing::PrintToString(text.substr(text.size() - 12)));
        TestGame g;
        g->my.rpg_ammo = 99;
        test::write_file(g->platform.paths.save_file(), text);
        EXPECT_STREQ(zentrifa_check_save(g->platform.paths.save_file().c_str(), "en"), "");
        load_game(*g);
        EXPECT_EQ(g->my.day, 2);
        EXPECT_EQ(g->my.sales, 2014 % 7);
        EXPECT_EQ(g->my.loans, rpg_ammo == 0 ? 0 : 3317 % 7);
        EXPECT_EQ(g->my.rpg_ammo, rpg_ammo);
        EXPECT_FALSE(fs::exists(aside(g->platform.paths.save_file())));
    }
}

TEST(SaveFile, APrivateSaveKeptThroughALinkStaysPrivateAndLinkedAndSoDoesItsDamagedCopy)
{
    TestGame g;
    test::TempDir synced;
    const fs::path file = g->platform.paths.save_file();
    const fs::path kept = synced.path() / "zentrifa.dat";
    test::write_file(kept, whole_save(4, "x"));
    ASSERT_EQ(::chmod(kept.c_str(), 0600), 0);
    fs::create_directories(file.parent_path());
    fs::create_symlink(kept, file);
    const auto mode = [](const fs::path& f) {
        struct stat st {};
        return ::lstat(f.c_str(), &st) == 0 ? st.st_mode & 07777 : 0u;
    };

    load_game(*g);
    EXPECT_EQ(test::read_file(aside(file)), whole_save(4, "x"));
    EXPECT_EQ(mode(aside(file)), 0600u) << "the damaged copy is as private as the save";
    g->my.day = 5;
    ASSERT_TRUE(save_game(*g));
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(lines_of(test::read_file(kept)).at(1), "5");
    EXPECT_EQ(mode(kept), 0600u);
    // The next start reads it back through the link.
    TestGame again;
    fs::remove_all(again->platform.paths.save_dir);
    fs::create_directories(again->platform.paths.save_dir);
    fs::create_symlink(kept, again->platform.paths.save_file());
    load_game(*again);
    EXPECT_EQ(again->my.day, 5);
}

TEST(SaveFile, MoneyGainedJustBeforeTheWindowClosedIsCutNotRefused)
{
    TestGame g;
    const fs::path file = g->platform.paths.save_file();
    test::write_file(file, whole_save(5, "2147483647"));
    load_game(*g);
    EXPECT_EQ(g->my.money, kMoneyLimit);
    EXPECT_EQ(g->my.rpg_ammo, kSaveLines % 7) << "the fields after it are read";
    EXPECT_FALSE(fs::exists(aside(file)));
    // What the game can never hold is still refused.
    TestGame h;
    test::write_file(h->platform.paths.save_file(), whole_save(5, "2147483648"));
    load_game(*h);
    EXPECT_TRUE(fs::exists(aside(h->platform.paths.save_file())));
}

TEST(SaveFile, ExtremeSavedValuesAreRefusedOrSafeToPlayWith)
{
    // Refused: values no game ever reaches, whose arithmetic would overflow.
    for (const auto& [line, value] : {std::pair{2, "-2147483648"},
                                      {2, "-1"},
                                      {4, "-1"}, // the maximum energy, which the shop prices
                                      {4, "-999999999"},
                                      {2, "1000000000"},
                                      {2010, "214748360"},
                                      {2010, "-1"},
                                      {2011, "-1000000000"}}) {
        SCOPED_TRACE(std::to_string(line) + " = " + value);
        TestGame g;
        test::write_file(g->platform.paths.save_file(), whole_save(line, value));
        load_game(*g);
        EXPECT_TRUE(fs::exists(aside(g->platform.paths.save_file())));
    }

    // Everything at the edge of what is read, with the last stage running and its panel shown:
    // frames run clean (the sanitizer build stops at any overflow).
    TestGame g;
    std::string text;
    int n = 0;
    auto line = [&](const std::string& v) {
        ++n;
        text += v + "\r\n";
    };
    for (int i = 1; i <= kSaveLines; ++i) {
        if (i == 5)
            line("2147483647"); // money
        else if (i == 2010)
            line("99999999"); // level
        else if (i == 2012)
            line("12"); // stage
        else if (i == 3318)
            line("99"); // news_index
        else if (i == 2 || i == 4 || (i >= 6 && i <= 1005) || (i >= 2015 && i <= 2214) || (i >= 3216 && i <= 3315))
            line("999999999"); // the day, the maximum energy, the counts, the known genres, the contracts
        else
            line(i % 2 ? "999999999" : "-999999999");
    }
    ASSERT_EQ(n, kSaveLines);
    test::write_file(g->platform.paths.save_file(), text);
    start_up(*g);
    EXPECT_FALSE(fs::exists(aside(g->platform.paths.save_file())));
    ASSERT_EQ(g->stage, 12);
    EXPECT_EQ(g->my.level, 99999999);
    g->title_step = kTitleDone;
    g->open_menu = kMenuSalesFloor;
    for (int frame = 0; frame < 5; ++frame) tick(*g);
    EXPECT_TRUE(save_game(*g));
}

TEST(SaveFile, WhatCannotBeReadIsNeverSavedOver)
{
    // A folder, a pipe (which must not block the start) and a file far larger than any save.
    for (const char* kind : {"folder", "pipe", "huge"}) {
        SCOPED_TRACE(kind);
        TestGame g;
        const fs::path file = g->platform.paths.save_file();
        if (std::string(kind) == "folder") fs::create_directory(file);
        if (std::string(kind) == "pipe") {
            ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
        }
        if (std::string(kind) == "huge") test::write_file(file, std::string(3 << 20, '1'));
        const auto type = fs::symlink_status(file).type();
        EXPECT_STREQ(zentrifa_check_save(file.c_str(), "en"), "Could not read the save file");
        load_game(*g);
        EXPECT_TRUE(g->save_blocked);
        EXPECT_NE(whole_log(*g).find("セーブデータを読めませんでした"), std::string::npos);
        EXPECT_FALSE(save_game(*g));
        EXPECT_NE(last_message(*g).find("セーブしませんでした"), std::string::npos) << last_message(*g);
        EXPECT_EQ(fs::symlink_status(file).type(), type);
        EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()), 2)
            << "the save and its folder's lock";
    }

    // A damaged save when every name for its copy is taken: it stays as it is.
    TestGame g;
    const fs::path file = g->platform.paths.save_file();
    const std::string damaged = whole_save(4, "x");
    test::write_file(file, damaged);
    test::write_file(aside(file), "first copy");
    for (int k = 2; k <= 999; ++k) test::write_file(aside(file, ".bad" + std::to_string(k)), "copy");
    load_game(*g);
    EXPECT_TRUE(g->save_blocked);
    EXPECT_EQ(g->my.day, 2) << "what could be read is still read";
    EXPECT_FALSE(save_game(*g));
    EXPECT_EQ(test::read_file(file), damaged);
    EXPECT_EQ(test::read_file(aside(file)), "first copy");
}

TEST(SaveFile, StartUpClearsWhatAKilledSaveLeftBehind)
{
    TestGame g;
    const fs::path dir = g->platform.paths.save_dir;
    test::write_file(dir / "my.dat", whole_save());
    test::write_file(dir / "my.dat.tmp", "from an older crash");
    test::write_file(dir / "my.dat.tmp-x7f3kq2a", whole_save().substr(0, 900));
    const fs::path victim = dir / "victim";
    test::write_file(victim, "precious");
    fs::create_symlink(victim, dir / "my.dat.tmp-planted");
    load_game(*g);
    EXPECT_EQ(g->my.day, 2);
    ASSERT_TRUE(save_game(*g));
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"my.dat", "my.dat.lock", "victim"}));
    EXPECT_EQ(test::read_file(victim), "precious");
}

TEST(SaveFile, AFolderAnotherCopyOfTheGameHoldsIsNeitherReadNorClearedNorSavedOver)
{
    TestGame g;
    const fs::path dir = g->platform.paths.save_dir;
    const std::string damaged = whole_save(4, "x");
    test::write_file(dir / "my.dat", damaged);
    test::write_file(dir / "my.dat.tmp-inflight", "the other copy's save, half-way through");
    FileLock other;
    std::string error;
    ASSERT_EQ(other.take(g->platform.paths.save_lock_file(), error), FileLock::Result::held) << error;
    load_game(*g);
    EXPECT_TRUE(g->save_blocked);
    EXPECT_EQ(g->my.day, 0) << "not read";
    EXPECT_NE(whole_log(*g).find("別のゼントリファ"), std::string::npos) << whole_log(*g);
    EXPECT_FALSE(save_game(*g));
    EXPECT_EQ(test::read_file(dir / "my.dat"), damaged);
    EXPECT_TRUE(fs::exists(dir / "my.dat.tmp-inflight"));
    EXPECT_FALSE(fs::exists(aside(dir / "my.dat")));

    // Once the other copy has ended, the folder is this one's.
    other = FileLock{};
    load_game(*g);
    EXPECT_FALSE(fs::exists(dir / "my.dat.tmp-inflight"));
    EXPECT_TRUE(fs::exists(aside(dir / "my.dat")));
}

TEST(SaveFile, CountersTheGameRaisesStopWhereTheReaderStops)
{
    test::HomeGame g;
    tmy& my = g->my;
    g->stage = 1;
    my.stage_clears[1] = kKeptLimit;
    my.sales = g->map_table.at(1).quota;
    check_quota(*g);
    EXPECT_EQ(my.stage_clears[1], kKeptLimit);
    my.item_count[1] = kKeptLimit;
    gain_one_item(*g, 1);
    EXPECT_EQ(my.item_count[1], kKeptLimit);
    my.day = kKeptLimit;
    my.hour = 23;
    my.minute = 59;
    advance_time(*g);
    EXPECT_EQ(my.day, kKeptLimit);
    my.sales = kKeptLimit;
    my.shouts_used = kKeptLimit;
    my.ad_power[1] = kKeptLimit;
    my.fatigue = 0;
    // Whatever else stands anywhere, the file written is one the next start reads in full.
    my.story_flag[3] = std::numeric_limits<std::int32_t>::max();
    my.rpg_ammo = std::numeric_limits<std::int32_t>::min();
    ASSERT_TRUE(save_game(*g));
    test::TestGame next;
    next->platform.paths = g->platform.paths;
    load_game(*next);
    EXPECT_FALSE(fs::exists(aside(g->platform.paths.save_file())));
    EXPECT_EQ(next->my.stage_clears[1], kKeptLimit);
    EXPECT_EQ(next->my.item_count[1], kKeptLimit);
    EXPECT_EQ(next->my.day, kKeptLimit);
    EXPECT_EQ(next->my.story_flag[3], kKeptLimit);
    EXPECT_EQ(next->my.rpg_ammo, -kKeptLimit);
}

} // namespace
} // namespace zen
