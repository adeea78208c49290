#pragma once
// The autoplay bot: it plays the game from the start picture through the twelve stages. It reads
// the game to decide, but acts only with the mouse events a player's hand makes (moves, presses,
// releases), handed to the run loop between frames like a player's, so a recording of its session
// replays like any other.
#include "core/input_source.h"
#include "platform/window.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace zen {

struct Game;

class Autoplay : public InputSource {
public:
    // One line per stage played goes to report (stage, cleared or game over, days, money, level).
    explicit Autoplay(std::FILE* report) : report_(report) {}

    // The hand's events for the next frame; false once the bot is finished.
    bool before_frame(Game& game, std::int64_t frame, std::int64_t deadline_ms, const Deliver& deliver) override;
    // The bot plays on until it is finished.
    bool spent(std::int64_t) const override { return false; }

    // The events to hand to the game before the next frame runs.
    std::vector<InputEvent> next_events(const Game& game);
    // True once the twelfth stage has been cleared and the game is back at the start menu.
    bool finished() const { return finished_; }
    // Stages cleared (the first time) and lost so far by this bot.
    int stages_cleared() const { return cleared_; }
    int stages_lost() const { return lost_; }

private:
    void report_stage_end(const Game& game);
    void play_title(const Game& game);
    void play_start_menu(const Game& game);
    void play_stage_select(const Game& game);
    void play_home(const Game& game);
    void play_make_game(const Game& game);
    void play_shop(const Game& game);
    void play_street(const Game& game);

    // The hand. A button is pressed only once it has slid into its place.
    bool press_button(const Game& game, int index);
    bool press_command(const Game& game, std::int32_t menu, std::int32_t command);
    void click(int x, int y);
    void right_click(int x, int y);
    void hold(int x, int y);
    void let_go();
    void push(InputEvent::Type type, int x, int y, MouseButton button);

    std::FILE* report_;
    std::vector<InputEvent> out_;
    bool holding_ = false; // the left button is down
    int mouse_x_ = -1;     // where the hand last moved the mouse
    int mouse_y_ = -1;
    int target_ = -1; // the hazard being shot
    bool finished_ = false;
    int cleared_ = 0;
    int lost_ = 0;

    // The stage being played and whether its end has been reported.
    std::int32_t stage_ = 0;
    bool reported_ = false;
    // The last stage cleared, the game minutes it took, and how often it has been played again.
    std::int32_t last_clear_stage_ = 0;
    std::int32_t last_clear_minutes_ = 0;
    int replays_ = 0;
    // The shop is looked into again only when there may be something new to buy.
    std::int32_t shop_money_ = -1; // money that buys the cheapest entry left out last time
    std::int32_t shop_level_ = -1;
    std::int32_t shop_stage_ = -1;
};

} // namespace zen
