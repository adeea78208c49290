#include "street/animal_helpers.h"

#include "core/game_state.h"
#include "core/texts.h"
#include "render/effects.h"
#include "render/message_log.h"
#include "ui/menu_buttons.h"

#include <string_view>

namespace zen {

namespace {

// Each animal lives in two areas, one of each cycle, and has a line for each way it helps.
struct Animal {
    Text name;
    Text voice_line;
    Text energy_line;
};

constexpr Animal kAnimals[] = {
    {Text::man_100, Text::animal_usagi_voice, Text::animal_usagi_energy},
    {Text::man_101, Text::animal_cat_voice, Text::animal_cat_energy},
    {Text::man_102, Text::animal_bird_voice, Text::animal_bird_energy},
    {Text::man_103, Text::animal_dog_voice, Text::animal_dog_energy},
    {Text::man_104, Text::animal_tako_voice, Text::animal_tako_energy},
    {Text::man_105, Text::animal_kuma_voice, Text::animal_kuma_energy},
};

const Animal* animal_named(Text name)
{
    for (const Animal& a : kAnimals)
        if (a.name == name) return &a;
    return nullptr;
}

} // namespace

void animal_visit(Game& game, int slot)
{
    add_effect(game, 395, 400, FxKind::animal_wave, "");
    if (slot < 0 || slot >= kStreetSlots) return;
    const Animal* animal = animal_named(game.street_figures[static_cast<std::size_t>(slot)].name);
    if (!animal) return;
    tmy& my = game.my;
    const bool voice = game.random(2) == 0;
    add_effect_at(game, slot, FxKind::animal_text,
                  tr(game, voice ? Text::animal_voice_effect : Text::animal_energy_effect));
    play_sound(game, Sound::eat);
    play_sound(game, Sound::heal);
    if (voice) {
        post_message(game, tr(game, animal->voice_line), Ink::aqua);
        post_message(game, tr(game, Text::animal_voice_message), Ink::aqua);
        my.shouts_used = 0; // the whole day's shouts again
    } else {
        post_message(game, tr(game, animal->energy_line), Ink::aqua);
        post_message(game, tr(game, Text::animal_energy_message), Ink::aqua);
        my.energy = my.energy_max;
    }
    // The shout count and its lock follow at once.
    show_menu(game, kMenuSalesFloor);
}

} // namespace zen
