// The generated music: both tracks decode (with libmpg123) to exactly the length we
// rendered, one to two minutes, unclipped, and come out byte-identical on every generation.
#include "music/music.h"
#include "music/pieces.h"
#include "sound/wav.h"

#include <gtest/gtest.h>
#include <mpg123.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

#include "pack_support.h"

namespace fs = std::filesystem;

namespace {

using pack_test::bytes;
using pack_test::fresh_dir;

class MusicPack : public pack_test::GeneratedPack<assetgen::music::generate> {
protected:
    // Decodes with libmpg123 (the decoder the game's mixer plays MP3 through), which honours the LAME
    // tag's delay and padding, into a WAV beside the track, and measures that.
    static assetgen::wav::Info decode(const std::string& name)
    {
        assetgen::wav::Info failed;
        mpg123_handle* h = mpg123_new(nullptr, nullptr);
        if (!h) return failed;
        long rate = 0;
        int channels = 0;
        int encoding = 0;
        std::vector<std::int16_t> pcm;
        bool ok = mpg123_param(h, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET, 0.0) == MPG123_OK &&
                  mpg123_open(h, (pack_dir / name).c_str()) == MPG123_OK &&
                  mpg123_getformat(h, &rate, &channels, &encoding) == MPG123_OK && encoding == MPG123_ENC_SIGNED_16;
        if (ok) {
            std::vector<unsigned char> chunk(1 << 16);
            for (;;) {
                std::size_t got = 0;
                const int r = mpg123_read(h, chunk.data(), chunk.size(), &got);
                const auto* samples = reinterpret_cast<const std::int16_t*>(chunk.data());
                pcm.insert(pcm.end(), samples, samples + got / 2);
                if (r == MPG123_DONE) break;
                if (r != MPG123_OK && r != MPG123_NEW_FORMAT) {
                    ok = false;
                    break;
                }
            }
        }
        mpg123_close(h);
        mpg123_delete(h);
        if (!ok) return failed;
        const fs::path out = pack_dir / (name + ".wav");
        std::string error;
        if (!assetgen::wav::write(out, pcm, channels, static_cast<int>(rate), error)) return failed;
        return assetgen::wav::inspect(out);
    }
};

} // namespace

TEST_F(MusicPack, TracksDecodeToTheRenderedLength)
{
    ASSERT_TRUE(pack_ok) << pack_error;
    struct Track {
        const char* file;
        assetgen::music::Stereo (*render)();
    };
    for (Track t : {Track{"title_for_game.mp3", assetgen::music::title_theme},
                    Track{"universe_for_game.mp3", assetgen::music::universe_theme}}) {
        SCOPED_TRACE(t.file);
        assetgen::wav::Info w = decode(t.file);
        ASSERT_TRUE(w.ok) << w.problem;
        EXPECT_EQ(w.channels, 2);
        EXPECT_EQ(w.rate, 44100);
        EXPECT_GE(w.seconds, 60.0);
        EXPECT_LE(w.seconds, 120.0);
        // Exactly the rendered samples: the LAME tag lets the decoder drop the encoder's padding.
        EXPECT_EQ(w.frames, t.render().l.size());
        EXPECT_EQ(w.clipped, 0u);
        EXPECT_GT(w.peak_db, -6.0);
    }
}

TEST_F(MusicPack, FilesCarryTheLameTag)
{
    ASSERT_TRUE(pack_ok) << pack_error;
    for (const char* name : {"title_for_game.mp3", "universe_for_game.mp3"}) {
        std::vector<char> d = bytes(pack_dir / name);
        ASSERT_GT(d.size(), 1000u);
        EXPECT_EQ(static_cast<unsigned char>(d[0]), 0xFF) << "starts with a frame, not an ID3 tag";
        std::string head(d.begin(), d.begin() + 400);
        EXPECT_NE(head.find("Info"), std::string::npos) << name;
        EXPECT_NE(head.find("LAME"), std::string::npos) << name;
    }
}

TEST_F(MusicPack, TwoGenerationsAreByteIdentical)
{
    ASSERT_TRUE(pack_ok) << pack_error;
    fs::path again = fresh_dir("music_b");
    std::string error;
    ASSERT_TRUE(assetgen::music::generate(again, error)) << error;
    for (const char* name : {"title_for_game.mp3", "universe_for_game.mp3"}) {
        SCOPED_TRACE(name);
        std::vector<char> a = bytes(pack_dir / name), b = bytes(again / name);
        EXPECT_FALSE(a.empty());
        EXPECT_TRUE(a == b);
    }
    fs::remove_all(again);
}

TEST(MusicNotation, NamesAndLengths)
{
    using assetgen::music::note_number;
    EXPECT_EQ(note_number("C4"), 60);
    EXPECT_EQ(note_number("A4"), 69);
    EXPECT_EQ(note_number("Bb3"), 58);
    EXPECT_EQ(note_number("F#5"), 78);
    EXPECT_EQ(note_number("H4"), -1);
    EXPECT_EQ(note_number("C"), -1);
    EXPECT_EQ(note_number("C#"), -1);

    double end = 0.0;
    auto notes = assetgen::music::parse("E5:2 r:2 C6:3 G5:1", 8.0, &end);
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_DOUBLE_EQ(notes[0].beat, 8.0);
    EXPECT_DOUBLE_EQ(notes[1].beat, 10.0); // after the rest
    EXPECT_DOUBLE_EQ(notes[1].len, 1.5);
    EXPECT_EQ(notes[2].midi, 79);
    EXPECT_DOUBLE_EQ(end, 12.0);
}
