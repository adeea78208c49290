#include "street/animal_helpers.h"

#include "core/game_state.h"
#include "render/effects.h"
#include "render/message_log.h"
#include "ui/menu_buttons.h"

#include <string_view>

namespace zen {

namespace {

// Each animal lives in two areas, one of each cycle, and has a line for each way it helps.
struct Animal {
    std::string_view name;
    std::string_view voice_line;
    std::string_view energy_line;
};

constexpr Animal kAnimals[] = {
    {"空き缶うさぎ", "空き缶うさぎ『まあ、ジュースでも飲んでがんばれや！』",
     "空き缶うさぎ『特別ジュース持ってきたで！』"},
    {"野良猫番長", "野良猫番長『よおやってるかい？　水でも飲みな！』",
     "野良猫番長『せいがでるなあ！！　ファイトじゃあ！』"},
    {"小鳥", "小鳥『おやおや、がんばっているね。これを飲みなさい』", "小鳥『私が怖いのかね？　気にせず頑張るのです』"},
    {"わんゴロ", "わんゴロ『コーラを飲んでがんばるだワン』", "わんゴロ『わしも応援しとるだワン』"},
    {"たこ", "たこ『僕のスミを飲んでがんばって！』", "たこ『僕の脚をお食べ！！』"},
    {"るっクマ", "るっクマ『ここが正念場だよ！水分を取ってがんばってね♪』",
     "るっクマ『フレーフレー！！エナジーをあげるよ☆』"},
};

const Animal* animal_named(std::string_view name)
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
    add_effect_at(game, slot, FxKind::animal_text, voice ? "喉が回復!" : "エナジーが回復!");
    play_sound(game, Sound::eat);
    play_sound(game, Sound::heal);
    if (voice) {
        post_message(game, animal->voice_line, Ink::aqua);
        post_message(game, "咽が回復しました!", Ink::aqua);
        my.shouts_used = 0; // the whole day's shouts again
    } else {
        post_message(game, animal->energy_line, Ink::aqua);
        post_message(game, "エナジーが回復しました!", Ink::aqua);
        my.energy = my.energy_max;
    }
    // The shout count and its lock follow at once.
    show_menu(game, kMenuSalesFloor);
}

} // namespace zen
