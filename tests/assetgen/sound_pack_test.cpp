// The generated sound effects: every file the game plays exists, is 16-bit 44.1 kHz PCM, short,
// never clipped, with headroom under full scale, and the same bytes on every generation.
#include "sound/sound.h"
#include "sound/synth.h"
#include "sound/wav.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "pack_support.h"

namespace fs = std::filesystem;
using assetgen::wav::Info;

namespace {

// Every effect the game names.
const std::vector<std::string> kEffects = {
    "1.wav",        "2.wav",       "katan.wav",    "coin.wav",  "item_get.wav",    "hp.wav",       "lvup_voice.wav",
    "lvup.wav",     "kaifuku.wav", "taberu.wav",   "sleep.wav", "lvcap.wav",       "ex.wav",       "fuu.wav",
    "rpg.wav",      "bp.wav",      "skill_up.wav", "clear.wav", "battle_lvup.wav", "gameover.wav", "time.wav",
    "time2.wav",    "gun.wav",     "bom.wav",      "dog.wav",   "car.wav",         "air.wav",      "bill.wav",
    "meteo.wav",    "car2.wav",    "fall.wav",     "bom2.wav",  "lazer.wav",       "fire.wav",     "baku.wav",
    "taiatari.wav", "kid.wav",     "girl.wav",     "women.wav"};

// What is wrong with a WAV for the game, or "" when nothing is.
std::string fault(const Info& w)
{
    if (!w.ok) return w.problem;
    if (w.bits != 16 || w.rate != 44100) return "not 16-bit 44.1 kHz";
    if (w.channels != 1 && w.channels != 2) return "odd channel count";
    if (w.clipped > 0) return "clipped";
    if (w.peak_db > -1.0) return "peak above -1 dBFS";
    return "";
}

using pack_test::bytes;
using pack_test::fresh_dir;

class SoundPack : public pack_test::GeneratedPack<assetgen::sound::generate> {};

} // namespace

TEST_F(SoundPack, EveryEffectIsShortUnclippedPcmWithHeadroom)
{
    ASSERT_TRUE(pack_ok) << pack_error;
    int long_ones = 0;
    for (const std::string& name : kEffects) {
        SCOPED_TRACE(name);
        Info w = assetgen::wav::inspect(pack_dir / name);
        EXPECT_EQ(fault(w), "");
        EXPECT_GT(w.seconds, 0.03);
        EXPECT_LE(w.seconds, 2.5);
        EXPECT_GT(w.peak_db, -6.0) << "far too quiet";
        if (w.seconds > 1.5) ++long_ones;
    }
    EXPECT_LT(assetgen::wav::inspect(pack_dir / "1.wav").seconds, 0.15) << "a click must stay a click";
    EXPECT_LE(long_ones * 5, static_cast<int>(kEffects.size())) << "most effects stay under 1.5 s";
}

TEST_F(SoundPack, SoundsAreNotSilentThroughout)
{
    ASSERT_TRUE(pack_ok) << pack_error;
    // A sound whose first half is near silence would start late in the game.
    for (const std::string& name : kEffects) {
        SCOPED_TRACE(name);
        Info w = assetgen::wav::inspect(pack_dir / name);
        ASSERT_TRUE(w.ok);
        std::vector<char> d = bytes(pack_dir / name);
        std::size_t samples = (d.size() - 44) / 2, loud = 0;
        for (std::size_t i = 0; i < samples / 2; ++i) {
            auto s = static_cast<std::int16_t>(static_cast<unsigned char>(d[44 + 2 * i]) |
                                               static_cast<unsigned char>(d[45 + 2 * i]) << 8);
            if (std::abs(s) > 3000) ++loud;
        }
        EXPECT_GT(loud, 20u);
    }
}

TEST(SoundCheck, ClippedOrDamagedFilesAreCaught)
{
    fs::path dir = fresh_dir("sound_bad");
    std::string error;
    // A sine driven past full scale: the top of every cycle is cut flat.
    assetgen::synth::Buffer hot(4410);
    for (std::size_t i = 0; i < hot.size(); ++i)
        hot[i] = 1.4 * std::sin(2.0 * 3.14159265358979 * 440.0 * static_cast<double>(i) / 44100.0);
    ASSERT_TRUE(assetgen::wav::write(dir / "hot.wav", assetgen::wav::quantize(hot), 1, 44100, error)) << error;
    Info w = assetgen::wav::inspect(dir / "hot.wav");
    EXPECT_TRUE(w.ok);
    EXPECT_GT(w.clipped, 100u);
    EXPECT_EQ(fault(w), "clipped");

    // Just under full scale but louder than -1 dBFS: no headroom.
    assetgen::synth::Buffer loud = hot;
    assetgen::synth::normalize(loud, -0.5);
    ASSERT_TRUE(assetgen::wav::write(dir / "loud.wav", assetgen::wav::quantize(loud), 1, 44100, error));
    EXPECT_EQ(fault(assetgen::wav::inspect(dir / "loud.wav")), "peak above -1 dBFS");

    // The same at -1.5 dBFS passes, and its length is what was written.
    assetgen::synth::normalize(loud, -1.5);
    ASSERT_TRUE(assetgen::wav::write(dir / "fine.wav", assetgen::wav::quantize(loud), 1, 44100, error));
    Info fine = assetgen::wav::inspect(dir / "fine.wav");
    EXPECT_EQ(fault(fine), "");
    EXPECT_EQ(fine.frames, 4410u);
    EXPECT_NEAR(fine.peak_db, -1.5, 0.01);

    // A file cut short in its data chunk, and one that is not a WAV at all.
    std::vector<char> d = bytes(dir / "fine.wav");
    std::ofstream(dir / "cut.wav", std::ios::binary).write(d.data(), 100);
    EXPECT_FALSE(assetgen::wav::inspect(dir / "cut.wav").ok);
    std::ofstream(dir / "text.wav") << "not a sound";
    EXPECT_FALSE(assetgen::wav::inspect(dir / "text.wav").ok);
    EXPECT_FALSE(assetgen::wav::inspect(dir / "missing.wav").ok);
    fs::remove_all(dir);
}

TEST_F(SoundPack, TwoGenerationsAreByteIdentical)
{
    ASSERT_TRUE(pack_ok) << pack_error;
    fs::path again = fresh_dir("sound_b");
    std::string error;
    ASSERT_TRUE(assetgen::sound::generate(again, error)) << error;
    for (const std::string& name : kEffects) {
        SCOPED_TRACE(name);
        std::vector<char> a = bytes(pack_dir / name), b = bytes(again / name);
        EXPECT_FALSE(a.empty());
        EXPECT_TRUE(a == b);
    }
    fs::remove_all(again);
}
