#include "sound/synth.h"

#include <algorithm>
#include <cmath>

namespace assetgen::synth {

Buffer make(double seconds) { return Buffer(frames(seconds), 0.0); }

double midi_hz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

namespace {

// The PolyBLEP residual that rounds off a unit step at phase 0 over one sample either side.
double poly_blep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

} // namespace

namespace {

// Sums the harmonics of a wave directly, each one below the band edge: exact band-limiting for
// high notes, where the PolyBLEP corners would still fold audible partials back down.
double additive(Wave w, double t, double dt, double pw)
{
    int top = static_cast<int>(0.45 / dt);
    double x = kTwoPi * t;
    if (w == Wave::Pulse) x -= kPi * pw; // centre of the high part at angle 0
    // sin(kx) and cos(kx) by the Chebyshev recurrence.
    double c1 = std::cos(x), s_prev = 0.0, s_k = std::sin(x), c_prev = 1.0, c_k = c1;
    double sp1 = std::sin(kPi * pw), cp1 = std::cos(kPi * pw), sp_prev = 0.0, sp_k = sp1;
    double sum = 0.0;
    for (int k = 1; k <= top; ++k) {
        switch (w) {
        case Wave::Saw: sum -= s_k / k; break;
        case Wave::Square:
            if (k & 1) sum += s_k / k;
            break;
        case Wave::Triangle:
            if (k & 1) sum += ((k & 2) ? -1.0 : 1.0) * s_k / (static_cast<double>(k) * k);
            break;
        case Wave::Pulse: sum += sp_k * c_k / k; break;
        case Wave::Sine: break;
        }
        double s_next = 2.0 * c1 * s_k - s_prev;
        double c_next = 2.0 * c1 * c_k - c_prev;
        s_prev = s_k;
        s_k = s_next;
        c_prev = c_k;
        c_k = c_next;
        double sp_next = 2.0 * cp1 * sp_k - sp_prev;
        sp_prev = sp_k;
        sp_k = sp_next;
    }
    switch (w) {
    case Wave::Saw: return sum * 2.0 / kPi;
    case Wave::Square: return sum * 4.0 / kPi;
    case Wave::Triangle: return sum * 8.0 / (kPi * kPi);
    case Wave::Pulse: return sum * 4.0 / kPi;
    case Wave::Sine: break;
    }
    return 0.0;
}

} // namespace

double Osc::next(double hz)
{
    double dt = std::clamp(hz / kRate, 0.0, 0.49);
    double t = phase_;
    double out = 0.0;
    if (wave_ == Wave::Sine) {
        out = std::sin(kTwoPi * t);
    } else if (dt > 1.0 / 80.0) {
        // Above ~550 Hz: at most 36 partials, cheap enough to sum exactly.
        out = additive(wave_, t, dt, pw_);
    } else if (wave_ == Wave::Triangle) {
        // A low triangle's partials fall so fast (1/k^2) that the plain shape folds nothing audible.
        out = t < 0.5 ? 4.0 * t - 1.0 : 3.0 - 4.0 * t;
    } else if (wave_ == Wave::Saw) {
        out = 2.0 * t - 1.0 - poly_blep(t, dt);
    } else {
        double pw = wave_ == Wave::Pulse ? pw_ : 0.5;
        out = t < pw ? 1.0 : -1.0;
        out += poly_blep(t, dt);
        double t2 = t - pw;
        if (t2 < 0.0) t2 += 1.0;
        out -= poly_blep(t2, dt);
        if (wave_ == Wave::Pulse) out -= 2.0 * pw - 1.0; // no DC for narrow pulses
    }
    phase_ += dt;
    if (phase_ >= 1.0) phase_ -= 1.0;
    return out;
}

double Noise::brown()
{
    br_ = (br_ + 0.02 * white()) * 0.998;
    return std::clamp(br_ * 3.5, -1.0, 1.0);
}

double Noise::pink()
{
    double w = white();
    p0_ = 0.99765 * p0_ + w * 0.0990460;
    p1_ = 0.96300 * p1_ + w * 0.2965164;
    p2_ = 0.57000 * p2_ + w * 1.0526913;
    return (p0_ + p1_ + p2_ + w * 0.1848) * 0.25;
}

void Biquad::set(double b0, double b1, double b2, double a0, double a1, double a2)
{
    b0_ = b0 / a0;
    b1_ = b1 / a0;
    b2_ = b2 / a0;
    a1_ = a1 / a0;
    a2_ = a2 / a0;
}

void Biquad::lowpass(double hz, double q)
{
    double w = kTwoPi * std::clamp(hz, 10.0, kRate * 0.45) / kRate;
    double c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::highpass(double hz, double q)
{
    double w = kTwoPi * std::clamp(hz, 10.0, kRate * 0.45) / kRate;
    double c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::bandpass(double hz, double q)
{
    double w = kTwoPi * std::clamp(hz, 10.0, kRate * 0.45) / kRate;
    double c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    set(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::peak(double hz, double q, double gain_db)
{
    double a = std::pow(10.0, gain_db / 40.0);
    double w = kTwoPi * std::clamp(hz, 10.0, kRate * 0.45) / kRate;
    double c = std::cos(w), alpha = std::sin(w) / (2.0 * q);
    set(1 + alpha * a, -2 * c, 1 - alpha * a, 1 + alpha / a, -2 * c, 1 - alpha / a);
}

double Biquad::process(double x)
{
    double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
    x2_ = x1_;
    x1_ = x;
    y2_ = y1_;
    y1_ = y;
    return y;
}

void OnePole::set(double hz) { a_ = 1.0 - std::exp(-kTwoPi * std::clamp(hz, 1.0, kRate * 0.45) / kRate); }

double adsr(double t, double length, double attack, double decay, double sustain, double release)
{
    if (t < 0.0) return 0.0;
    double level;
    if (t < attack)
        level = t / attack;
    else if (t < attack + decay)
        level = 1.0 - (1.0 - sustain) * (t - attack) / decay;
    else
        level = sustain;
    if (t > length) {
        // Release from wherever the note stood when it ended.
        double at_end = adsr(length, length + 1.0, attack, decay, sustain, release);
        double r = (t - length) / release;
        level = r >= 1.0 ? 0.0 : at_end * (1.0 - r) * (1.0 - r);
    }
    return level;
}

double perc(double t, double attack, double tau)
{
    if (t < 0.0) return 0.0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / tau);
}

double lerp(double a, double b, double x) { return a + (b - a) * x; }

double expo(double a, double b, double x) { return a * std::pow(b / a, std::clamp(x, 0.0, 1.0)); }

void add(Buffer& dst, const Buffer& src, double at_seconds, double g)
{
    std::size_t off = frames(at_seconds);
    if (dst.size() < off + src.size()) dst.resize(off + src.size(), 0.0);
    for (std::size_t i = 0; i < src.size(); ++i) dst[off + i] += g * src[i];
}

void gain(Buffer& b, double g)
{
    for (double& s : b) s *= g;
}

void fade(Buffer& b, double in_seconds, double out_seconds)
{
    std::size_t n = b.size();
    std::size_t fi = std::min(n, frames(in_seconds));
    std::size_t fo = std::min(n, frames(out_seconds));
    for (std::size_t i = 0; i < fi; ++i) b[i] *= static_cast<double>(i) / static_cast<double>(fi);
    for (std::size_t i = 0; i < fo; ++i) b[n - 1 - i] *= static_cast<double>(i) / static_cast<double>(fo);
}

void echo(Buffer& b, double delay_seconds, double feedback, double mix)
{
    std::size_t d = std::max<std::size_t>(1, frames(delay_seconds));
    // Room for the repeats to die away (to -60 dB, at most two seconds).
    double repeats = feedback > 0.0 && feedback < 1.0 ? std::log(0.001) / std::log(feedback) : 1.0;
    b.resize(b.size() + std::min(frames(2.0), d * static_cast<std::size_t>(repeats + 1.0)), 0.0);
    std::vector<double> line(d, 0.0);
    std::size_t pos = 0;
    for (double& s : b) {
        double delayed = line[pos];
        line[pos] = s + delayed * feedback;
        pos = (pos + 1) % d;
        s += delayed * mix;
    }
}

double peak(const Buffer& b)
{
    double p = 0.0;
    for (double s : b) p = std::max(p, std::fabs(s));
    return p;
}

void normalize(Buffer& b, double peak_db)
{
    double p = peak(b);
    if (p <= 0.0) return;
    gain(b, std::pow(10.0, peak_db / 20.0) / p);
}

Buffer resample(const Buffer& in, double ratio)
{
    if (in.empty() || ratio <= 0.0) return {};
    auto n = static_cast<std::size_t>(static_cast<double>(in.size() - 1) / ratio) + 1;
    Buffer out(n);
    for (std::size_t i = 0; i < n; ++i) {
        double x = static_cast<double>(i) * ratio;
        auto k = static_cast<std::size_t>(x);
        double f = x - static_cast<double>(k);
        double a = in[std::min(k, in.size() - 1)];
        double c = in[std::min(k + 1, in.size() - 1)];
        out[i] = a + (c - a) * f;
    }
    return out;
}

double saturate(double x) { return std::tanh(x); }

Reverb::Reverb(double room, double damp, int spread) : feedback_(room), damp_(damp)
{
    // Freeverb's tunings at 44.1 kHz; the spread offsets the second channel.
    static const int comb_len[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int all_len[4] = {556, 441, 341, 225};
    for (int i = 0; i < 8; ++i)
        combs_[i].buf.assign(static_cast<std::size_t>(comb_len[i]) + static_cast<std::size_t>(spread), 0.0);
    for (int i = 0; i < 4; ++i)
        alls_[i].buf.assign(static_cast<std::size_t>(all_len[i]) + static_cast<std::size_t>(spread), 0.0);
}

double Reverb::process(double x)
{
    double in = x * 0.015;
    double out = 0.0;
    for (Comb& c : combs_) {
        double y = c.buf[c.pos];
        c.store = y * (1.0 - damp_) + c.store * damp_;
        c.buf[c.pos] = in + c.store * feedback_;
        if (++c.pos == c.buf.size()) c.pos = 0;
        out += y;
    }
    for (AllPass& a : alls_) {
        double b = a.buf[a.pos];
        a.buf[a.pos] = out + b * 0.5;
        if (++a.pos == a.buf.size()) a.pos = 0;
        out = b - out;
    }
    return out;
}

} // namespace assetgen::synth
