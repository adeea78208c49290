#pragma once
// A small synthesizer for the game's sound effects and music: band-limited oscillators, noise,
// envelopes, filters, echo and reverb, all on plain double buffers at 44.1 kHz. Everything is our
// own arithmetic on a seeded generator, so the same code gives the same samples on every run.
#include "common/rng.h"

#include <cmath>
#include <cstddef>
#include <vector>

namespace assetgen::synth {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

using Buffer = std::vector<double>;

// A silent buffer of the given length in seconds.
Buffer make(double seconds);
inline std::size_t frames(double seconds) { return static_cast<std::size_t>(std::lround(seconds * kRate)); }
inline double seconds_of(std::size_t i) { return static_cast<double>(i) / kRate; }

// Frequency of a MIDI note number (69 = A4 = 440 Hz).
double midi_hz(double note);

enum class Wave { Sine, Triangle, Saw, Square, Pulse };

// A band-limited oscillator (PolyBLEP edges for low notes, summed harmonics for high ones), advanced one sample per call at any frequency, so
// sweeps and vibrato are just a changing argument.
class Osc {
public:
    explicit Osc(Wave w = Wave::Sine, double phase = 0.0, double pulse_width = 0.5)
        : wave_(w), phase_(phase), pw_(pulse_width)
    {}
    double next(double hz);
    void set_pulse_width(double pw) { pw_ = pw; }

private:
    Wave wave_;
    double phase_;
    double pw_;
};

// White noise in [-1, 1) and a few coloured variants.
class Noise {
public:
    explicit Noise(std::uint64_t seed) : rng_(seed) {}
    double white() { return rng_.range(-1.0, 1.0); }
    double brown(); // integrated white, kept in range
    double pink();  // Paul Kellet's economy filter
    Rng& rng() { return rng_; }

private:
    Rng rng_;
    double br_ = 0.0;
    double p0_ = 0.0, p1_ = 0.0, p2_ = 0.0;
};

// The RBJ cookbook biquad; coefficients may be changed every sample for sweeps.
class Biquad {
public:
    void lowpass(double hz, double q = 0.7071);
    void highpass(double hz, double q = 0.7071);
    void bandpass(double hz, double q = 1.0); // constant 0 dB peak gain
    void peak(double hz, double q, double gain_db);
    double process(double x);

private:
    void set(double b0, double b1, double b2, double a0, double a1, double a2);
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// One-pole smoothing low-pass (and its complement as a high-pass).
class OnePole {
public:
    void set(double hz);
    double lowpass(double x)
    {
        y_ += a_ * (x - y_);
        return y_;
    }
    double highpass(double x) { return x - lowpass(x); }

private:
    double a_ = 1.0;
    double y_ = 0.0;
};

// Envelopes, all of time t in seconds.
double adsr(double t, double length, double attack, double decay, double sustain, double release);
double perc(double t, double attack, double tau); // quick rise, exponential fall
double lerp(double a, double b, double x);
// Exponential sweep from a to b (both > 0) as x runs 0..1.
double expo(double a, double b, double x);

// Mixing and shaping of whole buffers.
void add(Buffer& dst, const Buffer& src, double at_seconds, double gain = 1.0);
void gain(Buffer& b, double g);
void fade(Buffer& b, double in_seconds, double out_seconds);
// Feedback echo; the buffer grows by the length of its tail.
void echo(Buffer& b, double delay_seconds, double feedback, double mix);
double peak(const Buffer& b);
// Scales so the loudest sample sits at the given level in dBFS (below 0).
void normalize(Buffer& b, double peak_db);
// Resampling by linear interpolation: ratio > 1 makes the sound shorter and higher.
Buffer resample(const Buffer& in, double ratio);
// Soft saturation for grit, keeping |y| < 1.
double saturate(double x);

// A Schroeder/Freeverb style reverb (eight combs, four all-passes), mono in, one channel out.
// Two instances with different spreads make a wide stereo tail.
class Reverb {
public:
    Reverb(double room, double damp, int spread);
    double process(double x);

private:
    struct Comb {
        std::vector<double> buf;
        std::size_t pos = 0;
        double store = 0;
    };
    struct AllPass {
        std::vector<double> buf;
        std::size_t pos = 0;
    };
    Comb combs_[8];
    AllPass alls_[4];
    double feedback_;
    double damp_;
};

} // namespace assetgen::synth
