#pragma once
// A tiny sequencer: notes written as text, instruments made from the synthesizer, placed on a
// stereo timeline in beats, with a reverb send.
#include "sound/synth.h"

#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

namespace assetgen::music {

struct Stereo {
    synth::Buffer l, r;
};

struct Note {
    double beat; // start, in beats from the top of the song
    double len;  // in beats
    int midi;    // MIDI note number
};

// MIDI number of a name like "C4" (60), "F#5", "Bb3". Returns -1 for anything else.
int note_number(const std::string& name);

// A melody line, "E5:2 G5:2 r:2 C6:4", each length in eighth notes, starting at the given beat.
// The beat after the last note is returned through end_beat when it is not null.
std::vector<Note> parse(const std::string& line, double start_beat, double* end_beat = nullptr);

class Song {
public:
    Song(double bpm, double seconds);
    double sec(double beats) const { return beats * 60.0 / bpm_; }
    // Mixes a mono sound in at a beat, panned (-1 left .. 1 right), with part of it sent to the reverb.
    void place(const synth::Buffer& b, double beat, double pan, double gain, double send = 0.0);
    // Adds the reverb, fades the end and sets the peak level.
    Stereo finish(double room, double damp, double wet, double fade_out_seconds);

private:
    double bpm_;
    Stereo dry_;
    synth::Buffer send_;
};

// Rendered notes kept by (instrument, pitch, length): a tune repeats its notes, so most are made once.
class Memo {
public:
    template <class Make>
    const synth::Buffer& get(int instrument, double hz, double seconds, Make make)
    {
        auto key = std::make_tuple(instrument, hz, seconds);
        auto it = notes_.find(key);
        if (it == notes_.end()) it = notes_.emplace(key, make()).first;
        return it->second;
    }

private:
    std::map<std::tuple<int, double, double>, synth::Buffer> notes_;
};

// Instruments: each returns one note, hold seconds long plus its release.
synth::Buffer lead(double hz, double hold, double brightness);
synth::Buffer pluck(double hz, double decay);
synth::Buffer bass(double hz, double hold);
synth::Buffer pad(double hz, double hold, double attack, double release, double cutoff);
synth::Buffer glass(double hz, double hold); // a soft FM bell-piano
synth::Buffer kick();
synth::Buffer snare(std::uint64_t seed);
synth::Buffer hat(std::uint64_t seed, bool open);
synth::Buffer crash(std::uint64_t seed);

// A chord: the root's MIDI number and its intervals.
struct Chord {
    int root;
    std::vector<int> tones; // semitones above the root, including 0
};
Chord chord(const std::string& name); // "C", "Am", "F", "G7", "Dm", "Bb", "A", "Gm", "Cadd9"...

} // namespace assetgen::music
