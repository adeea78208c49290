#pragma once
// The run loop's input sources besides the bot: an input script and the game window.
#include "app/input_script.h"
#include "app/pad_pointer.h"
#include "core/input_source.h"

#include <vector>

namespace zen {

// The events of an input script, each before its frame, in file order. Spent after the frame of
// its last event (frame 1 for an empty script).
class ScriptSource : public InputSource {
public:
    explicit ScriptSource(const std::vector<ScriptEvent>& script);
    bool before_frame(Game& game, std::int64_t frame, std::int64_t deadline_ms, const Deliver& deliver) override;
    bool spent(std::int64_t frame) const override { return frame > last_frame_; }

private:
    const std::vector<ScriptEvent>& script_;
    std::size_t next_ = 0;
    std::int64_t last_frame_ = 1;
};

// The player's events from the window as they come, until the frame is due; a game controller's
// become the mouse's (its pointer moves on between the game's frames, a hundred times a second).
class WindowSource : public InputSource {
public:
    explicit WindowSource(PadFeel feel = {}) : pointer_(feel) {}
    bool before_frame(Game& game, std::int64_t frame, std::int64_t deadline_ms, const Deliver& deliver) override;
    bool spent(std::int64_t) const override { return false; }
    const PadPointer& pointer() const { return pointer_; }

private:
    PadPointer pointer_;
};

} // namespace zen
