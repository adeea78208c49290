#pragma once
// What each menu does, entered by the side that owns the menu (home or the street) when the game
// starts: the button column below them builds and runs a menu only through these.
#include <array>
#include <cstdint>

namespace zen {

struct Game;

struct MenuHandlers {
    std::int32_t key = 0;
    // Rewrites the menu's records (key: the menu being built).
    void (*build)(Game& game, std::int32_t key) = nullptr;
    // Handles a click on one of the menu's records (its index in the button table).
    void (*run)(Game& game, int index) = nullptr;
    // True: built whenever any menu opens; false: only when this menu opens.
    bool every_opening = false;
};

// Every menu key has room for its handlers.
constexpr int kMenuHandlerSlots = 16;
using MenuHandlerTable = std::array<MenuHandlers, kMenuHandlerSlots>;

} // namespace zen
