// The audio service without a device: a headless run, or a machine without sound. It reads and
// checks effect and music files like the real one, so the game's bookkeeping and what it says of a
// bad file are the same, and plays nothing.
#include "platform/audio.h"
#include "platform/sound_files.h"

#include <set>

namespace zen {

namespace {

class SilentAudio final : public Audio {
public:
    int load_effect(const std::string& file) override
    {
        std::string bytes;
        if (!read_sound_file(file, bytes) || !looks_like_wav(bytes)) return -1;
        return next_++;
    }
    void play_effect(int, double) override {}
    void play_music(const std::string& file) override
    {
        // Each file is checked once; one that fails is named once.
        if (!checked_.insert(file).second) return;
        std::string bytes;
        std::string error;
        if (!read_music_file(file, bytes, error)) say_music_stays_silent(error);
    }
    void stop_music() override {}

private:
    int next_ = 0;
    std::set<std::string> checked_; // music files read
};

} // namespace

std::unique_ptr<Audio> make_silent_audio() { return std::make_unique<SilentAudio>(); }

} // namespace zen
