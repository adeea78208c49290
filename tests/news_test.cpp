// The news script and the line appender.
#include "content/news.h"
#include "core/game_state.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <memory>
#include <string>

namespace {

class NewsTest : public ::testing::Test {
protected:
    void SetUp() override { zen::build_news(*game); }

    std::string line(int entry, int index) { return zen::test::ja(zen::news_line(*game, entry, index)); }

    zen::test::TestGame game{1};
};

struct Entry {
    const char* first_line;
    int lines;
    int required_stage;
};

constexpr Entry kScript[] = {
    {"悪いニュースです....", 5, 0},
    {"良いニュースです....", 11, 0},
    {"あなたと同じようなゲーム製作をしている人をネットで見つけました。", 8, 0},
    {"あなたのライバルの『ハーミット・ワークス』を憶えていますか？", 7, 1},
    {"悪いニュースです....", 5, 2},
    {"ええと....", 5, 0},
    {"今回も少し戸惑うニュースです....", 8, 3},
    {"悪いニュースです....", 9, 0},
    {"今回も、悪いニュースです....", 11, 4},
    {"悪いニュースです....", 12, 5},
    {"誰もあなたのゲームをプレーしていません....", 7, 6},
    {"あなたは無意味なことをしています....", 7, 7},
    {"悲しいニュースです....", 7, 8},
    {"不思議なニュースです....", 10, 9},
    {"西暦4012年....", 9, 10},
    {"太陽系崩壊から13万5102年....", 7, 11},
    {"宇宙が熱的死を迎え、三・四次元世界の崩壊から36Vbk経過....", 10, 12},
};

bool starts_with(const std::string& s, const char* prefix) { return s.rfind(prefix, 0) == 0; }

TEST_F(NewsTest, EveryEntryHasItsFirstLineLineCountAndRequiredStage)
{
    for (int entry = 0; entry < 17; ++entry) {
        SCOPED_TRACE(entry);
        const Entry& want = kScript[entry];
        EXPECT_EQ(line(entry, 0), want.first_line);
        EXPECT_EQ(zen::news_line_count(*game, entry), want.lines);
        EXPECT_EQ(game->news_table.at(entry).required_stage, want.required_stage);
        for (int i = want.lines; i < zen::kNewsLines; ++i) ASSERT_TRUE(line(entry, i).empty()) << i;
    }
    for (int entry = 17; entry < zen::kNewsEntries; ++entry) {
        EXPECT_EQ(zen::news_line_count(*game, entry), 0) << entry;
        EXPECT_EQ(game->news_table.at(entry).required_stage, 0) << entry;
    }
}

TEST_F(NewsTest, NoLineIsAScriptCommand)
{
    for (int entry = 0; entry < zen::kNewsEntries; ++entry) {
        for (int i = 0; i < zen::news_line_count(*game, entry); ++i) {
            const std::string& s = line(entry, i);
            for (const char* command : {"cg ", "menu", "gold", "item"})
                EXPECT_FALSE(starts_with(s, command)) << entry << ":" << i;
            EXPECT_NE(s, "cgoff");
            EXPECT_EQ(s.find('\n'), std::string::npos);
        }
    }
}

TEST_F(NewsTest, TheLastEntryEndsWithTheMakersName)
{
    // Counting the entry's first line as line 1: lines 3..7 spell the name in pieces.
    const char* pieces[] = {"ヴェ", "ル", "ブ", "ル", "ック"};
    const int dots[] = {0, 4, 4, 8, 9};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(line(16, 2 + k), std::string(pieces[k]) + std::string(static_cast<std::size_t>(dots[k]), '.'));
    EXPECT_EQ(line(16, 7), ".........");

    // Line 9: Velbrook letter by letter in mixed case, each letter followed by two to five dots.
    const std::string& spelled = line(16, 8);
    std::string letters;
    bool upper = false;
    bool lower = false;
    for (std::size_t i = 0; i < spelled.size();) {
        const unsigned char c = static_cast<unsigned char>(spelled[i]);
        ASSERT_TRUE(std::isalpha(c)) << spelled;
        letters += static_cast<char>(std::tolower(c));
        upper = upper || std::isupper(c);
        lower = lower || std::islower(c);
        std::size_t run = 0;
        for (++i; i < spelled.size() && spelled[i] == '.'; ++i) ++run;
        EXPECT_TRUE(run >= 2 && run <= 5) << spelled;
    }
    EXPECT_EQ(letters, "velbrook");
    EXPECT_TRUE(upper && lower);

    std::string shout;
    for (int k = 0; k < 6; ++k) shout += "ヴェルブルック！！！！";
    EXPECT_EQ(line(16, 9), shout);
}

TEST_F(NewsTest, AppenderDropsLinesOutsideTheTable)
{
    game->news_write_entry = 20;
    game->news_write_line = 198;
    zen::add_news_line(*game, zen::Text::news_00_00);
    zen::add_news_line(*game, zen::Text::news_00_01);
    zen::add_news_line(*game, zen::Text::news_00_02); // past line 199
    EXPECT_EQ(zen::news_line(*game, 20, 198), zen::Text::news_00_00);
    EXPECT_EQ(zen::news_line(*game, 20, 199), zen::Text::news_00_01);
    EXPECT_EQ(game->news_write_line, 200);

    for (int entry : {-1, 100, INT_MAX, INT_MIN}) {
        game->news_write_entry = entry;
        game->news_write_line = 0;
        zen::add_news_line(*game, zen::Text::news_00_00);
    }
    game->news_write_entry = 21;
    game->news_write_line = -3;
    zen::add_news_line(*game, zen::Text::news_00_00);
    EXPECT_EQ(game->news_table.at(-1).lines[0], zen::Text::none);
    EXPECT_EQ(zen::news_line_count(*game, 21), 0);
    EXPECT_TRUE(line(100, 0).empty());
    EXPECT_TRUE(line(0, 200).empty());
    EXPECT_TRUE(line(0, -1).empty());
}

TEST_F(NewsTest, StoryAdvancesOnlyOntoUnlockedEntriesInsideTheTable)
{
    auto may_advance_from = [&](int index) {
        game->my.news_index = index;
        return zen::news_may_advance(*game);
    };
    EXPECT_TRUE(may_advance_from(0));
    EXPECT_TRUE(may_advance_from(1));
    EXPECT_FALSE(may_advance_from(2)); // entry 3 waits for a clear of stage 1
    EXPECT_TRUE(may_advance_from(4));  // entry 5 has no requirement
    EXPECT_FALSE(may_advance_from(5));
    game->my.stage_clears[1] = 1;
    game->my.stage_clears[3] = 2;
    EXPECT_TRUE(may_advance_from(2));
    EXPECT_TRUE(may_advance_from(5));
    EXPECT_FALSE(may_advance_from(15));
    EXPECT_TRUE(may_advance_from(16)); // the empty entries after the script
    EXPECT_TRUE(may_advance_from(98));
    EXPECT_FALSE(may_advance_from(99));
    EXPECT_FALSE(may_advance_from(INT_MAX));
    EXPECT_FALSE(may_advance_from(-7));
}

TEST_F(NewsTest, RebuildRestoresTheScript)
{
    game->news_table.edit(3)->lines[2] = zen::Text::news_00_00;
    game->news_table.edit(3)->required_stage = 9;
    game->news_table.edit(40)->lines[0] = zen::Text::news_00_00;
    zen::build_news(*game);

    zen::test::TestGame fresh{2};
    zen::build_news(*fresh);
    for (int entry = zen::NewsTable::kFirstId; entry <= zen::NewsTable::kLastId; ++entry) {
        ASSERT_EQ(game->news_table.at(entry).lines, fresh->news_table.at(entry).lines) << entry;
        ASSERT_EQ(game->news_table.at(entry).required_stage, fresh->news_table.at(entry).required_stage) << entry;
    }
}

} // namespace
