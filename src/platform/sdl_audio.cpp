// The audio service of a window run: SDL2_mixer on the default sound device. Effects play on
// mixer channels, each start on a free one, so an effect started again plays over itself; when
// every channel is busy the mixer gets more, up to kMaxVoices. Music is one MP3 played once.
#include "platform/audio.h"
#include "platform/sound_files.h"
#include "platform/system.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <set>
#include <vector>

namespace zen {

namespace {

// Enough for every hazard, shot and cry of a busy street at once; an unbounded number of voices
// would let a runaway sound starve the machine.
constexpr int kMaxVoices = 256;
constexpr int kStartVoices = 16;

// Keeps a decoder's complaints about a damaged file (libmpg123 writes them to standard error)
// off the player's terminal while a file is opened.
class QuietStderr {
public:
    QuietStderr()
    {
        std::fflush(stderr);
        saved_ = ::dup(2);
        int null = ::open(null_device(), O_WRONLY);
        if (saved_ >= 0 && null >= 0) ::dup2(null, 2);
        if (null >= 0) ::close(null);
    }
    ~QuietStderr()
    {
        std::fflush(stderr);
        if (saved_ >= 0) {
            ::dup2(saved_, 2);
            ::close(saved_);
        }
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_ = -1;
};

class SdlAudio final : public Audio {
public:
    SdlAudio() = default;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    ~SdlAudio() override
    {
        if (!opened_) return;
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
        if (music_) Mix_FreeMusic(music_);
        for (Mix_Chunk* c : chunks_) Mix_FreeChunk(c);
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    bool open()
    {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        Mix_Init(MIX_INIT_MP3);
        if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
            Mix_Quit();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        voices_ = Mix_AllocateChannels(kStartVoices);
        opened_ = true;
        return true;
    }

    int load_effect(const std::string& file) override
    {
        // Read by the game, checked, then decoded from memory: SDL never opens a pipe or a folder
        // or trusts a chunk size that runs past the file.
        std::string bytes;
        if (!read_sound_file(file, bytes) || !looks_like_wav(bytes)) return -1;
        int rate = 0;
        Uint16 format = 0;
        int channels = 0;
        if (Mix_QuerySpec(&rate, &format, &channels) == 0) return -1;
        const int frame_bytes = static_cast<int>(SDL_AUDIO_BITSIZE(format)) / 8 * channels;
        if (wav_converted_bytes(bytes, rate, frame_bytes) > kConvertedSoundLimit) {
            std::fprintf(stderr,
                         "zentrifa: sound %s: would take more than %llu MB once converted for the sound "
                         "device; it stays silent\n",
                         file.c_str(), static_cast<unsigned long long>(kConvertedSoundLimit >> 20));
            return -1;
        }
        Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
        if (!chunk) return -1;
        chunks_.push_back(chunk);
        return static_cast<int>(chunks_.size()) - 1;
    }

    void set_paused(bool paused) override
    {
        if (paused) {
            Mix_PauseMusic();
            Mix_Pause(-1);
        } else {
            Mix_ResumeMusic();
            Mix_Resume(-1);
        }
    }

    void play_effect(int handle, double gain) override
    {
        if (handle < 0 || handle >= static_cast<int>(chunks_.size())) return;
        int channel = Mix_GroupAvailable(-1);
        if (channel < 0 && voices_ < kMaxVoices) {
            int before = voices_;
            voices_ = Mix_AllocateChannels(std::min(kMaxVoices, voices_ * 2));
            channel = voices_ > before ? before : -1;
        }
        if (channel < 0) return; // every voice busy at the cap: this start is dropped
        // The volume belongs to this start only: set it on the channel before the sound begins.
        const int volume = static_cast<int>(std::lround(std::clamp(gain, 0.0, 1.0) * MIX_MAX_VOLUME));
        Mix_Volume(channel, volume);
        Mix_PlayChannel(channel, chunks_[static_cast<std::size_t>(handle)], 0);
    }

    void play_music(const std::string& file) override
    {
        if (broken_music_.contains(file)) { // failed before: not read again, and the music stays stopped
            Mix_HaltMusic();
            return;
        }
        Mix_Music* next = nullptr;
        // The decoder reads the music from memory as it plays: the bytes live as long as it does.
        auto bytes = std::make_unique<std::string>();
        std::string error;
        if (read_music_file(file, *bytes, error)) {
            QuietStderr quiet;
            next = Mix_LoadMUS_RW(SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size())), 1);
            if (!next) error = file + ": " + Mix_GetError();
        }
        if (!next) {
            // A file that cannot be opened still closes what was open: the music stops.
            Mix_HaltMusic();
            broken_music_.insert(file);
            say_music_stays_silent(error);
            return;
        }
        Mix_HaltMusic();
        if (music_) Mix_FreeMusic(music_);
        music_ = next;
        music_bytes_ = std::move(bytes);
        int played = 0;
        {
            QuietStderr quiet;
            played = Mix_PlayMusic(music_, 0);
        }
        if (played != 0 && broken_music_.insert(file).second) say_music_stays_silent(file + ": " + Mix_GetError());
    }

    void stop_music() override { Mix_HaltMusic(); }

private:
    std::vector<Mix_Chunk*> chunks_;
    Mix_Music* music_ = nullptr;
    std::unique_ptr<std::string> music_bytes_; // what music_ decodes
    std::set<std::string> broken_music_;
    int voices_ = 0;
    bool opened_ = false;
};

} // namespace

std::unique_ptr<Audio> make_sdl_audio()
{
    auto audio = std::make_unique<SdlAudio>();
    if (!audio->open()) return make_silent_audio(); // no sound device: play on silently
    return audio;
}

} // namespace zen
