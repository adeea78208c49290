#pragma once
// The message log at the bottom of the screen: everything the game says, in named colours.
#include "core/ink.h"
#include "core/screen_state.h"
#include "core/text_table.h"
#include "platform/canvas.h"

#include <string>
#include <string_view>
#include <vector>

namespace zen {

struct Game;
class Fonts;

void post_message(Game& game, std::string_view text, Ink ink);
void post_silver(Game& game, std::string_view text);
void clear_messages(Game& game);
// The code a log entry keeps for an ink, and the name --trace prints for it.
std::int32_t colour_code(Ink ink);
std::string_view ink_name(Ink ink);
Colour lighten(Colour colour, int amount);
void draw_message_log(Game& game, Canvas& canvas);

// The rows drawn, and the part of the screen the log takes (the mouse wheel scrolls it there).
constexpr int kLogRows = 5;
constexpr int kLogTop = 465;
constexpr int kLogRight = 560;
// Moves the view `rows` further back into the history (negative: toward the newest), as far as
// the oldest row kept. New rows leave a view scrolled back where it is; only scrolling forward to
// the end or show_newest_rows (a click on the log) brings it back to the newest row.
void scroll_log(Game& game, int rows);
void show_newest_rows(Game& game);
bool over_log(int x, int y);

// The drawing colour of a log entry's code in row r (0..4) at a frame, before the row's lightening.
Colour message_colour(std::int32_t code, int row, int frame_no);
// The first rows of a text in `lang` laid out in the log's 458-pixel box (explicit breaks, then
// wrapping by that language's line-breaking rules), at most max_rows of them. Measured with fonts
// (none: one row per explicit line).
std::vector<std::string> wrap_message(Fonts* fonts, std::string_view text, Lang lang, int max_rows);

// The box the game lays its messages out in, and the log's fonts.
constexpr int kMessageBoxWidth = 458;
constexpr Font kMessageLayoutFont{11, true}; // 11 points at 96 dpi: the window's 15-pixel bold face
constexpr Font kMessageFont{15, true};
constexpr int kMessageFontSmallest = 6; // the row's font never shrinks below this
constexpr int kMarkerFontSize = 10;
// Entries with a code of no colour of their own are drawn in silver.
constexpr Colour kFallbackMessageColour = 0x999999;

} // namespace zen
