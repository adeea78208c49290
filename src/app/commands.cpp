#include "app/commands.h"

#include "app/save_file.h"
#include "core/game_state.h"
#include "home/commands.h"
#include "home/menu_commands.h"
#include "home/menu_contents.h"
#include "street/street_commands.h"
#include "ui/menu_buttons.h"
#include "ui/menu_registry.h"

namespace zen {

namespace {

// Giving up a stage writes the save first, so the file keeps the stage as it was; closing the
// window later writes the reset state over it.
void abandon_saving_first(Game& game, int index)
{
    if (menu_record(game, index).command == command_number(AbandonCommand::yes)) save_game(game);
    abandon_command(game, index);
}

} // namespace

void register_menus(Game& game)
{
    register_home_menus(game);
    register_street_menus(game);
    if (MenuHandlers* abandon = registered_menu(game, kMenuAbandon)) abandon->run = abandon_saving_first;
}

void run_button_pass(Game& game)
{
    const int clicked = button_pass(game);
    if (clicked != 0) run_command(game, clicked);
}

} // namespace zen
