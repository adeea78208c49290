#include "music/pieces.h"

#include <sstream>

namespace assetgen::music {

using namespace synth;

namespace {

constexpr double kBpm = 140.0;

// One section of the tune: its chords bar by bar ("F|G" splits a bar), its melody and its groove.
struct Section {
    const char* chords;
    const char* melody;
    int groove; // 0 intro, 1 verse, 2 bridge, 3 ending
    bool arpeggio;
    bool doubled; // melody doubled an octave up by a bell
};

const char* const kVerse = "E5:2 G5:2 C6:3 G5:1  B5:2 A5:1 G5:1 D5:4  C5:2 E5:2 A5:3 G5:1  F5:2 E5:1 D5:1 C5:4 "
                           "E5:2 G5:2 C6:2 D6:2  B5:3 G5:1 D6:4  C6:2 B5:1 A5:1 E5:2 A5:2  F5:2 A5:2 G5:4";
const char* const kVerseHome = "E5:2 G5:2 C6:3 G5:1  B5:2 A5:1 G5:1 D5:4  C5:2 E5:2 A5:3 G5:1  F5:2 E5:1 D5:1 C5:4 "
                               "E5:2 G5:2 C6:2 E6:2  D6:3 C6:1 B5:2 G5:2  A5:2 C6:2 B5:2 A5:1 B5:1  C6:6 r:2";
const char* const kBridge = "A5:3 B5:1 C6:2 A5:2  F5:3 G5:1 A5:2 F5:2  G5:3 A5:1 G5:2 E5:2  D5:2 E5:1 F5:1 G5:4 "
                            "A5:2 C6:2 E6:3 D6:1  C6:2 A5:2 F5:4  F5:2 A5:2 D6:2 C6:2  B5:2 D6:2 G5:1 A5:1 B5:1 D6:1";
const char* const kEnding = "A5:4 C6:4  B5:4 D6:4  E6:8  r:8";

// Folds a MIDI note into the octave that starts at low.
int fold(int note, int low)
{
    while (note < low) note += 12;
    while (note >= low + 12) note -= 12;
    return note;
}

void drums(Song& s, double bar_beat, int groove, bool last_bar, std::uint64_t seed)
{
    auto k = kick();
    if (groove == 0) {
        s.place(k, bar_beat, 0.0, 0.7);
        s.place(k, bar_beat + 2, 0.0, 0.7);
    } else if (groove == 1) {
        for (double b : {0.0, 1.5, 2.0}) s.place(k, bar_beat + b, 0.0, 0.8);
    } else if (groove == 2) {
        for (double b : {0.0, 2.5}) s.place(k, bar_beat + b, 0.0, 0.8);
    } else {
        s.place(k, bar_beat, 0.0, 0.8);
    }
    if (groove >= 1 && groove <= 2) {
        s.place(snare(seed), bar_beat + 1, 0.1, 0.45, 0.2);
        if (last_bar) {
            for (int i = 0; i < 4; ++i)
                s.place(snare(seed + 10 + i), bar_beat + 3 + 0.25 * i, 0.1, 0.25 + 0.06 * i, 0.2);
        } else {
            s.place(snare(seed + 1), bar_beat + 3, 0.1, 0.45, 0.2);
        }
    }
    if (groove != 3) {
        for (int i = 0; i < 8; ++i) {
            bool open = groove == 2 && i == 7;
            s.place(hat(seed + 20 + i, open), bar_beat + 0.5 * i, -0.3, (i & 1) ? 0.16 : 0.09);
        }
    }
}

} // namespace

Stereo title_theme()
{
    const Section form[] = {
        {"C G Am F", "", 0, true, false},
        {"C G Am F C G Am F|G", kVerse, 1, false, false},
        {"C G Am F C G F|G C", kVerseHome, 1, false, false},
        {"Am F C G Am F Dm G", kBridge, 2, true, false},
        {"C G Am F C G Am F|G", kVerse, 1, true, true},
        {"C G Am F C G F|G C", kVerseHome, 1, true, true},
        {"F G C C", kEnding, 3, false, true},
    };
    int bars = 0;
    for (const Section& sec : form) {
        std::istringstream in(sec.chords);
        std::string c;
        while (in >> c) ++bars;
    }
    const double beats = 4.0 * bars;
    Song s(kBpm, beats * 60.0 / kBpm + 3.5);
    const double beat_s = 60.0 / kBpm;

    Memo memo;
    enum { kLead, kLeadSoft, kPluck, kArp, kPad, kBass };
    double bar_beat = 0.0;
    std::uint64_t seed = 1000;
    for (const Section& sec : form) {
        // Melody, with a ping-pong echo of the lead.
        for (const Note& n : parse(sec.melody, bar_beat)) {
            double hz = midi_hz(n.midi);
            double hold = n.len * beat_s * 0.92;
            const Buffer& l = sec.groove == 2 ? memo.get(kLeadSoft, hz, hold, [&] { return lead(hz, hold, 0.7); })
                                              : memo.get(kLead, hz, hold, [&] { return lead(hz, hold, 1.0); });
            s.place(l, n.beat, 0.0, 0.32, 0.25);
            s.place(l, n.beat + 0.75, 0.6, 0.09, 0.2);
            s.place(l, n.beat + 1.5, -0.6, 0.04, 0.2);
            if (sec.doubled)
                s.place(memo.get(kPluck, hz, 0.0, [&] { return pluck(hz * 2.0, 0.25); }), n.beat, 0.25, 0.1, 0.4);
        }
        std::istringstream in(sec.chords);
        std::string bar_chords;
        int bar_index = 0, bar_count = 0;
        {
            std::istringstream count(sec.chords);
            std::string c;
            while (count >> c) ++bar_count;
        }
        while (in >> bar_chords) {
            bool last_bar = ++bar_index == bar_count;
            std::vector<std::string> halves;
            std::size_t bar_split = bar_chords.find('|');
            if (bar_split == std::string::npos)
                halves = {bar_chords};
            else
                halves = {bar_chords.substr(0, bar_split), bar_chords.substr(bar_split + 1)};
            double part = 4.0 / static_cast<double>(halves.size());
            for (std::size_t h = 0; h < halves.size(); ++h) {
                Chord c = chord(halves[h]);
                double at = bar_beat + part * static_cast<double>(h);
                bool ending_hold = sec.groove == 3 && last_bar;
                double hold = ending_hold ? 6.0 : part;
                // Pad.
                int root = fold(c.root, 55);
                for (std::size_t i = 0; i < c.tones.size(); ++i) {
                    double hz = midi_hz(root + c.tones[i]);
                    s.place(memo.get(kPad, hz, hold, [&] { return pad(hz, hold * beat_s, 0.04, 0.4, 2400.0); }), at,
                            i % 2 ? 0.4 : -0.4, 0.11, 0.4);
                }
                // Bass.
                int low = fold(c.root, 28);
                if (sec.groove == 0 || sec.groove == 3) {
                    s.place(memo.get(kBass, low, hold, [&] { return bass(midi_hz(low), hold * beat_s * 0.95); }), at,
                            0.0, 0.45);
                } else if (sec.groove == 1) {
                    for (int e = 0; e < static_cast<int>(part * 2); ++e) {
                        int m = low + (e % 4 == 3 ? 12 : 0);
                        s.place(memo.get(kBass, m, 0.42, [&] { return bass(midi_hz(m), 0.42 * beat_s); }), at + 0.5 * e,
                                0.0, 0.42);
                    }
                } else {
                    const double when[] = {0.0, 1.0, 1.5, 2.0, 3.0};
                    const int step[] = {0, 0, 7, 0, 12};
                    for (int e = 0; e < 5; ++e)
                        if (when[e] < part) {
                            int m = low + step[e];
                            s.place(memo.get(kBass, m, 0.45, [&] { return bass(midi_hz(m), 0.45 * beat_s); }),
                                    at + when[e], 0.0, 0.42);
                        }
                }
                // Arpeggio in sixteenths.
                if (sec.arpeggio) {
                    int top = fold(c.root, 67);
                    const int order[] = {0, 1, 2, 3, 2, 1, 2, 3};
                    for (int i = 0; i < static_cast<int>(part * 4); ++i) {
                        int idx = order[i % 8];
                        int tone = idx == 3 ? 12 : c.tones[static_cast<std::size_t>(idx)];
                        int m = top + tone;
                        s.place(memo.get(kArp, m, 0.0, [&] { return pluck(midi_hz(m), 0.09); }), at + 0.25 * i,
                                (i & 1) ? 0.45 : -0.45, sec.groove == 0 ? 0.12 : 0.08, 0.35);
                    }
                }
            }
            drums(s, bar_beat, sec.groove, last_bar, seed);
            if (bar_index == 1 && sec.groove != 0) s.place(crash(seed + 99), bar_beat, -0.2, 0.22, 0.3);
            seed += 100;
            bar_beat += 4.0;
        }
    }
    s.place(crash(7), bar_beat - 4.0, 0.2, 0.15, 0.4); // on the final chord
    return s.finish(0.82, 0.4, 0.55, 2.5);
}

} // namespace assetgen::music
