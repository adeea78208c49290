#include "app/commands.h"

#include "app/save_file.h"
#include "core/game_state.h"
#include "home/commands.h"
#include "home/menu_buttons.h"
#include "street/street_commands.h"

namespace zen {

namespace {

using Handler = void (*)(Game& game, int index);

// Giving up a stage writes the save first, so the file keeps the stage as it was; closing the
// window later writes the reset state over it.
void abandon_saving_first(Game& game, int index)
{
    if (menu_record(game, index).command == kAbandonYes) save_game(game);
    abandon_command(game, index);
}

struct MenuHandler {
    MenuKey key;
    Handler run;
};

constexpr MenuHandler kHandlers[] = {
    {kMenuHome, home_command},
    {kMenuAbandon, abandon_saving_first},
    {kMenuOptions, options_command},
    {kMenuSound, sound_command},
    {kMenuStart, start_command},
    {kMenuMakeGame, make_game_command},
    {kMenuStageSelect, stage_select_command},
    {kMenuSalesFloor, street_command},
    {kMenuWakeUp, wake_up_command},
    {kMenuTimeUp, time_up_command},
    {kMenuShop, shop_command},
    {kMenuStageCleared, stage_cleared_command},
};

} // namespace

void execute_command(Game& game, int index)
{
    if (index < 0 || index >= kMenuButtons) return;
    const std::int32_t key = game.menu_buttons[static_cast<std::size_t>(index)].menu;
    for (const MenuHandler& h : kHandlers) {
        if (h.key == key) {
            h.run(game, index);
            return;
        }
    }
}

void run_button_pass(Game& game)
{
    const int clicked = button_pass(game);
    if (clicked != 0) execute_command(game, clicked);
}

} // namespace zen
