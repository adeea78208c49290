// The audio service without a device: a headless run, or a machine without sound. It reads and
// checks effect files like the real one, so the game's bookkeeping is the same, and plays nothing.
#include "platform/audio.h"
#include "platform/sound_files.h"

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
    void play_music(const std::string&) override {}
    void stop_music() override {}

private:
    int next_ = 0;
};

} // namespace

std::unique_ptr<Audio> make_silent_audio() { return std::make_unique<SilentAudio>(); }

} // namespace zen
