#pragma once
// The menu keys. A menu is the set of button records carrying its key; each menu owns a fixed
// range of the 3000 records, which its contents rewrite and the command runner reads.
#include <cstdint>

namespace zen {

enum MenuKey : std::int32_t {
    kMenuNone = 0,
    kMenuHome = 1,    // a stage is running
    kMenuAbandon = 2, // confirm abandoning the stage
    kMenuOptions = 3,
    kMenuSound = 4,
    kMenuStart = 5, // the start menu; the stage clock stands still here
    kMenuMakeGame = 10,
    kMenuStageSelect = 11,
    kMenuSalesFloor = 12,
    kMenuWakeUp = 13,
    kMenuTimeUp = 14, // game over
    kMenuShop = 15,
    kMenuStageCleared = 16, // quota reached
    kMenuLanguages = 17,    // every language the game speaks, from the options
};

// The records a menu owns, first..last inclusive (the home menu uses 1..5, 10 and 11 of its range).
struct MenuRecords {
    MenuKey key;
    int first;
    int last;
};

constexpr MenuRecords kMenuRecords[] = {
    {kMenuHome, 1, 11},         {kMenuAbandon, 50, 51},    {kMenuOptions, 60, 71},       {kMenuSound, 100, 101},
    {kMenuStart, 201, 205},     {kMenuMakeGame, 300, 399}, {kMenuStageSelect, 400, 499}, {kMenuSalesFloor, 500, 599},
    {kMenuWakeUp, 600, 600},    {kMenuTimeUp, 610, 610},   {kMenuShop, 620, 699},        {kMenuStageCleared, 700, 700},
    {kMenuLanguages, 720, 739},
};

// The record range of a key; {kMenuNone, 0, -1} (no records) for a key no menu has.
constexpr MenuRecords menu_records(std::int32_t key)
{
    for (const MenuRecords& m : kMenuRecords)
        if (m.key == key) return m;
    return {kMenuNone, 0, -1};
}

} // namespace zen
