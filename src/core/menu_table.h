#pragma once
// The menu buttons: one fixed table of 3000 records. A menu is the set of records that carry its
// key; the menu contents rewrite a menu's records each time it opens, and the button pass moves,
// draws and hit-tests the visible ones in the column at the right edge of the play area.
#include <cstdint>
#include <string>

namespace zen {

struct tmenu {
    std::string icon;             // cg/ picture drawn in a 40 x 40 box at the left end; empty = none
    std::string caption;          // empty: the record is never shown
    std::string hint;             // drawn left of the button while the mouse is over it
    std::int32_t right_align = 0; // 1: caption flush right; 0: centred
    std::int32_t command = 0;     // command number within the menu; -1 for a "back" entry
    std::int32_t visible = 0;
    std::int32_t enabled = 0; // 0: grey text, a click does nothing
    std::int32_t param = 0;   // a price, a genre for a make-game entry, a stage number
    std::int32_t param2 = 0;  // the genre a book teaches, the energy cost of a make-game entry
    std::int32_t menu = 0;    // key of the menu the record belongs to
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t target_x = 0;
    std::int32_t target_y = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t item_id = 0;    // catalog id of a shop item entry
    std::int32_t need_level = 0; // player level a shop entry asks for
    std::int32_t back_to = 0;    // menu a right click returns to while this menu is shown; 0 = none
    std::int32_t locked = 0;     // >= 1: greyed, cannot be clicked
};

constexpr int kMenuButtons = 3000;
// The button pass's right edge of every button.
constexpr int kMenuRightEdge = 790;

} // namespace zen
