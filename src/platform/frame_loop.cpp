#include "platform/frame_loop.h"

namespace zen {

// On the desktop the steps wait for their own frames (the window's input until the tick is due).
int drive_frames(std::unique_ptr<FrameSteps> steps)
{
    while (steps->step()) {
    }
    return steps->finish();
}

} // namespace zen
