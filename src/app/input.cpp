#include "app/input.h"

#include "app/commands.h"
#include "app/question.h"
#include "core/game_state.h"
#include "core/line_queue.h"
#include "core/saturating.h"
#include "core/texts.h"
#include "home/new_game.h"
#include "render/message_log.h"
#include "render/picture_store.h"
#include "rules/economy.h"
#include "ui/menu_buttons.h"

#include <cstdio>
#include <limits>
#include <string_view>

namespace zen {

void on_mouse_move(Game& game, int x, int y)
{
    game.mouse_x = x;
    game.mouse_y = y;
}

void on_mouse_down(Game& game, int x, int y, MouseButton button)
{
    // A click on the log takes its history view back to the newest row, and counts as every click.
    if (over_log(x, y)) show_newest_rows(game);
    if (game.on_street >= 1 && button == MouseButton::left) game.fire_held = 1;
    click(game, x, y, button == MouseButton::right);
}

void on_mouse_up(Game& game, MouseButton button)
{
    game.click_pending = 0;
    if (button != MouseButton::right) game.fire_held = 0;
}

namespace {

// The number of a script line, from its 5th character to the end: a decimal integer with an
// optional sign. Anything else counts as 0; a number beyond 32 bits stops at the limit.
std::int32_t line_number(std::string_view line)
{
    std::string_view digits = line.size() > 4 ? line.substr(4) : std::string_view{};
    bool negative = false;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) {
        negative = digits[0] == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty()) return 0;
    std::int64_t v = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return 0;
        if (v <= std::numeric_limits<std::int32_t>::max()) v = v * 10 + (c - '0');
    }
    return clamp_to_int32(negative ? -v : v);
}

// Reveals the first queued line, or runs it when it is a script command. True when the line
// asks for the next one to follow at once, as if clicked at (0, 0).
bool consume_line(Game& game)
{
    const std::string line = consume_first_line(game);
    const std::string_view head = line;
    if (head.substr(0, 3) == "cg ") {
        // A script picture: it holds the screen until "cgoff" gives the background back.
        // Only a file of the picture folder: a name with a folder in it is not looked up.
        game.cg_hold = 1;
        const std::string name = line.substr(3);
        if (name.find_first_of("/\\") == std::string::npos) show_script_picture(game, name);
        return true;
    }
    if (line == "cgoff") {
        game.cg_hold = 0;
        game.bg_dirty = 1;
        return true;
    }
    if (head.substr(0, 4) == "menu") {
        clear_line_queue(game);
        show_menu(game, line_number(line));
    } else if (head.substr(0, 4) == "gold") {
        gain_money(game, line_number(line));
    } else if (head.substr(0, 4) == "item") {
        gain_one_item(game, line_number(line));
    } else {
        post_silver(game, line);
    }
    return false;
}

} // namespace

void click(Game& game, int x, int y, bool right)
{
    // A dialogue line waits: a left click reveals it; a right click does nothing.
    while (!game.line_queue[0].empty()) {
        if (right) return;
        play_sound(game, Sound::click);
        if (!consume_line(game)) return;
        x = 0;
        y = 0;
    }

    game.bg_dirty = 1;
    if (!right) {
        game.mouse_x = x;
        game.mouse_y = y;
        game.click_pending = 1;
        run_button_pass(game);
    }
    if (game.title_step == kTitleStartScreen) {
        game.title_step = kTitleScreen;
        show_picture(game, "title.jpg");
        play_sound(game, Sound::click);
        play_music(game, Music::title);
    } else if (game.title_step == kTitleScreen) {
        game.title_step = kTitleDone;
        show_picture(game, "start.jpg");
        post_silver(game, tr(game, Text::title_begins));
        play_sound(game, Sound::click);
        show_menu(game, kMenuStart);
    } else if (right && game.back_menu != 0 && game.back_menu != game.open_menu) {
        show_menu(game, game.back_menu);
    }
}

namespace {

bool take_answer(Game& game, const std::string& question)
{
    if (!game.scripted_answers.empty()) {
        const bool yes = game.scripted_answers.front();
        game.scripted_answers.pop_front();
        return yes;
    }
    if (game.platform.headless) {
        std::fprintf(stderr, "zentrifa: no scripted answer for \"%s\"; answering no\n", question.c_str());
        return false;
    }
    return ask_in_window(game, question, game.frames_in_question);
}

} // namespace

bool ask_yes_no(Game& game, const std::string& question)
{
    const bool yes = take_answer(game, question);
    game.answers_given.push_back(yes);
    return yes;
}

void on_key(Game& game, const std::string& key)
{
    // Only Escape on the start screens: a reset, after three confirmations.
    if (key != "escape") return;
    if (game.title_step != kTitleStartScreen && game.title_step != kTitleScreen) return;
    if (!ask_yes_no(game, tr(game, Text::reset_ask_1))) return;
    if (!ask_yes_no(game, tr(game, Text::reset_ask_2))) return;
    if (!ask_yes_no(game, tr(game, Text::reset_ask_3))) return;
    new_game(game);
}

} // namespace zen
