#include "music/song.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace assetgen::music {

using namespace synth;

int note_number(const std::string& name)
{
    static const int base[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return -1;
    int n = base[name[0] - 'A'];
    std::size_t at = 1;
    if (name[at] == '#')
        n += 1, ++at;
    else if (name[at] == 'b')
        n -= 1, ++at;
    if (at + 1 != name.size() || name[at] < '0' || name[at] > '9') return -1;
    return 12 * (name[at] - '0' + 1) + n;
}

std::vector<Note> parse(const std::string& line, double start_beat, double* end_beat)
{
    std::vector<Note> out;
    std::istringstream in(line);
    std::string tok;
    double beat = start_beat;
    while (in >> tok) {
        auto colon = tok.find(':');
        double eighths = colon == std::string::npos ? 1.0 : std::stod(tok.substr(colon + 1));
        std::string name = tok.substr(0, colon);
        double len = eighths / 2.0;
        if (name != "r") {
            int m = note_number(name);
            if (m >= 0) out.push_back({beat, len, m});
        }
        beat += len;
    }
    if (end_beat) *end_beat = beat;
    return out;
}

Song::Song(double bpm, double seconds) : bpm_(bpm)
{
    dry_.l = make(seconds);
    dry_.r = make(seconds);
    send_ = make(seconds);
}

void Song::place(const Buffer& b, double beat, double pan, double g, double send)
{
    std::size_t off = frames(sec(beat));
    // Equal-power panning.
    double angle = (pan + 1.0) * kPi / 4.0;
    double gl = g * std::cos(angle) * 1.41421356, gr = g * std::sin(angle) * 1.41421356;
    std::size_t n = std::min(b.size(), dry_.l.size() > off ? dry_.l.size() - off : 0);
    for (std::size_t i = 0; i < n; ++i) {
        dry_.l[off + i] += gl * b[i];
        dry_.r[off + i] += gr * b[i];
        send_[off + i] += g * send * b[i];
    }
}

Stereo Song::finish(double room, double damp, double wet, double fade_out_seconds)
{
    Reverb rl(room, damp, 0), rr(room, damp, 23);
    Biquad hp;
    hp.highpass(180.0); // keep the low end out of the tail
    Stereo out = dry_;
    for (std::size_t i = 0; i < send_.size(); ++i) {
        double s = hp.process(send_[i]);
        out.l[i] += wet * rl.process(s);
        out.r[i] += wet * rr.process(s);
    }
    fade(out.l, 0.01, fade_out_seconds);
    fade(out.r, 0.01, fade_out_seconds);
    double p = std::max(peak(out.l), peak(out.r));
    if (p > 0.0) {
        // A little under full scale so the decoded MP3 has room for its small overshoots.
        double g = std::pow(10.0, -2.0 / 20.0) / p;
        gain(out.l, g);
        gain(out.r, g);
    }
    return out;
}

Buffer lead(double hz, double hold, double brightness)
{
    Osc a(Wave::Pulse, 0.0, 0.3), b(Wave::Saw, 0.25);
    Biquad lp;
    Buffer out = make(hold + 0.15);
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = seconds_of(i);
        double env = adsr(t, hold, 0.01, 0.12, 0.7, 0.12);
        double vib = 1.0 + 0.005 * std::sin(kTwoPi * 5.5 * t) * std::clamp((t - 0.15) * 4.0, 0.0, 1.0);
        lp.lowpass(std::min(16000.0, hz * (2.0 + brightness * 4.0 * env)), 0.8);
        out[i] = lp.process(0.6 * a.next(hz * vib) + 0.4 * b.next(hz * vib * 1.004)) * env;
    }
    return out;
}

Buffer pluck(double hz, double decay)
{
    Osc a(Wave::Triangle), b(Wave::Square);
    Biquad lp;
    Buffer out = make(decay * 5.0);
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = seconds_of(i);
        double env = perc(t, 0.002, decay);
        lp.lowpass(hz * (1.5 + 6.0 * env));
        out[i] = lp.process(a.next(hz) + 0.35 * b.next(hz)) * env;
    }
    fade(out, 0.0, 0.01);
    return out;
}

Buffer bass(double hz, double hold)
{
    Osc a(Wave::Saw), sub(Wave::Sine);
    Biquad lp;
    Buffer out = make(hold + 0.08);
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = seconds_of(i);
        double env = adsr(t, hold, 0.004, 0.1, 0.75, 0.06);
        lp.lowpass(250.0 + 1400.0 * perc(t, 0.003, 0.06), 1.1);
        out[i] = (lp.process(a.next(hz)) + 0.6 * sub.next(hz)) * env;
    }
    return out;
}

Buffer pad(double hz, double hold, double attack, double release, double cutoff)
{
    Osc a(Wave::Saw, 0.0), b(Wave::Saw, 0.33), c(Wave::Saw, 0.71);
    Biquad lp;
    lp.lowpass(cutoff, 0.6);
    Buffer out = make(hold + release);
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = seconds_of(i);
        double env = adsr(t, hold, attack, 0.3, 0.85, release);
        double drift = 1.0 + 0.0015 * std::sin(kTwoPi * 0.3 * t);
        out[i] = lp.process(a.next(hz * drift) + b.next(hz * 1.006) + c.next(hz * 0.994 / drift)) * env / 3.0;
    }
    return out;
}

Buffer glass(double hz, double hold)
{
    double pc = 0.0, pm = 0.0;
    Buffer out = make(hold + 1.5);
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = seconds_of(i);
        double index = 1.6 * std::exp(-t / 0.35) + 0.25;
        pm += 2.0 * hz / kRate;
        pc += hz / kRate;
        pm -= std::floor(pm);
        pc -= std::floor(pc);
        double env = perc(t, 0.004, 1.1) * (t > hold ? std::exp(-(t - hold) / 0.4) : 1.0);
        out[i] = std::sin(kTwoPi * pc + index * std::sin(kTwoPi * pm)) * env;
    }
    fade(out, 0.0, 0.05);
    return out;
}

Buffer kick()
{
    double phase = 0.0;
    Buffer out = make(0.35);
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = seconds_of(i);
        phase += expo(150.0, 45.0, t / 0.08) / kRate;
        out[i] = std::sin(kTwoPi * phase) * perc(t, 0.001, 0.09);
    }
    fade(out, 0.0, 0.02);
    return out;
}

Buffer snare(std::uint64_t seed)
{
    Noise n(seed);
    Biquad bp;
    bp.bandpass(3000.0, 0.7);
    double phase = 0.0;
    Buffer out = make(0.25);
    for (std::size_t i = 0; i < out.size(); ++i) {
        double t = seconds_of(i);
        phase += expo(240.0, 170.0, t / 0.03) / kRate;
        out[i] =
            bp.process(n.white()) * perc(t, 0.001, 0.06) * 1.4 + std::sin(kTwoPi * phase) * perc(t, 0.001, 0.04) * 0.6;
    }
    fade(out, 0.0, 0.02);
    return out;
}

Buffer hat(std::uint64_t seed, bool open)
{
    Noise n(seed);
    Biquad hp;
    hp.highpass(7500.0, 0.8);
    Buffer out = make(open ? 0.3 : 0.06);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = hp.process(n.white()) * perc(seconds_of(i), 0.0005, open ? 0.09 : 0.015);
    fade(out, 0.0, 0.01);
    return out;
}

Buffer crash(std::uint64_t seed)
{
    Noise n(seed);
    Biquad hp, pk;
    hp.highpass(4000.0, 0.6);
    pk.peak(6500.0, 1.0, 5.0);
    Buffer out = make(1.6);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = pk.process(hp.process(n.white())) * perc(seconds_of(i), 0.002, 0.45);
    fade(out, 0.0, 0.1);
    return out;
}

Chord chord(const std::string& name)
{
    std::string root = name.substr(0, name.size() > 1 && (name[1] == '#' || name[1] == 'b') ? 2 : 1);
    std::string kind = name.substr(root.size());
    Chord c{note_number(root + "3"), {0, 4, 7}};
    if (kind == "m")
        c.tones = {0, 3, 7};
    else if (kind == "7")
        c.tones = {0, 4, 7, 10};
    else if (kind == "m7")
        c.tones = {0, 3, 7, 10};
    else if (kind == "maj7")
        c.tones = {0, 4, 7, 11};
    else if (kind == "sus4")
        c.tones = {0, 5, 7};
    else if (kind == "add9")
        c.tones = {0, 4, 7, 14};
    else if (kind == "madd9")
        c.tones = {0, 3, 7, 14};
    return c;
}

} // namespace assetgen::music
