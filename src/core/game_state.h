#pragma once
// Everything that changes while the game runs lives in one Game, passed by reference:
// the player record `my`, the run-time variables around it, the tables, the bitmaps,
// the message log, the effects ring and the sound bookkeeping.
#include "core/content_tables.h"
#include "core/menu_handlers.h"
#include "core/menu_keys.h"
#include "core/menu_table.h"
#include "core/random.h"
#include "core/screen_state.h"
#include "core/sound.h"
#include "core/text_table.h"
#include "platform/canvas.h"
#include "platform/platform.h"

#include <array>
#include <cstdint>
#include <deque>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace zen {

// The player's progress; nearly all of it is saved.
struct tmy {
    std::int32_t rpg_ammo = 0;
    std::int32_t news_index = 0;
    std::int32_t loans = 0;
    std::int32_t volume = 0; // hundredths of a decibel, -4000..0
    std::int32_t exp = 0;
    std::int32_t money = 0;
    std::int32_t level = 0;
    std::array<std::int32_t, 100> news_read{};
    std::array<std::int32_t, 1000> story_flag{};
    std::array<std::int32_t, 1000> genre_known{};
    std::array<std::int32_t, 1000> item_count{};
    std::int32_t shouts_used = 0;
    std::int32_t fatigue = 0;
    std::int32_t sales = 0;
    std::int32_t hunger = 0;
    std::int32_t day = 0;
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::int32_t quota_done = 0;
    std::int32_t game_over = 0;
    std::int32_t regen_acc = 0; // toward the next point of energy, at most kRegenFull
    std::int32_t energy = 0;
    std::int32_t energy_max = 0;
    std::int32_t animal_came = 0;
    std::array<std::int32_t, 100> stage_clears{};
    std::array<std::int32_t, 100> animal_contracts{};
    std::array<std::int32_t, 100> ad_power{};
};

// The regeneration a point of energy takes (the status panel's lower energy bar fills toward it).
constexpr std::int32_t kRegenFull = 600;

// The play area: every screen, picture and work surface is this size.
constexpr int kPlayWidth = 800;
constexpr int kPlayHeight = 600;

// title_step: the start-up picture, the title picture, then the game.
constexpr std::int32_t kTitleStartScreen = -2;
constexpr std::int32_t kTitleScreen = -1;
constexpr std::int32_t kTitleDone = 0;

constexpr int kWorkBitmaps = 50;
// The work bitmaps by use; the others stay blank.
constexpr int kWorkBackground = 0; // the background picture
constexpr int kWorkDesk = 1;       // the desk strip of the sales floor
constexpr int kWorkComposed = 6;   // the composed background each frame starts from

constexpr int kCharBitmaps = 256;
constexpr int kStreetSlots = 256; // live figures on the street, slots 0..255
constexpr int kPictureCacheSlots = 3001;
constexpr int kLineQueue = 100;
constexpr int kStartInterval = 90; // ms between frames at start
constexpr int kShortestInterval = 70;
constexpr std::int32_t kMoneyLimit = 999999999;

struct Game {
    explicit Game(Platform& platform, std::uint64_t seed = 0);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Platform& platform;
    // The game's rolls: customers, hazards, meals, making games.
    Random rng;
    int random(int n) { return rng.below(n); }
    // What only the screen shows (effects, their positions, the shake) draws from a stream of its
    // own, seeded from the same seed, so drawing never changes what a seed plays.
    Random fx_rng;
    int fx_random(int n) { return fx_rng.below(n); }

    tmy my;

    // The language of every text the game shows from now on (texts already in the log stay).
    Lang lang = Lang::ja;
    // The window going to the background pauses the game (a setting).
    bool pause_on_focus_loss = true;
    // A game controller's pointer: its speed (times the usual) and the stick's dead zone (settings).
    double pointer_speed = 1.0;
    double dead_zone = 0.2;
    // Frames run behind a question asked in the window, for the run loop to count; and the window
    // closed while a question was open.
    std::int64_t frames_in_question = 0;
    bool close_requested = false;

    // Scene control and frame counters.
    std::int32_t stage = 0; // 0: no stage runs
    std::int32_t title_step = 0;
    std::int32_t open_menu = 0;
    std::int32_t back_menu = 0;
    std::int32_t hovered_button = 0;
    std::int32_t on_street = 0;
    std::int32_t frame_no = 0;
    std::int32_t frames_this_second = 0;
    std::int64_t next_rate_check = 0; // clock milliseconds of the next frame-rate check
    std::int32_t timer_interval = kStartInterval;
    std::int32_t bg_dirty = 0;
    std::int32_t cg_hold = 0;

    // Mouse and dialogue.
    std::int32_t mouse_x = 0;
    std::int32_t mouse_y = 0;
    std::int32_t fire_held = 0;
    std::int32_t click_pending = 0;
    std::array<std::string, kLineQueue> line_queue{};
    bool line_queue_overflow_named = false; // a full queue is named once on standard error

    // The menu buttons and the rows placed by the menu now opening.
    std::array<tmenu, kMenuButtons> menu_buttons{};
    std::int32_t menu_row_count = 0;
    // What each menu does, in the order the menus were entered (see ui/menu_registry.h).
    MenuHandlerTable menu_handlers{};

    // The live street: customers, animals and hazards, one slot each (a slot is free at age 0).
    // Not saved; emptied when a stage starts. The timers and the cursor run on across stages.
    std::array<tman, kStreetSlots> street_figures{};
    std::int32_t spawn_cursor = 0;   // slot of the last spawn attempt
    std::int32_t customer_timer = 0; // street ticks since the last customer came
    std::int32_t hazard_timer = 0;   // street ticks since the last hazard came
    std::int32_t shelf_count = 0;    // genres on the sales table, counted every street tick

    // Sound bookkeeping.
    std::string last_sound;
    std::int32_t sound_guard = 0;
    std::vector<WaveEntry> wave_list;

    // Images: the play area, the overlay ORed onto it each frame, the background picture's decoder,
    // work surfaces (0 background picture, 1 desk, 6 composed background), sprites, the picture cache.
    Canvas cg;
    Canvas bak;
    Canvas haikei;
    std::array<Canvas, kWorkBitmaps> work_bitmaps{};
    std::array<Canvas, kCharBitmaps> char_bitmaps{};
    std::array<Canvas, kPictureCacheSlots> picture_cache{};
    std::array<std::string, kPictureCacheSlots> picture_cache_names{};
    std::int32_t picture_cache_next = 0;
    // Picture files already reported missing or broken (each is named once on standard error).
    std::unordered_set<std::string> bad_pictures;

    // Content tables.
    ItemTable item_table;
    MapTable map_table;
    ManTable man_table;
    NewsTable news_table;
    std::int32_t news_write_entry = 0;
    std::int32_t news_write_line = 0;

    // Presentation.
    MessageLog message_log{};
    LogHistory log_history;
    EffectsRing effects;
    StatusPanelState panel;

    // Shutdown: once the window has begun to close, clearing the log does nothing.
    bool closing = false;
    // The save file could not be read and no copy of it could be kept: saving must not replace it.
    bool save_blocked = false;
    // Answers for the yes/no questions from an input script, used before asking the window.
    std::deque<bool> scripted_answers;
    // The answers given to yes/no questions since the run loop last took them (it records them).
    std::vector<bool> answers_given;

    // --trace: every posted message and every sound and music start, one per line.
    std::ostream* trace = nullptr;
    void trace_line(std::string_view what, std::string_view detail);
};

// Run after every frame: money at most 999999999; hunger and fatigue within 0..100.
void clamp_stats(Game& game);
// Record index of menu_buttons, for the command runners; an empty record outside 0..2999.
const tmenu& menu_record(const Game& game, int index);
// The entry of a per-stage table (stage_clears, animal_contracts, ad_power) for a stage; null for
// a stage outside the table.
std::int32_t* stage_entry(std::array<std::int32_t, 100>& table, std::int32_t stage);
// Its value; 0 for a stage outside the table.
std::int32_t stage_value(const std::array<std::int32_t, 100>& table, std::int32_t stage);
// Makes c a black 800 x 600 surface of the play area that draws text with the game's fonts.
void make_play_area(Game& game, Canvas& c);
// A grey that pulses with a period of 8 frames (the hovered button and other blinking).
Colour blink_colour(const Game& game);

} // namespace zen
