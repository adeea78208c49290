#include "music/pieces.h"

#include "common/rng.h"

#include <cmath>
#include <sstream>

namespace assetgen::music {

using namespace synth;

namespace {

constexpr double kBpm = 60.0;

struct Section {
    const char* chords;
    const char* melody;
    bool strings; // the melody doubled an octave down by a soft bowed voice
};

const char* const kFirst = "D5:4 F5:2 A5:2  G5:6 F5:2  E5:4 C5:2 F5:2  E5:6 r:2 "
                           "D5:4 G5:2 A5:2  A5:4 F5:2 D5:2  D5:4 F5:2 E5:2  C#5:6 r:2";
const char* const kSecond = "F5:4 A5:2 Bb5:2  C6:6 A5:2  G5:4 E5:2 G5:2  A5:8 "
                            "Bb5:4 A5:2 G5:2  F5:4 D5:2 F5:2  E5:4 G5:2 C6:2  A5:6 r:2";
const char* const kLast = "F5:4 E5:4  D5:8";

int fold(int note, int low)
{
    while (note < low) note += 12;
    while (note >= low + 12) note -= 12;
    return note;
}

// A deep swell under everything: the low D and A, breathing slowly.
Buffer drone(double seconds)
{
    Osc d(Wave::Sine), a(Wave::Sine), d2(Wave::Triangle);
    Buffer out = make(seconds);
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = seconds_of(i);
        double swell = 0.65 + 0.35 * std::sin(kTwoPi * 0.07 * t - kPi / 2.0);
        out[i] = (d.next(midi_hz(38)) + 0.5 * a.next(midi_hz(45)) + 0.2 * d2.next(midi_hz(50))) * swell;
    }
    fade(out, 4.0, 6.0);
    return out;
}

// Solar wind: pink noise through a slowly wandering band-pass.
Buffer wind(double seconds, std::uint64_t seed)
{
    Noise n(seed);
    Biquad bp;
    Buffer out = make(seconds);
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = seconds_of(i);
        if ((i & 63) == 0)
            bp.bandpass(900.0 + 600.0 * std::sin(kTwoPi * 0.045 * t) + 300.0 * std::sin(kTwoPi * 0.11 * t), 3.0);
        out[i] = bp.process(n.pink());
    }
    fade(out, 5.0, 6.0);
    return out;
}

// A far-off low boom, like a distant star collapsing.
Buffer boom()
{
    double phase = 0.0;
    Buffer out = make(3.0);
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = seconds_of(i);
        phase += expo(60.0, 32.0, t / 1.5) / kRate;
        out[i] = std::sin(kTwoPi * phase) * perc(t, 0.06, 0.9);
    }
    fade(out, 0.0, 0.3);
    return out;
}

} // namespace

Stereo universe_theme()
{
    const Section form[] = {
        {"Dm Bb Gm A", "", false},
        {"Dm Bb F C Gm Dm Bb A", kFirst, false},
        {"Bb F C Dm Gm Bb C A", kSecond, true},
        {"Dmadd9 Dmadd9", kLast, true},
    };
    int bars = 0;
    for (const Section& sec : form) {
        std::istringstream in(sec.chords);
        std::string c;
        while (in >> c) ++bars;
    }
    const double beat_s = 60.0 / kBpm;
    const double length = 4.0 * bars * beat_s + 6.0;
    Song s(kBpm, length);
    s.place(drone(length), 0.0, 0.0, 0.16, 0.2);
    Buffer w = wind(length, 77);
    s.place(w, 0.0, -0.5, 0.05, 0.5);

    Memo memo;
    enum { kGlass, kStrings, kPad, kPadTop, kStar };
    Rng stars(2024);
    const int pentatonic[] = {0, 3, 5, 7, 10}; // D minor pentatonic
    double bar_beat = 0.0;
    int bar_no = 0;
    for (const Section& sec : form) {
        for (const Note& n : parse(sec.melody, bar_beat)) {
            double hz = midi_hz(n.midi);
            const Buffer& g = memo.get(kGlass, hz, n.len, [&] { return glass(hz, n.len * beat_s); });
            s.place(g, n.beat, 0.0, 0.3, 0.7);
            s.place(g, n.beat + 1.5, 0.6, 0.1, 0.6);
            s.place(g, n.beat + 3.0, -0.6, 0.04, 0.6);
            if (sec.strings)
                s.place(memo.get(kStrings, hz, n.len, [&] { return pad(hz / 2.0, n.len * beat_s, 0.35, 1.2, 1800.0); }),
                        n.beat, -0.15, 0.16, 0.6);
        }
        std::istringstream in(sec.chords);
        std::string name;
        while (in >> name) {
            Chord c = chord(name);
            int root = fold(c.root, 50);
            bool last = bar_no == bars - 1;
            double hold = (last ? 6.0 : 4.0) * beat_s;
            for (std::size_t i = 0; i < c.tones.size(); ++i) {
                double hz = midi_hz(root + c.tones[i]);
                s.place(memo.get(kPad, hz, hold, [&] { return pad(hz, hold, 1.4, 3.0, 1100.0); }), bar_beat,
                        i % 2 ? 0.5 : -0.5, 0.1, 0.6);
            }
            double top = midi_hz(root + 12);
            s.place(memo.get(kPadTop, top, hold, [&] { return pad(top, hold, 2.0, 3.0, 1400.0); }), bar_beat, 0.0, 0.05,
                    0.6);
            if (bar_no % 4 == 0) s.place(boom(), bar_beat, 0.0, 0.35, 0.3);
            // Stars: a few high notes twinkling at random in each bar.
            for (int k = 0; k < 3; ++k) {
                int note = 74 + 12 * stars.below(2) + pentatonic[stars.below(5)];
                double at = bar_beat + 0.5 * stars.below(8);
                double hz = midi_hz(note);
                s.place(memo.get(kStar, hz, 0.2, [&] { return glass(hz, 0.2); }), at, stars.range(-0.9, 0.9), 0.05,
                        0.9);
            }
            bar_beat += 4.0;
            ++bar_no;
        }
    }
    return s.finish(0.9, 0.3, 0.9, 6.0);
}

} // namespace assetgen::music
