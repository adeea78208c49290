#pragma once
// A game controller played as the mouse. The left stick moves a pointer of the game's own over the
// play area (a radial dead zone, a curve that is gentle near the middle, the speed by the time
// passed, slower while a shoulder button is held); A and the right trigger are the left button
// (held, they hold it: the street's gun fires), B is the right click (back), the d-pad jumps to the
// previous or next button of the menu column and out into the play area and back, and the right
// stick scrolls the message log. What it does reaches the game as the mouse's own events, so a
// recording and its replay do not care which was played.
#include "core/input_source.h"

#include <cstdint>

namespace zen {

struct Game;

struct PadFeel {
    double speed = 1.0;     // the pointer's top speed, times 900 pixels a second
    double dead_zone = 0.2; // of the stick's travel, ignored around its middle
};

class PadPointer {
public:
    explicit PadPointer(PadFeel feel = {}) : feel_(feel) {}

    // Takes a pad event (pad_down, pad_up, pad_axis, pad_gone) at clock time now_ms; false for any
    // other. The mouse events it makes go to deliver.
    bool on_event(Game& game, const InputEvent& e, std::int64_t now_ms, const InputSource::Deliver& deliver);
    // Moves the pointer by the sticks for the time since the last step.
    void step(Game& game, std::int64_t now_ms, const InputSource::Deliver& deliver);
    // True while a stick is held away from its middle: the window should step the pointer often.
    bool moving() const;
    // The mouse moved: the pointer hides until the pad is used again.
    void hide() { visible_ = false; }
    // Lets go of everything held (after a pause, or when the pad is unplugged).
    void release(Game& game, const InputSource::Deliver& deliver);

    bool visible() const { return visible_; }
    int x() const { return static_cast<int>(x_); }
    int y() const { return static_cast<int>(y_); }

private:
    void move_to(Game& game, double x, double y, const InputSource::Deliver& deliver);
    void jump(Game& game, int direction, const InputSource::Deliver& deliver);
    void press(Game& game, bool down, const InputSource::Deliver& deliver);
    void wake(const Game& game);

    PadFeel feel_;
    bool visible_ = false;
    double x_ = 0;
    double y_ = 0;
    double stick_x_ = 0; // -1..1
    double stick_y_ = 0;
    double scroll_y_ = 0; // the right stick, -1..1
    double scroll_owed_ = 0;
    bool a_held_ = false;
    bool trigger_held_ = false;
    bool left_pressed_ = false;
    int shoulders_ = 0;
    std::int64_t last_step_ms_ = -1;
};

} // namespace zen
