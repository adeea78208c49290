// The story. Someone who never shows their face writes to the player between stages: first about
// rent, relatives and a rival circle, then about a life that nobody watches, and at last about a
// maker who keeps releasing games long after there is anyone left to play them.
#include "content/news.h"

#include "core/game_state.h"

#include <cstddef>

namespace zen {
namespace {

// Starts writing entry `entry` from its first line.
void begin_entry(Game& game, int entry, int required_stage)
{
    game.news_write_entry = entry;
    game.news_write_line = 0;
    tnews* news = game.news_table.edit(entry);
    if (news && required_stage != 0) news->required_stage = required_stage;
}

} // namespace

void add_news_line(Game& game, Text text)
{
    const int entry = game.news_write_entry;
    const int line = game.news_write_line;
    if (entry < 0 || entry >= kNewsEntries || line < 0 || line >= kNewsLines) return;
    game.news_table.edit(entry)->lines[static_cast<std::size_t>(line)] = text;
    game.news_write_line = line + 1;
}

Text news_line(const Game& game, int entry, int line)
{
    if (entry < 0 || entry >= kNewsEntries || line < 0 || line >= kNewsLines) return Text::none;
    return game.news_table.at(entry).lines[static_cast<std::size_t>(line)];
}

int news_line_count(const Game& game, int entry)
{
    int n = 0;
    while (n < kNewsLines && news_line(game, entry, n) != Text::none) ++n;
    return n;
}

bool news_may_advance(const Game& game)
{
    const int index = game.my.news_index;
    if (index < -1 || index >= kNewsEntries - 1) return false; // the next entry would lie outside
    const int next = index + 1;
    const int required = game.news_table.at(next).required_stage;
    if (required == 0) return true;
    if (required < 0 || static_cast<std::size_t>(required) >= game.my.stage_clears.size()) return false;
    return game.my.stage_clears[static_cast<std::size_t>(required)] >= 1;
}

void build_news(Game& game)
{
    game.news_table.reset();

    // No job, and the family has noticed.
    begin_entry(game, 0, 0);
    add_news_line(game, Text::news_00_00);
    add_news_line(game, Text::news_00_01);
    add_news_line(game, Text::news_00_02);
    add_news_line(game, Text::news_00_03);
    add_news_line(game, Text::news_00_04);

    // Someone is talking about the game. Do not look.
    begin_entry(game, 1, 0);
    add_news_line(game, Text::news_01_00);
    add_news_line(game, Text::news_01_01);
    add_news_line(game, Text::news_01_02);
    add_news_line(game, Text::news_01_03);
    add_news_line(game, Text::news_01_04);
    add_news_line(game, Text::news_01_05);
    add_news_line(game, Text::news_01_06);
    add_news_line(game, Text::news_01_07);
    add_news_line(game, Text::news_01_08);
    add_news_line(game, Text::news_01_09);
    add_news_line(game, Text::news_01_10);

    // A rival of the same size.
    begin_entry(game, 2, 0);
    add_news_line(game, Text::news_02_00);
    add_news_line(game, Text::news_02_01);
    add_news_line(game, Text::news_02_02);
    add_news_line(game, Text::news_02_03);
    add_news_line(game, Text::news_02_04);
    add_news_line(game, Text::news_02_05);
    add_news_line(game, Text::news_02_06);
    add_news_line(game, Text::news_02_07);

    // The rival's big RPG falls flat.
    begin_entry(game, 3, 1);
    add_news_line(game, Text::news_03_00);
    add_news_line(game, Text::news_03_01);
    add_news_line(game, Text::news_03_02);
    add_news_line(game, Text::news_03_03);
    add_news_line(game, Text::news_03_04);
    add_news_line(game, Text::news_03_05);
    add_news_line(game, Text::news_03_06);

    // Rent.
    begin_entry(game, 4, 2);
    add_news_line(game, Text::news_04_00);
    add_news_line(game, Text::news_04_01);
    add_news_line(game, Text::news_04_02);
    add_news_line(game, Text::news_04_03);
    add_news_line(game, Text::news_04_04);

    // The flop gets picked up.
    begin_entry(game, 5, 0);
    add_news_line(game, Text::news_05_00);
    add_news_line(game, Text::news_05_01);
    add_news_line(game, Text::news_05_02);
    add_news_line(game, Text::news_05_03);
    add_news_line(game, Text::news_05_04);

    // And it sells.
    begin_entry(game, 6, 3);
    add_news_line(game, Text::news_06_00);
    add_news_line(game, Text::news_06_01);
    add_news_line(game, Text::news_06_02);
    add_news_line(game, Text::news_06_03);
    add_news_line(game, Text::news_06_04);
    add_news_line(game, Text::news_06_05);
    add_news_line(game, Text::news_06_06);
    add_news_line(game, Text::news_06_07);

    // Nobody visits any more.
    begin_entry(game, 7, 0);
    add_news_line(game, Text::news_07_00);
    add_news_line(game, Text::news_07_01);
    add_news_line(game, Text::news_07_02);
    add_news_line(game, Text::news_07_03);
    add_news_line(game, Text::news_07_04);
    add_news_line(game, Text::news_07_05);
    add_news_line(game, Text::news_07_06);
    add_news_line(game, Text::news_07_07);
    add_news_line(game, Text::news_07_08);

    // The parents give up; everyone else has grown up.
    begin_entry(game, 8, 4);
    add_news_line(game, Text::news_08_00);
    add_news_line(game, Text::news_08_01);
    add_news_line(game, Text::news_08_02);
    add_news_line(game, Text::news_08_03);
    add_news_line(game, Text::news_08_04);
    add_news_line(game, Text::news_08_05);
    add_news_line(game, Text::news_08_06);
    add_news_line(game, Text::news_08_07);
    add_news_line(game, Text::news_08_08);
    add_news_line(game, Text::news_08_09);
    add_news_line(game, Text::news_08_10);

    // No one has ever played them.
    begin_entry(game, 9, 5);
    add_news_line(game, Text::news_09_00);
    add_news_line(game, Text::news_09_01);
    add_news_line(game, Text::news_09_02);
    add_news_line(game, Text::news_09_03);
    add_news_line(game, Text::news_09_04);
    add_news_line(game, Text::news_09_05);
    add_news_line(game, Text::news_09_06);
    add_news_line(game, Text::news_09_07);
    add_news_line(game, Text::news_09_08);
    add_news_line(game, Text::news_09_09);
    add_news_line(game, Text::news_09_10);
    add_news_line(game, Text::news_09_11);

    // Please stop.
    begin_entry(game, 10, 6);
    add_news_line(game, Text::news_10_00);
    add_news_line(game, Text::news_10_01);
    add_news_line(game, Text::news_10_02);
    add_news_line(game, Text::news_10_03);
    add_news_line(game, Text::news_10_04);
    add_news_line(game, Text::news_10_05);
    add_news_line(game, Text::news_10_06);

    // The narrator loses their temper.
    begin_entry(game, 11, 7);
    add_news_line(game, Text::news_11_00);
    add_news_line(game, Text::news_11_01);
    add_news_line(game, Text::news_11_02);
    add_news_line(game, Text::news_11_03);
    add_news_line(game, Text::news_11_04);
    add_news_line(game, Text::news_11_05);
    add_news_line(game, Text::news_11_06);

    // The end of a life.
    begin_entry(game, 12, 8);
    add_news_line(game, Text::news_12_00);
    add_news_line(game, Text::news_12_01);
    add_news_line(game, Text::news_12_02);
    add_news_line(game, Text::news_12_03);
    add_news_line(game, Text::news_12_04);
    add_news_line(game, Text::news_12_05);
    add_news_line(game, Text::news_12_06);

    // But the releases go on.
    begin_entry(game, 13, 9);
    add_news_line(game, Text::news_13_00);
    add_news_line(game, Text::news_13_01);
    add_news_line(game, Text::news_13_02);
    add_news_line(game, Text::news_13_03);
    add_news_line(game, Text::news_13_04);
    add_news_line(game, Text::news_13_05);
    add_news_line(game, Text::news_13_06);
    add_news_line(game, Text::news_13_07);
    add_news_line(game, Text::news_13_08);
    add_news_line(game, Text::news_13_09);

    // An empty Earth.
    begin_entry(game, 14, 10);
    add_news_line(game, Text::news_14_00);
    add_news_line(game, Text::news_14_01);
    add_news_line(game, Text::news_14_02);
    add_news_line(game, Text::news_14_03);
    add_news_line(game, Text::news_14_04);
    add_news_line(game, Text::news_14_05);
    add_news_line(game, Text::news_14_06);
    add_news_line(game, Text::news_14_07);
    add_news_line(game, Text::news_14_08);

    // The narrator has become the one player.
    begin_entry(game, 15, 11);
    add_news_line(game, Text::news_15_00);
    add_news_line(game, Text::news_15_01);
    add_news_line(game, Text::news_15_02);
    add_news_line(game, Text::news_15_03);
    add_news_line(game, Text::news_15_04);
    add_news_line(game, Text::news_15_05);
    add_news_line(game, Text::news_15_06);

    // After everything: one more release, and the maker's name.
    begin_entry(game, 16, 12);
    add_news_line(game, Text::news_16_00);
    add_news_line(game, Text::news_16_01);
    add_news_line(game, Text::news_16_02);
    add_news_line(game, Text::news_16_03);
    add_news_line(game, Text::news_16_04);
    add_news_line(game, Text::news_16_05);
    add_news_line(game, Text::news_16_06);
    add_news_line(game, Text::news_16_07);
    add_news_line(game, Text::news_16_08);
    add_news_line(game, Text::news_16_09);
}

} // namespace zen
