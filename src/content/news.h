#pragma once
// The story, told as news between stages.
#include "core/content_tables.h"

#include <string>

namespace zen {

struct Game;

// Writes the whole script: entries 0..16; the others stay empty.
void build_news(Game& game);
// Stores text as line news_write_line of entry news_write_entry and moves on to the next line.
// A line past 199 or an entry outside 0..99 is dropped.
void add_news_line(Game& game, Text text);

// Line `line` of entry `entry`; empty outside the table.
Text news_line(const Game& game, int entry, int line);
// The lines of an entry up to its first empty line.
int news_line_count(const Game& game, int entry);
// Whether the story may move on from news_index to the next entry when a stage ends: the next entry
// lies inside the table and its required stage is 0 or has been cleared at least once.
bool news_may_advance(const Game& game);

} // namespace zen
