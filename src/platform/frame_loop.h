#pragma once
// Who calls the frames: the program's own loop on the desktop, the browser's loop in a page. A
// browser page must get control back between frames, so a session is a step that runs one frame
// (with the input before it) and returns.
#include <cstdint>
#include <memory>

namespace zen {

class FrameSteps {
public:
    virtual ~FrameSteps() = default;
    // Runs the next frame, with the input due before it; false when the session is over.
    virtual bool step() = 0;
    // How long until the next frame is due (0: at once, as a headless run plays back to back).
    virtual std::int64_t ms_to_next_step() = 0;
    // Ends the session (saving) and gives the program's exit code.
    virtual int finish() = 0;
};

// Runs the steps until one says stop, then finishes and returns the exit code. In a browser it
// hands the steps to the browser's loop instead, which calls each when it is due, and the program
// ends from there with finish()'s code: this call does not come back.
int drive_frames(std::unique_ptr<FrameSteps> steps);

} // namespace zen
