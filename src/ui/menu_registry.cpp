#include "ui/menu_registry.h"

#include "core/game_state.h"

namespace zen {

bool register_menu(Game& game, const MenuHandlers& handlers)
{
    if (MenuHandlers* known = registered_menu(game, handlers.key)) {
        *known = handlers;
        return true;
    }
    for (MenuHandlers& slot : game.menu_handlers) {
        if (slot.key == kMenuNone) {
            slot = handlers;
            return true;
        }
    }
    return false;
}

MenuHandlers* registered_menu(Game& game, std::int32_t key)
{
    if (key == kMenuNone) return nullptr;
    for (MenuHandlers& slot : game.menu_handlers)
        if (slot.key == key) return &slot;
    return nullptr;
}

void build_menus(Game& game)
{
    const std::int32_t opening = game.open_menu;
    // Each menu writes only its own records, so the order of the menus does not matter.
    for (const MenuHandlers& m : game.menu_handlers)
        if (m.key != kMenuNone && m.build && (m.every_opening || m.key == opening)) m.build(game, m.key);
}

void run_command(Game& game, int index)
{
    if (index < 0 || index >= kMenuButtons) return;
    const MenuHandlers* m = registered_menu(game, game.menu_buttons[static_cast<std::size_t>(index)].menu);
    if (m && m->run) m->run(game, index);
}

} // namespace zen
