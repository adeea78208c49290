#pragma once
// Where the run loop takes a session's input from: the window, an input script, the bot. Each
// hands the events due before a frame to the run loop's deliver, which gives them to the game and
// writes them into the recording, so every source is played and recorded alike.
#include "platform/window.h"

#include <cstdint>
#include <functional>

namespace zen {

struct Game;

class InputSource {
public:
    using Deliver = std::function<void(const InputEvent& event)>;

    InputSource() = default;
    InputSource(const InputSource&) = delete;
    InputSource& operator=(const InputSource&) = delete;
    virtual ~InputSource() = default;

    // Hands over, through deliver, the events due before frame `frame` runs; deadline_ms is the
    // clock time the frame is due (a window waits for the player's events until then). False
    // when the session ends here: the window was closed, the script says quit, the bot is done.
    virtual bool before_frame(Game& game, std::int64_t frame, std::int64_t deadline_ms, const Deliver& deliver) = 0;
    // True once nothing more will come after frame `frame`: a headless run without --frames ends
    // when every source is spent.
    virtual bool spent(std::int64_t frame) const = 0;
};

} // namespace zen
