// Sound effects and music by name: the repeat guard, the volume, lazy loading, silent failures, and
// the names against the files the asset pack writes.
#include "core/sound.h"

#include "core/game_state.h"
#include "platform/sound_files.h"
#include "test_support.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace zen {
namespace {

// Checks files like the headless service does, and writes down every call.
class RecordingAudio final : public Audio {
public:
    int load_effect(const std::string& file) override
    {
        ++loads[std::filesystem::path(file).filename().string()];
        return inner->load_effect(file);
    }
    void play_effect(int handle, double gain) override { plays.push_back({handle, gain}); }
    void play_music(const std::string& file) override { music.push_back(file); }
    void stop_music() override { music.push_back("(stop)"); }

    struct Play {
        int handle;
        double gain;
    };
    std::unique_ptr<Audio> inner = make_silent_audio();
    std::map<std::string, int> loads;
    std::vector<Play> plays;
    std::vector<std::string> music;
};

struct SoundGame {
    explicit SoundGame(const std::filesystem::path& data_dir = {}) : tg(1, data_dir)
    {
        auto a = std::make_unique<RecordingAudio>();
        audio = a.get();
        tg.platform.audio = std::move(a);
        tg->trace = &trace;
    }
    Game& game() { return *tg; }
    void next_frame() { count_down_sound_guard(*tg); }
    test::TestGame tg;
    RecordingAudio* audio = nullptr;
    std::ostringstream trace;
};

} // namespace

TEST(Sound, SameNameOncePerFrameDifferentNamesLetItThrough)
{
    SoundGame s;
    play_sound(s.game(), Sound::gunshot);
    play_sound(s.game(), Sound::gunshot); // two hits in one frame: heard once
    EXPECT_EQ(s.audio->plays.size(), 1u);

    s.next_frame();
    play_sound(s.game(), Sound::gunshot); // the next frame: again, over the first
    EXPECT_EQ(s.audio->plays.size(), 2u);
    EXPECT_EQ(s.audio->plays[0].handle, s.audio->plays[1].handle);

    s.next_frame();
    play_sound(s.game(), Sound::gunshot);
    play_sound(s.game(), Sound::small_blast);
    play_sound(s.game(), Sound::gunshot); // another name in between lets it through in the same frame
    EXPECT_EQ(s.audio->plays.size(), 5u);
    EXPECT_EQ(s.trace.str(), "sound gun.wav\nsound gun.wav\nsound gun.wav\nsound bom.wav\nsound gun.wav\n");

    // The guard lasts one tick: cleared at the start of the next.
    EXPECT_EQ(s.game().last_sound, "gun.wav");
    s.next_frame();
    EXPECT_EQ(s.game().last_sound, "");
    EXPECT_EQ(s.game().sound_guard, 0);

    // None plays nothing and leaves the guard alone.
    play_sound(s.game(), Sound::coin);
    play_sound(s.game(), Sound::none);
    play_sound(s.game(), Sound::coin);
    EXPECT_EQ(s.audio->plays.size(), 6u);
}

TEST(Sound, VolumeInHundredthsOfADecibel)
{
    EXPECT_DOUBLE_EQ(volume_gain(0), 1.0);
    EXPECT_NEAR(volume_gain(-1100), 0.2818383, 1e-6); // -11 dB
    EXPECT_NEAR(volume_gain(-4000), 0.01, 1e-12);     // -40 dB, the quietest step
    EXPECT_NEAR(volume_gain(-2000), 0.1, 1e-12);
    // Outside the range the ends hold.
    EXPECT_NEAR(volume_gain(-9000), 0.01, 1e-12);
    EXPECT_DOUBLE_EQ(volume_gain(300), 1.0);
}

TEST(Sound, ChangedVolumeAppliesToAnAlreadyLoadedEffect)
{
    SoundGame s;
    s.game().my.volume = 0;
    play_sound(s.game(), Sound::coin);
    s.next_frame();
    s.game().my.volume = -2000;
    play_sound(s.game(), Sound::coin);
    s.next_frame();
    s.game().my.volume = -4000;
    play_sound(s.game(), Sound::coin);
    ASSERT_EQ(s.audio->plays.size(), 3u);
    EXPECT_DOUBLE_EQ(s.audio->plays[0].gain, 1.0);
    EXPECT_NEAR(s.audio->plays[1].gain, 0.1, 1e-12);
    EXPECT_NEAR(s.audio->plays[2].gain, 0.01, 1e-12);
    EXPECT_EQ(s.audio->loads["coin.wav"], 1);
}

TEST(Sound, EffectsLoadLazilyOnceEachInAListThatOnlyGrows)
{
    SoundGame s;
    EXPECT_TRUE(s.game().wave_list.empty());
    EXPECT_TRUE(s.audio->loads.empty()) << "nothing is read before it is played";
    for (int frame = 0; frame < 5; ++frame) {
        play_sound(s.game(), Sound::coin);
        play_sound(s.game(), Sound::pay);
        s.next_frame();
    }
    EXPECT_EQ(s.audio->loads["coin.wav"], 1);
    EXPECT_EQ(s.audio->loads["katan.wav"], 1);
    ASSERT_EQ(s.game().wave_list.size(), 2u);
    EXPECT_EQ(s.game().wave_list[0].name, "coin.wav");
    EXPECT_EQ(s.game().wave_list[1].name, "katan.wav");
    EXPECT_EQ(s.audio->plays.size(), 10u);
}

TEST(Sound, MissingEmptyOrDamagedFilesStaySilentAndAreTriedOnce)
{
    test::TempDir data;
    std::filesystem::create_directories(data.path() / "dat");
    // coin.wav is not there at all.
    test::write_file(data.path() / "dat" / "katan.wav", "");
    test::write_file(data.path() / "dat" / "gun.wav", "RIFF\x10junk, not a wave");
    std::filesystem::create_directories(data.path() / "dat" / "bom.wav");
    ASSERT_EQ(::mkfifo((data.path() / "dat" / "hp.wav").c_str(), 0644), 0);
    const Sound sounds[] = {Sound::coin, Sound::pay, Sound::gunshot, Sound::small_blast, Sound::energy_up};
    SoundGame s(data.path());
    for (int frame = 0; frame < 4; ++frame) {
        for (Sound sound : sounds) play_sound(s.game(), sound);
        s.next_frame();
    }
    EXPECT_TRUE(s.audio->plays.empty());
    for (Sound sound : sounds) {
        const std::string file(sound_file(sound));
        EXPECT_EQ(s.audio->loads[file], 1) << file;
    }
    ASSERT_EQ(s.game().wave_list.size(), 5u);
    for (const WaveEntry& e : s.game().wave_list) EXPECT_EQ(e.handle, -1) << e.name;
}

TEST(Sound, MusicStartsAndStops)
{
    SoundGame s;
    stop_music(s.game()); // nothing playing: nothing to see
    EXPECT_EQ(s.trace.str(), "");
    play_music(s.game(), Music::title);
    stop_music(s.game());
    ASSERT_EQ(s.audio->music.size(), 3u);
    EXPECT_EQ(s.audio->music[0], "(stop)");
    EXPECT_EQ(std::filesystem::path(s.audio->music[1]), s.game().platform.paths.sound("title_for_game.mp3"));
    EXPECT_EQ(s.audio->music[2], "(stop)");
    EXPECT_EQ(s.trace.str(), "music title_for_game.mp3\n");

    // A music file that is not there is still handed to the player (which stays silent), by its
    // path in dat/, and shows in the trace like any other start.
    test::TempDir empty;
    SoundGame bare(empty.path());
    play_music(bare.game(), Music::universe);
    ASSERT_EQ(bare.audio->music.size(), 1u);
    EXPECT_EQ(std::filesystem::path(bare.audio->music[0]), empty.path() / "dat" / "universe_for_game.mp3");
    EXPECT_EQ(bare.trace.str(), "music universe_for_game.mp3\n");
}

// Every sound and piece of music the game names is a file of the generated pack, and every
// effect and piece the pack holds is one the game plays.
TEST(SoundNames, NameExactlyTheFilesOfThePack)
{
    const std::filesystem::path dat = test::build_dir() / "dat";
    std::set<std::string> named;
    for (const SoundName& n : kSoundNames) {
        if (n.sound == Sound::none) {
            EXPECT_EQ(n.file, "");
            continue;
        }
        const std::string file(n.file);
        EXPECT_TRUE(named.insert(file).second) << file << " is named twice";
        EXPECT_TRUE(std::filesystem::is_regular_file(dat / file)) << file << " is not in " << dat;
        EXPECT_EQ(std::filesystem::path(file).extension(), ".wav") << file;
    }
    for (const MusicName& n : kMusicNames) {
        const std::string file(n.file);
        EXPECT_TRUE(named.insert(file).second) << file << " is named twice";
        EXPECT_TRUE(std::filesystem::is_regular_file(dat / file)) << file << " is not in " << dat;
        EXPECT_EQ(std::filesystem::path(file).extension(), ".mp3") << file;
    }
    for (const auto& entry : std::filesystem::directory_iterator(dat)) {
        const std::string ext = entry.path().extension().string();
        const std::string file = entry.path().filename().string();
        if (ext != ".wav" && ext != ".mp3") continue;
        EXPECT_TRUE(named.count(file)) << file << " is in the pack but the game never plays it";
    }
}

// The SDL2_mixer service on SDL's dummy device: real loading, real voices.
class SdlMixer : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        audio = make_sdl_audio();
        if (Mix_QuerySpec(nullptr, nullptr, nullptr) == 0) GTEST_SKIP() << "no dummy audio device";
    }
    void TearDown() override { audio.reset(); }
    std::unique_ptr<Audio> audio;
};

TEST_F(SdlMixer, VoicesGrowWhenAllAreBusyUpToTheCap)
{
    const auto dat = test::build_dir() / "dat";
    int h = audio->load_effect((dat / "clear.wav").string()); // two seconds: every voice stays busy
    ASSERT_GE(h, 0);
    EXPECT_EQ(audio->load_effect((dat / "no_such.wav").string()), -1);
    test::TempDir dir;
    test::write_file(dir.path() / "cut.wav", std::string("RIFF\x24\x08\0\0WAVEfmt \x10\0\0\0", 20));
    EXPECT_EQ(audio->load_effect((dir.path() / "cut.wav").string()), -1) << "a wave cut off in its header";
    std::filesystem::create_directory(dir.path() / "folder.wav");
    ASSERT_EQ(::mkfifo((dir.path() / "pipe.wav").c_str(), 0644), 0);
    EXPECT_EQ(audio->load_effect((dir.path() / "folder.wav").string()), -1);
    EXPECT_EQ(audio->load_effect((dir.path() / "pipe.wav").string()), -1) << "a pipe is never opened for reading";
    for (int i = 0; i < 40; ++i) audio->play_effect(h, 0.5);
    EXPECT_GE(Mix_Playing(-1), 40) << "each start has a voice of its own";
    for (int i = 0; i < 300; ++i) audio->play_effect(h, 0.5);
    EXPECT_EQ(Mix_AllocateChannels(-1), 256);
    EXPECT_LE(Mix_Playing(-1), 256);
    audio->play_effect(h + 100, 1.0); // an unknown handle is ignored
}

// A WAV of 8-bit mono samples at the given rate.
static std::string wav(int rate, std::size_t samples)
{
    const auto le = [](std::uint32_t v, int n) {
        std::string out;
        for (int i = 0; i < n; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
        return out;
    };
    const auto size = static_cast<std::uint32_t>(samples);
    return "RIFF" + le(36 + size, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) +
           le(static_cast<std::uint32_t>(rate), 4) + le(static_cast<std::uint32_t>(rate), 4) + le(1, 2) + le(8, 2) +
           "data" + le(size, 4) + std::string(samples, '\x80');
}

TEST_F(SdlMixer, AnEffectThatWouldGrowPastItsLimitOnceConvertedStaysSilent)
{
    test::TempDir dir;
    // A kilobyte at one sample a second: some 170 MB at the device's rate.
    test::write_file(dir.path() / "slow.wav", wav(1, 1000));
    test::write_file(dir.path() / "fine.wav", wav(8000, 1000));
    EXPECT_EQ(audio->load_effect((dir.path() / "slow.wav").string()), -1);
    EXPECT_GE(audio->load_effect((dir.path() / "fine.wav").string()), 0);
    EXPECT_GT(wav_converted_bytes(wav(1, 1000), 44100, 4), kConvertedSoundLimit);
    EXPECT_LT(wav_converted_bytes(wav(8000, 1000), 44100, 4), 30000u);
}

namespace {

// Music files that cannot play, each started twice (and the good one after them): each is named
// on one line of standard error, once.
void play_bad_music(Audio& audio, const std::filesystem::path& dir)
{
    test::write_file(dir / "bad.mp3", std::string(4000, '\xff'));
    test::write_file(dir / "empty.mp3", "");
    std::filesystem::create_directory(dir / "folder.mp3");
    ASSERT_EQ(::mkfifo((dir / "pipe.mp3").c_str(), 0644), 0);
    std::string noise;
    std::uint32_t x = 7;
    for (int i = 0; i < 20000; ++i) noise += static_cast<char>((x = x * 1664525u + 1013904223u) >> 24);
    test::write_file(dir / "noise.mp3", noise);
    // A real piece whose first bytes were written over.
    std::string damaged = test::read_file(test::build_dir() / "dat" / "title_for_game.mp3");
    ASSERT_GT(damaged.size(), 20000u);
    damaged.replace(0, 8000, noise.substr(0, 8000));
    test::write_file(dir / "damaged.mp3", damaged);
    const std::vector<std::string> bad = {"bad.mp3",  "empty.mp3", "gone.mp3",   "folder.mp3",
                                          "pipe.mp3", "noise.mp3", "damaged.mp3"};
    testing::internal::CaptureStderr();
    audio.stop_music(); // nothing open yet
    for (int round = 0; round < 2; ++round)
        for (const std::string& name : bad) audio.play_music((dir / name).string());
    audio.play_music((test::build_dir() / "dat" / "title_for_game.mp3").string());
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), static_cast<long>(bad.size())) << said;
    for (const std::string& name : bad)
        EXPECT_NE(said.find("zentrifa: music " + (dir / name).string() + ": "), std::string::npos) << name << said;
    EXPECT_EQ(said.find("title_for_game"), std::string::npos) << said;
}

} // namespace

TEST(Sound, AHeadlessRunNamesEachMusicFileThatCannotPlayOnce)
{
    test::TempDir dir;
    auto audio = make_silent_audio();
    play_bad_music(*audio, dir.path());
}

TEST_F(SdlMixer, MusicThatFailsStaysSilent)
{
    test::TempDir dir;
    play_bad_music(*audio, dir.path());
    audio->stop_music();
    for (const char* name : {"bad.mp3", "empty.mp3", "gone.mp3", "bad.mp3", "folder.mp3", "pipe.mp3"})
        audio->play_music((dir.path() / name).string());
    EXPECT_EQ(Mix_PlayingMusic(), 0);
    audio->play_music((test::build_dir() / "dat" / "title_for_game.mp3").string());
    EXPECT_EQ(Mix_PlayingMusic(), 1);
    audio->stop_music();
    EXPECT_EQ(Mix_PlayingMusic(), 0);
}

} // namespace zen
