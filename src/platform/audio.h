#pragma once
// The sound device and the music player, behind one narrow interface. A window run uses
// SDL2_mixer; a headless run (or a machine without a sound device) uses the silent one, which
// keeps the same bookkeeping and plays nothing.
#include <memory>
#include <string>

namespace zen {

class Audio {
public:
    virtual ~Audio() = default;

    // Reads a WAV effect. Returns a handle >= 0, or -1 when the file is missing or unreadable.
    virtual int load_effect(const std::string& file) = 0;
    // Starts a loaded effect once, at a linear gain 0..1, on a voice of its own, so an effect
    // started again plays over its earlier playback. Unknown handles are ignored.
    virtual void play_effect(int handle, double gain) = 0;
    // Opens a music file (closing what was open) and plays it once from the start; failures are silent.
    virtual void play_music(const std::string& file) = 0;
    virtual void stop_music() = 0;
    // Holds every sound where it is (the music and the effects still sounding) while the game is
    // paused, and lets them go on from there.
    virtual void set_paused(bool /*paused*/) {}
};

// SDL2_mixer on the default device; falls back to the silent backend when there is no device.
std::unique_ptr<Audio> make_sdl_audio();
std::unique_ptr<Audio> make_silent_audio();

} // namespace zen
