#include "app/input.h"

#include "core/game_state.h"
#include "home/new_game.h"
#include "render/message_log.h"
#include "render/picture_store.h"

#include <cstdio>

namespace zen {

void on_mouse_move(Game& game, int x, int y)
{
    game.mouse_x = x;
    game.mouse_y = y;
}

void on_mouse_down(Game& game, int x, int y, MouseButton button)
{
    if (game.on_street >= 1 && button == MouseButton::left) game.fire_held = 1;
    click(game, x, y, button == MouseButton::right);
}

void on_mouse_up(Game& game, MouseButton button)
{
    game.click_pending = 0;
    if (button != MouseButton::right) game.fire_held = 0;
}

void click(Game& game, int x, int y, bool right)
{
    // Dialogue lines and the menu buttons join here with the menus.
    game.bg_dirty = 1;
    if (!right) {
        game.mouse_x = x;
        game.mouse_y = y;
        game.click_pending = 1;
    }
    if (game.title_step == kTitleStartScreen) {
        game.title_step = kTitleScreen;
        show_picture(game, "title.jpg");
        play_sound(game, "1.wav");
        play_music(game, "title_for_game.mp3");
    } else if (game.title_step == kTitleScreen) {
        game.title_step = kTitleDone;
        show_picture(game, "start.jpg");
        post_silver(game, "創作者達の戦いが動き出した....");
        play_sound(game, "1.wav");
    }
}

bool ask_yes_no(Game& game, const std::string& question)
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
    return game.platform.window->ask_yes_no(question);
}

void on_key(Game& game, const std::string& key)
{
    // Only Escape on the start screens: a reset, after three confirmations.
    if (key != "escape") return;
    if (game.title_step != kTitleStartScreen && game.title_step != kTitleScreen) return;
    if (!ask_yes_no(game, "初期化したいときは、はいを押してね")) return;
    if (!ask_yes_no(game, "初期化するけど、本当に？")) return;
    if (!ask_yes_no(game, "本当に？")) return;
    new_game(game);
}

} // namespace zen
