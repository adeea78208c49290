#pragma once
// Every sound effect and piece of music the game plays, with its file in dat/. Code names a sound
// here and nowhere else spells a file; the asset pack writes exactly these files.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string_view>

namespace zen {

enum class Sound : std::uint8_t {
    none, // plays nothing (a figure without a voice, a hazard that comes quietly)
    click,
    menu,
    pay,
    coin,
    item_get,
    energy_up,
    level_up_voice,
    level_up,
    heal,
    eat,
    sleep,
    clear_mark,
    extra_copy,
    shout,
    rocket,
    purchase,
    skill_up,
    stage_clear,
    quota_reached,
    game_over,
    new_day,
    last_hours,
    gunshot,
    small_blast,
    dog,
    car_horn,
    plane,
    giant_robot,
    meteor,
    car_pass,
    falling,
    big_blast,
    laser,
    fire,
    debris_blast,
    bump,
    cry_kid,
    cry_girl,
    cry_woman,
};

enum class Music : std::uint8_t {
    title,
    universe, // under the news
};

struct SoundName {
    Sound sound;
    std::string_view file;
};

struct MusicName {
    Music music;
    std::string_view file;
};

// In the order of the enum.
inline constexpr SoundName kSoundNames[] = {
    {Sound::none, ""},
    {Sound::click, "1.wav"},
    {Sound::menu, "2.wav"},
    {Sound::pay, "katan.wav"},
    {Sound::coin, "coin.wav"},
    {Sound::item_get, "item_get.wav"},
    {Sound::energy_up, "hp.wav"},
    {Sound::level_up_voice, "lvup_voice.wav"},
    {Sound::level_up, "lvup.wav"},
    {Sound::heal, "kaifuku.wav"},
    {Sound::eat, "taberu.wav"},
    {Sound::sleep, "sleep.wav"},
    {Sound::clear_mark, "lvcap.wav"},
    {Sound::extra_copy, "ex.wav"},
    {Sound::shout, "fuu.wav"},
    {Sound::rocket, "rpg.wav"},
    {Sound::purchase, "bp.wav"},
    {Sound::skill_up, "skill_up.wav"},
    {Sound::stage_clear, "clear.wav"},
    {Sound::quota_reached, "battle_lvup.wav"},
    {Sound::game_over, "gameover.wav"},
    {Sound::new_day, "time.wav"},
    {Sound::last_hours, "time2.wav"},
    {Sound::gunshot, "gun.wav"},
    {Sound::small_blast, "bom.wav"},
    {Sound::dog, "dog.wav"},
    {Sound::car_horn, "car.wav"},
    {Sound::plane, "air.wav"},
    {Sound::giant_robot, "bill.wav"},
    {Sound::meteor, "meteo.wav"},
    {Sound::car_pass, "car2.wav"},
    {Sound::falling, "fall.wav"},
    {Sound::big_blast, "bom2.wav"},
    {Sound::laser, "lazer.wav"},
    {Sound::fire, "fire.wav"},
    {Sound::debris_blast, "baku.wav"},
    {Sound::bump, "taiatari.wav"},
    {Sound::cry_kid, "kid.wav"},
    {Sound::cry_girl, "girl.wav"},
    {Sound::cry_woman, "women.wav"},
};

inline constexpr MusicName kMusicNames[] = {
    {Music::title, "title_for_game.mp3"},
    {Music::universe, "universe_for_game.mp3"},
};

constexpr bool sound_names_in_order()
{
    for (std::size_t i = 0; i < std::size(kSoundNames); ++i)
        if (static_cast<std::size_t>(kSoundNames[i].sound) != i) return false;
    for (std::size_t i = 0; i < std::size(kMusicNames); ++i)
        if (static_cast<std::size_t>(kMusicNames[i].music) != i) return false;
    return true;
}
static_assert(sound_names_in_order(), "the name tables follow the enums row by row");
static_assert(std::size(kSoundNames) == static_cast<std::size_t>(Sound::cry_woman) + 1, "every sound has its file");
static_assert(std::size(kMusicNames) == static_cast<std::size_t>(Music::universe) + 1, "every piece has its file");

// The file in dat/ ("" for none).
constexpr std::string_view sound_file(Sound sound) { return kSoundNames[static_cast<std::size_t>(sound)].file; }
constexpr std::string_view music_file(Music music) { return kMusicNames[static_cast<std::size_t>(music)].file; }

} // namespace zen
