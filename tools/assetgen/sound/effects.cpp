#include "sound/effects.h"

#include "sound/voice.h"

#include <algorithm>
#include <cmath>

namespace assetgen::sound {

using namespace synth;

namespace {

// ---- building blocks ------------------------------------------------------------------------

// Renders f(t) over the given length.
template <class F>
Buffer render(double seconds, F f)
{
    Buffer b = make(seconds);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = f(seconds_of(i));
    return b;
}

// One note of an oscillator with an envelope: hz held, env of local time.
template <class Env>
Buffer note(Wave w, double hz, double seconds, Env env, double vibrato = 0.0)
{
    Osc o(w);
    return render(seconds, [&](double t) {
        double v = vibrato > 0.0 ? 1.0 + vibrato * std::sin(kTwoPi * 5.5 * t) * std::min(1.0, t * 6.0) : 1.0;
        return o.next(hz * v) * env(t);
    });
}

// A struck bell: inharmonic partials, the high ones dying first.
Buffer bell(double hz, double seconds, double decay, double brightness = 1.0)
{
    static const double ratio[] = {1.0, 2.0, 2.76, 4.07, 5.40, 8.93};
    static const double amp[] = {1.0, 0.55, 0.38, 0.22, 0.16, 0.07};
    Buffer b = make(seconds);
    for (int p = 0; p < 6; ++p) {
        double f = hz * ratio[p];
        if (f > 18000.0) continue;
        double a = amp[p] * (p == 0 ? 1.0 : brightness);
        double tau = decay / (1.0 + 0.7 * p);
        for (std::size_t i = 0; i < b.size(); ++i) {
            double t = seconds_of(i);
            b[i] += a * std::sin(kTwoPi * f * t) * perc(t, 0.002, tau);
        }
    }
    fade(b, 0.0, std::min(0.1, seconds * 0.3));
    return b;
}

// A brass-like tone: a saw whose low-pass opens on the attack.
Buffer brass(double hz, double seconds, double hold)
{
    Osc a(Wave::Saw), b(Wave::Saw, 0.37);
    Biquad lp;
    return render(seconds, [&](double t) {
        double env = adsr(t, hold, 0.015, 0.08, 0.75, 0.12);
        lp.lowpass(hz * (1.5 + 5.0 * env), 0.9);
        double v = 1.0 + 0.004 * std::sin(kTwoPi * 5.0 * t) * std::min(1.0, t * 3.0);
        return lp.process(0.5 * a.next(hz * v) + 0.5 * b.next(hz * v * 1.003)) * env;
    });
}

// Filtered noise through a band-pass whose centre follows hz(t), shaped by env(t).
template <class Hz, class Env>
Buffer noise_band(std::uint64_t seed, double seconds, double q, Hz hz, Env env)
{
    Noise n(seed);
    Biquad bp;
    return render(seconds, [&](double t) {
        bp.bandpass(hz(t), q);
        return bp.process(n.white()) * env(t);
    });
}

// Low-passed noise, the cutoff following hz(t): the body of explosions, engines and fire.
template <class Hz, class Env>
Buffer noise_low(std::uint64_t seed, double seconds, Hz hz, Env env, bool brown = false)
{
    Noise n(seed);
    Biquad lp;
    return render(seconds, [&](double t) {
        lp.lowpass(hz(t), 0.8);
        return lp.process(brown ? n.brown() : n.white()) * env(t);
    });
}

// Crackle: sparse short bursts of bright noise, density(t) bursts per second.
template <class Density>
Buffer crackle(std::uint64_t seed, double seconds, Density density)
{
    Noise n(seed);
    Biquad bp;
    bp.bandpass(4000.0, 0.8);
    double env = 0.0;
    return render(seconds, [&](double t) {
        if (n.rng().unit() < density(t) / kRate) env = n.rng().range(0.3, 1.0);
        env *= 0.9985; // about 15 ms to fade
        return bp.process(n.white()) * env;
    });
}

// A sine whose pitch falls from hz0 to hz1: kicks, thumps, bodies of hits.
Buffer thump(double hz0, double hz1, double fall, double seconds, double tau)
{
    double phase = 0.0;
    return render(seconds, [&](double t) {
        double hz = expo(hz0, hz1, t / fall);
        phase += hz / kRate;
        return std::sin(kTwoPi * phase) * perc(t, 0.001, tau);
    });
}

// Plays a line of notes (MIDI numbers) one after another with one voice.
Buffer line(Wave w, const std::vector<double>& notes, double step, double last_hold, double gap = 0.9)
{
    Buffer out;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        bool last = i + 1 == notes.size();
        double hold = last ? last_hold : step * gap;
        Buffer n = note(
            w, midi_hz(notes[i]), hold + 0.08, [hold](double t) { return adsr(t, hold, 0.004, 0.05, 0.7, 0.06); },
            last ? 0.006 : 0.0);
        add(out, n, step * static_cast<double>(i));
    }
    return out;
}

// Speech played faster or slower along its length (ratio from r0 to r1), as tape would.
Buffer varispeed(const Buffer& in, double r0, double r1)
{
    Buffer out;
    double x = 0.0;
    double n = static_cast<double>(in.size());
    while (x < n - 1.0) {
        auto k = static_cast<std::size_t>(x);
        double f = x - static_cast<double>(k);
        out.push_back(in[k] + (in[k + 1] - in[k]) * f);
        x += lerp(r0, r1, x / n);
    }
    return out;
}

// Cuts the silence before and after a spoken word.
Buffer trim(const Buffer& in, double threshold)
{
    std::size_t a = 0, b = in.size();
    while (a < b && std::fabs(in[a]) < threshold) ++a;
    while (b > a && std::fabs(in[b - 1]) < threshold) --b;
    a = a > 200 ? a - 200 : 0;
    b = std::min(in.size(), b + 400);
    return Buffer(in.begin() + static_cast<long>(a), in.begin() + static_cast<long>(b));
}

Buffer spoken(const char* text, const voice::Speech& how, double r0, double r1, std::string& error)
{
    Buffer b = voice::speak(text, how, error);
    if (b.empty()) return b;
    b = trim(b, 0.01);
    b = varispeed(b, r0, r1);
    // A little presence and a touch of room so the voice sits among the effects.
    Biquad pres, hp;
    pres.peak(2800.0, 1.0, 4.0);
    hp.highpass(140.0);
    for (double& s : b) s = pres.process(hp.process(s));
    fade(b, 0.004, 0.05);
    return b;
}

// ---- the effects ----------------------------------------------------------------------------

// A short dry click for buttons and dialogue.
Buffer click(std::string&)
{
    Buffer b = thump(2400.0, 1300.0, 0.012, 0.07, 0.010);
    gain(b, 0.8);
    add(b, thump(700.0, 500.0, 0.03, 0.07, 0.015), 0.0, 0.35);
    Buffer tick = noise_band(
        11, 0.01, 1.2, [](double) { return 5000.0; }, [](double t) { return perc(t, 0.0002, 0.0015); });
    add(b, tick, 0.0, 0.6);
    return b;
}

// A menu opening: a soft rising whoosh with a small tick on top.
Buffer menu_whoosh(std::string&)
{
    const double len = 0.32;
    Buffer b = noise_band(
        21, len, 2.5, [&](double t) { return expo(500.0, 4500.0, t / len); },
        [&](double t) { return std::pow(std::sin(kPi * t / len), 2.0); });
    add(b, note(Wave::Triangle, 1318.5, 0.08, [](double t) { return perc(t, 0.002, 0.02); }), 0.16, 0.12);
    return b;
}

// A cash register paying out: two clacks of the drawer and its bell.
Buffer register_clack(std::string&)
{
    Buffer b = make(0.9);
    for (int k = 0; k < 2; ++k) {
        double at = 0.085 * k;
        add(b,
            noise_band(
                31 + k, 0.05, 4.0, [k](double) { return k ? 1800.0 : 2600.0; },
                [](double t) { return perc(t, 0.0005, 0.009); }),
            at, 1.0);
        add(b, thump(k ? 650.0 : 900.0, k ? 500.0 : 700.0, 0.03, 0.06, 0.014), at, 0.5);
    }
    add(b, bell(2093.0, 0.7, 0.28, 0.8), 0.15, 0.55);
    add(b, bell(2637.0, 0.65, 0.22, 0.6), 0.155, 0.3);
    return b;
}

// Money coming in: the classic two-step coin.
Buffer coin(std::string&)
{
    Buffer b = note(Wave::Square, 987.77, 0.08, [](double t) { return t < 0.07 ? 1.0 : 0.0; });
    add(b, note(Wave::Square, 1318.5, 0.45, [](double t) { return perc(t, 0.001, 0.12); }), 0.07);
    Buffer shine = bell(2637.0, 0.4, 0.1, 0.5);
    add(b, shine, 0.07, 0.25);
    Biquad lp;
    lp.lowpass(7000.0);
    for (double& s : b) s = lp.process(s);
    fade(b, 0.001, 0.02);
    return b;
}

// An item in hand: a bright rising jingle.
Buffer item_jingle(std::string&)
{
    Buffer b = line(Wave::Pulse, {79, 84, 88, 91}, 0.075, 0.4);
    Buffer t = line(Wave::Triangle, {67, 72, 76, 79}, 0.075, 0.4);
    add(b, t, 0.0, 0.8);
    add(b, bell(2093.0, 0.5, 0.15), 0.225, 0.25);
    echo(b, 0.11, 0.25, 0.25);
    fade(b, 0.001, 0.1);
    return b;
}

// Energy restored: a sweep upward with a quick shimmer.
Buffer energy_up(std::string&)
{
    Osc a(Wave::Sine), c(Wave::Triangle);
    const double len = 0.6;
    Buffer b = render(len, [&](double t) {
        double hz = expo(400.0, 1600.0, t / 0.5);
        double trem = 0.75 + 0.25 * std::sin(kTwoPi * 18.0 * t);
        double env = adsr(t, 0.45, 0.02, 0.1, 0.8, 0.14);
        return (a.next(hz) + 0.4 * c.next(hz * 1.5)) * trem * env;
    });
    echo(b, 0.07, 0.2, 0.2);
    return b;
}

// "Level up!" in an excited voice.
Buffer level_up_voice(std::string& error)
{
    voice::Speech how;
    how.voice = "ja+f2";
    how.rate = 185;
    how.pitch = 72;
    how.range = 90;
    Buffer b = spoken("レベルアップ!", how, 1.08, 1.12, error);
    if (b.empty()) return b;
    echo(b, 0.09, 0.2, 0.18);
    return b;
}

// The level-up fanfare: three quick stabs and a held major chord.
Buffer level_up_fanfare(std::string&)
{
    Buffer b;
    const double chord[] = {60, 64, 67};
    for (int k = 0; k < 3; ++k) {
        for (double n : chord) add(b, brass(midi_hz(n + 5.0 * (k == 2)), 0.2, 0.07), 0.1 * k, 0.3);
        add(b, brass(midi_hz(72 + 2 * k), 0.2, 0.07), 0.1 * k, 0.35);
    }
    for (double n : {60.0, 64.0, 67.0, 72.0}) add(b, brass(midi_hz(n), 1.1, 0.85), 0.3, 0.3);
    add(b, brass(midi_hz(79), 1.1, 0.85), 0.3, 0.4);
    add(b, bell(2093.0, 0.9, 0.3, 0.6), 0.3, 0.2);
    fade(b, 0.001, 0.08);
    return b;
}

// Healing: a rising arpeggio of soft bells that glitters away.
Buffer heal(std::string&)
{
    Buffer b;
    const double notes[] = {72, 76, 79, 84, 88, 91};
    for (int k = 0; k < 6; ++k) add(b, bell(midi_hz(notes[k]), 0.7, 0.22, 0.5), 0.07 * k, 0.35);
    Buffer pad = note(
        Wave::Sine, midi_hz(72), 1.1, [](double t) { return adsr(t, 0.7, 0.2, 0.2, 0.7, 0.35); }, 0.01);
    add(b, pad, 0.0, 0.3);
    echo(b, 0.13, 0.35, 0.35);
    b.resize(frames(1.3));
    fade(b, 0.002, 0.25);
    return b;
}

// Eating: three crunchy bites.
Buffer eating(std::string&)
{
    Buffer b = make(0.78);
    Noise grains(41);
    for (int k = 0; k < 3; ++k) {
        double at = 0.22 * k + grains.rng().range(0.0, 0.02);
        Buffer bite = noise_band(
            42 + k, 0.16, 1.1, [k](double t) { return 1500.0 - 300.0 * k - 2000.0 * t; },
            [](double t) { return perc(t, 0.004, 0.045); });
        // Crumbs: sparse sharp ticks inside each bite.
        for (std::size_t i = 0; i < bite.size(); ++i)
            if (grains.rng().below(220) == 0) bite[i] += grains.white() * 1.6 * perc(seconds_of(i), 0.0, 0.06);
        add(b, bite, at);
        add(b, thump(220.0, 140.0, 0.05, 0.1, 0.03), at, 0.35);
    }
    Biquad lp;
    lp.lowpass(6000.0);
    for (double& s : b) s = lp.process(s);
    return b;
}

// Going to sleep: a slow falling lullaby of soft chimes.
Buffer sleep_chime(std::string&)
{
    Buffer b;
    const double notes[] = {91, 88, 84, 79};
    for (int k = 0; k < 4; ++k) add(b, bell(midi_hz(notes[k]), 0.9, 0.3, 0.3), 0.28 * k, 0.4);
    Buffer hum = note(Wave::Triangle, midi_hz(55), 1.6, [](double t) { return adsr(t, 1.1, 0.3, 0.2, 0.6, 0.45); });
    add(b, hum, 0.0, 0.25);
    echo(b, 0.23, 0.3, 0.3);
    b.resize(frames(1.6));
    fade(b, 0.002, 0.3);
    return b;
}

// A clear mark chosen: a quick upward glitter and a bright chord.
Buffer clear_mark(std::string&)
{
    Buffer b;
    const double scale[] = {72, 74, 76, 79, 81, 84, 86, 88, 91, 93, 96};
    for (int k = 0; k < 11; ++k) add(b, bell(midi_hz(scale[k]), 0.25, 0.06, 0.3), 0.022 * k, 0.25);
    for (double n : {84.0, 88.0, 91.0}) add(b, bell(midi_hz(n), 0.7, 0.25, 0.6), 0.26, 0.3);
    echo(b, 0.09, 0.25, 0.25);
    b.resize(frames(0.95));
    fade(b, 0.001, 0.15);
    return b;
}

// An extra game comes out: "ta-da!".
Buffer extra(std::string&)
{
    Buffer b = note(Wave::Pulse, midi_hz(88), 0.12, [](double t) { return adsr(t, 0.08, 0.003, 0.03, 0.8, 0.03); });
    Buffer two = note(
        Wave::Pulse, midi_hz(93), 0.6, [](double t) { return adsr(t, 0.3, 0.003, 0.1, 0.7, 0.25); }, 0.008);
    add(b, two, 0.12);
    add(b, bell(midi_hz(93), 0.6, 0.2, 0.7), 0.12, 0.5);
    add(b, bell(midi_hz(100), 0.5, 0.15, 0.4), 0.14, 0.25);
    Biquad lp;
    lp.lowpass(6500.0);
    for (double& s : b) s = lp.process(s);
    echo(b, 0.1, 0.25, 0.25);
    b.resize(frames(0.85));
    fade(b, 0.001, 0.12);
    return b;
}

// A shout on the sales floor: a breathy voiced "fuu!".
Buffer shout(std::string&)
{
    const double len = 0.55;
    Noise n(51);
    Osc glottis(Wave::Saw);
    Biquad f1, f2, f3, hiss;
    f1.bandpass(380.0, 4.0);
    f2.bandpass(900.0, 5.0);
    f3.bandpass(2400.0, 6.0);
    hiss.bandpass(3200.0, 1.5);
    return render(len, [&](double t) {
        double breath = n.white();
        double voiced =
            glottis.next(expo(190.0, 260.0, t / 0.12) * (t > 0.12 ? expo(1.0, 0.8, (t - 0.12) / 0.4) : 1.0));
        double v_env = adsr(t - 0.05, 0.3, 0.04, 0.1, 0.7, 0.15);
        double h_env = perc(t, 0.01, 0.08) + 0.25 * v_env;
        double vowel = f1.process(voiced) * 1.0 + f2.process(voiced) * 0.5 + f3.process(voiced) * 0.15;
        return hiss.process(breath) * h_env * 0.6 + (vowel + 0.3 * f1.process(breath)) * v_env;
    });
}

// The RPG launcher: a blast, then the rocket's hiss running away.
Buffer rocket(std::string&)
{
    const double len = 1.2;
    Buffer b = thump(130.0, 40.0, 0.12, len, 0.09);
    add(b,
        noise_low(
            61, 0.4, [](double t) { return expo(5000.0, 500.0, t / 0.3); },
            [](double t) { return perc(t, 0.001, 0.05); }),
        0.0, 1.2);
    add(b,
        noise_band(
            62, len, 1.5, [&](double t) { return expo(3200.0, 1100.0, t / len); },
            [&](double t) { return adsr(t - 0.02, 0.55, 0.03, 0.2, 0.6, 0.6); }),
        0.0, 0.9);
    for (double& s : b) s = saturate(1.3 * s);
    return b;
}

// A shop purchase: a quick two-beep confirmation.
Buffer purchase(std::string&)
{
    Buffer b = note(Wave::Square, midi_hz(81), 0.07, [](double t) { return adsr(t, 0.05, 0.002, 0.01, 0.9, 0.015); });
    add(b, note(Wave::Square, midi_hz(93), 0.22, [](double t) { return perc(t, 0.002, 0.07); }), 0.08);
    add(b, note(Wave::Sine, midi_hz(69), 0.3, [](double t) { return perc(t, 0.002, 0.09); }), 0.08, 0.5);
    Biquad lp;
    lp.lowpass(5000.0);
    for (double& s : b) s = lp.process(s);
    fade(b, 0.001, 0.03);
    return b;
}

// A skill gained: a fast major arpeggio climbing two octaves.
Buffer skill_up(std::string&)
{
    Buffer b = line(Wave::Square, {60, 64, 67, 72, 76, 79, 84, 88, 91, 96}, 0.045, 0.35, 0.8);
    add(b, line(Wave::Triangle, {48, 52, 55, 60, 64, 67, 72, 76, 79, 84}, 0.045, 0.35, 0.8), 0.0, 0.8);
    Biquad lp;
    lp.lowpass(6000.0);
    for (double& s : b) s = lp.process(s);
    echo(b, 0.09, 0.3, 0.3);
    b.resize(frames(0.95));
    fade(b, 0.001, 0.15);
    return b;
}

// Stage clear: a march-like fanfare ending on a long major chord.
Buffer stage_clear(std::string&)
{
    Buffer b;
    const double melody[] = {67, 72, 76, 79, 76, 79};
    const double at[] = {0.0, 0.12, 0.24, 0.36, 0.6, 0.72};
    const double hold[] = {0.09, 0.09, 0.09, 0.2, 0.09, 0.9};
    for (int k = 0; k < 6; ++k) add(b, brass(midi_hz(melody[k]), hold[k] + 0.15, hold[k]), at[k], 0.45);
    for (double n : {48.0, 55.0, 60.0, 64.0, 67.0}) add(b, brass(midi_hz(n), 1.2, 0.95), 0.72, 0.22);
    add(b, thump(110.0, 50.0, 0.1, 0.4, 0.12), 0.72, 0.6);
    for (int k = 0; k < 4; ++k) add(b, bell(midi_hz(84 + 3 * k), 0.8, 0.25, 0.5), 0.72 + 0.05 * k, 0.12);
    echo(b, 0.15, 0.2, 0.2);
    b.resize(frames(2.1));
    fade(b, 0.001, 0.3);
    return b;
}

// The quota reached: a rising run and a triumphant chord.
Buffer quota_reached(std::string&)
{
    Buffer b = line(Wave::Pulse, {65, 69, 72, 77, 81, 84}, 0.05, 0.1, 0.85);
    gain(b, 0.6);
    const double stab1[] = {65, 69, 72, 77};
    const double stab2[] = {67, 71, 74, 79};
    for (double n : stab1) add(b, brass(midi_hz(n), 0.3, 0.12), 0.32, 0.28);
    for (double n : stab2) add(b, brass(midi_hz(n), 0.3, 0.12), 0.5, 0.28);
    for (double n : {60.0, 64.0, 67.0, 72.0, 76.0}) add(b, brass(midi_hz(n), 1.0, 0.75), 0.68, 0.28);
    add(b, thump(100.0, 45.0, 0.1, 0.4, 0.15), 0.68, 0.7);
    add(b,
        noise_low(
            71, 0.9, [](double) { return 9000.0; }, [](double t) { return perc(t, 0.002, 0.25); }),
        0.68, 0.25);
    b.resize(frames(1.6));
    fade(b, 0.001, 0.25);
    return b;
}

// The stage lost: a slow chromatic fall into a dark minor chord.
Buffer game_over(std::string&)
{
    Buffer b;
    const double fall[] = {67, 66, 65, 64};
    for (int k = 0; k < 4; ++k)
        add(b,
            note(
                Wave::Triangle, midi_hz(fall[k]), 0.45, [](double t) { return adsr(t, 0.3, 0.01, 0.1, 0.8, 0.12); },
                0.01),
            0.3 * k, 0.6);
    for (double n : {48.0, 51.0, 55.0, 60.0}) {
        Osc o(Wave::Saw);
        Biquad lp;
        lp.lowpass(900.0);
        double hz = midi_hz(n);
        add(b, render(1.2, [&](double t) { return lp.process(o.next(hz)) * adsr(t, 0.7, 0.05, 0.2, 0.7, 0.5); }), 1.2,
            0.3);
    }
    echo(b, 0.2, 0.25, 0.25);
    b.resize(frames(2.4));
    fade(b, 0.001, 0.4);
    return b;
}

// A new day: a two-note bell, ding-dong.
Buffer new_day(std::string&)
{
    Buffer b = bell(midi_hz(88), 0.8, 0.4);
    add(b, bell(midi_hz(84), 0.9, 0.45), 0.4);
    echo(b, 0.17, 0.2, 0.2);
    b.resize(frames(1.4));
    fade(b, 0.001, 0.25);
    return b;
}

// An hour gone on the last day: a clock tick and an urgent double beep.
Buffer last_day_hour(std::string&)
{
    Buffer b = noise_band(
        81, 0.03, 3.0, [](double) { return 3000.0; }, [](double t) { return perc(t, 0.0003, 0.004); });
    for (int k = 0; k < 2; ++k)
        add(b, note(Wave::Square, 1046.5, 0.1, [](double t) { return adsr(t, 0.08, 0.002, 0.01, 0.9, 0.01); }),
            0.05 + 0.14 * k, 0.5);
    Biquad lp;
    lp.lowpass(5000.0);
    for (double& s : b) s = lp.process(s);
    b.resize(frames(0.4));
    fade(b, 0.0, 0.02);
    return b;
}

// A street shot that hits: a sharp crack with a little body.
Buffer gunshot(std::string&)
{
    const double len = 0.28;
    Noise n(91);
    Biquad hp, lp;
    hp.highpass(1200.0);
    Buffer b = render(len, [&](double t) {
        lp.lowpass(expo(6000.0, 400.0, t / 0.15));
        double w = n.white();
        return hp.process(w) * perc(t, 0.0004, 0.012) + lp.process(w) * perc(t, 0.001, 0.05) * 0.9;
    });
    add(b, thump(160.0, 55.0, 0.05, len, 0.04), 0.0, 0.8);
    for (double& s : b) s = saturate(1.5 * s);
    return b;
}

// A small explosion: a target destroyed.
Buffer small_blast(std::string&)
{
    const double len = 0.8;
    Buffer b = noise_low(
        101, len, [&](double t) { return expo(4000.0, 250.0, t / 0.5); },
        [](double t) { return perc(t, 0.002, 0.16); });
    add(b,
        noise_low(
            102, len, [](double) { return 300.0; }, [](double t) { return perc(t, 0.005, 0.25); }, true),
        0.0, 1.2);
    add(b, thump(90.0, 35.0, 0.2, len, 0.15), 0.0, 0.9);
    for (double& s : b) s = saturate(1.6 * s);
    fade(b, 0.0, 0.1);
    return b;
}

// A big explosion: a bomb landing.
Buffer big_blast(std::string&)
{
    const double len = 1.6;
    Buffer b = noise_low(
        111, len, [&](double t) { return expo(3500.0, 140.0, t / 1.1); }, [](double t) { return perc(t, 0.003, 0.3); });
    add(b,
        noise_low(
            112, len, [](double) { return 220.0; }, [](double t) { return perc(t, 0.01, 0.5); }, true),
        0.0, 1.6);
    add(b, thump(70.0, 28.0, 0.4, len, 0.35), 0.0, 1.0);
    // Secondary bursts as the blast rolls.
    add(b,
        noise_low(
            113, 0.5, [](double) { return 1200.0; }, [](double t) { return perc(t, 0.004, 0.08); }),
        0.12, 0.5);
    add(b,
        noise_low(
            114, 0.5, [](double) { return 900.0; }, [](double t) { return perc(t, 0.004, 0.1); }),
        0.27, 0.4);
    for (double& s : b) s = saturate(1.8 * s);
    fade(b, 0.0, 0.2);
    return b;
}

// An explosion that throws debris: a boom, then crackling pieces falling.
Buffer debris_blast(std::string&)
{
    const double len = 1.4;
    Buffer b = noise_low(
        121, len, [&](double t) { return expo(2500.0, 180.0, t / 0.6); }, [](double t) { return perc(t, 0.002, 0.2); });
    add(b, thump(60.0, 30.0, 0.3, len, 0.25), 0.0, 1.1);
    add(b, crackle(122, len, [](double t) { return 70.0 * perc(t - 0.1, 0.05, 0.35); }), 0.0, 0.5);
    for (double& s : b) s = saturate(1.7 * s);
    fade(b, 0.0, 0.15);
    return b;
}

// A robot dog: two metallic barks.
Buffer robot_bark(std::string&)
{
    Buffer b;
    for (int k = 0; k < 2; ++k) {
        Osc o(Wave::Saw), ring(Wave::Square);
        Noise n(131 + k);
        Biquad f1, f2;
        f1.bandpass(750.0, 3.0);
        f2.bandpass(1500.0, 4.0);
        double base = k ? 430.0 : 480.0;
        Buffer bark = render(0.18, [&](double t) {
            double hz = base * (t < 0.02 ? expo(0.8, 1.0, t / 0.02) : expo(1.0, 0.65, (t - 0.02) / 0.14));
            double src = o.next(hz) + 0.3 * n.white();
            double v = f1.process(src) + 0.6 * f2.process(src);
            v *= 0.7 + 0.3 * ring.next(hz * 0.5); // the robot's buzz
            return v * adsr(t, 0.1, 0.008, 0.05, 0.6, 0.06);
        });
        add(b, bark, 0.21 * k);
    }
    // A coarse step in the amplitude gives the bark its machine edge.
    for (double& s : b) s = std::round(s * 24.0) / 24.0;
    Biquad lp;
    lp.lowpass(7000.0);
    for (double& s : b) s = lp.process(s);
    b.resize(frames(0.45));
    fade(b, 0.001, 0.03);
    return b;
}

// A car horn: two short honks of a two-tone horn.
Buffer horn(std::string&)
{
    Buffer b;
    const double hold[] = {0.14, 0.4};
    for (int k = 0; k < 2; ++k) {
        Osc a(Wave::Saw), c(Wave::Saw);
        Biquad lp, body;
        lp.lowpass(2600.0, 1.0);
        body.peak(700.0, 1.5, 6.0);
        double h = hold[k];
        add(b,
            render(h + 0.06,
                   [&](double t) {
                       double raw = saturate(0.9 * (a.next(415.0) + c.next(523.0)));
                       return body.process(lp.process(raw)) * adsr(t, h, 0.012, 0.03, 0.85, 0.04);
                   }),
            0.2 * k);
    }
    return b;
}

// A car driving at the crowd: the engine revs and roars past.
Buffer engine_pass(std::string&)
{
    const double len = 1.3;
    Osc e1(Wave::Saw), e2(Wave::Pulse, 0.0, 0.3);
    Noise n(141);
    Biquad lp;
    return render(len, [&](double t) {
        double x = t / len;
        double rev = expo(38.0, 85.0, std::min(1.0, t / 0.6));
        double doppler = 1.08 - 0.2 / (1.0 + std::exp(-(t - 0.75) * 12.0));
        double hz = rev * doppler;
        lp.lowpass(350.0 + 1600.0 * std::sin(kPi * x), 1.2);
        double v = lp.process(e1.next(hz) + 0.6 * e2.next(hz * 2.0) + 0.25 * n.white());
        double amp = std::pow(std::sin(kPi * std::min(1.0, x * 1.05)), 1.5);
        return saturate(2.0 * v) * amp;
    });
}

// A plane coming in: propeller drone with its rush of air, passing overhead.
Buffer plane(std::string&)
{
    const double len = 1.5;
    Osc prop(Wave::Pulse, 0.0, 0.2), buzz(Wave::Saw);
    Noise n(151);
    Biquad air, lp;
    return render(len, [&](double t) {
        double x = t / len;
        double doppler = 1.12 - 0.25 / (1.0 + std::exp(-(t - 0.8) * 7.0));
        double chop = 0.6 + 0.4 * std::sin(kTwoPi * 24.0 * doppler * t);
        air.bandpass(1400.0 * doppler, 0.8);
        lp.lowpass(1800.0);
        double v = lp.process(prop.next(95.0 * doppler) * 0.7 + buzz.next(190.0 * doppler) * 0.3) * chop +
                   air.process(n.white()) * 0.8;
        return v * std::pow(std::sin(kPi * x), 1.3);
    });
}

// The giant robot arrives: two heavy steps and the whine of its servos.
Buffer giant_robot(std::string&)
{
    const double len = 1.3;
    Buffer b = make(len);
    for (int k = 0; k < 2; ++k) {
        double at = 0.45 * k;
        add(b, thump(75.0, 32.0, 0.15, 0.5, 0.14), at, 1.0);
        add(b, bell(310.0 + 40.0 * k, 0.4, 0.09, 1.0), at, 0.35); // the clank of steel
        add(b,
            noise_low(
                161 + k, 0.2, [](double) { return 900.0; }, [](double t) { return perc(t, 0.001, 0.03); }),
            at, 0.5);
    }
    Osc servo(Wave::Saw);
    Biquad bp;
    bp.bandpass(1200.0, 2.0);
    Buffer whine = render(len, [&](double t) {
        double hz = 250.0 + 220.0 * std::sin(kPi * std::min(1.0, t / 1.1));
        return bp.process(servo.next(hz)) * adsr(t - 0.15, 0.85, 0.2, 0.2, 0.8, 0.25);
    });
    add(b, whine, 0.0, 0.5);
    for (double& s : b) s = saturate(1.3 * s);
    fade(b, 0.0, 0.1);
    return b;
}

// A meteor on its way: a falling scream of air over a growing rumble.
Buffer meteor(std::string&)
{
    const double len = 1.5;
    Buffer b = noise_band(
        171, len, 3.0, [&](double t) { return expo(6000.0, 500.0, t / len); },
        [&](double t) { return std::min(1.0, t / 0.3) * (t > 1.2 ? (len - t) / 0.3 : 1.0); });
    add(b,
        noise_low(
            172, len, [](double) { return 160.0; },
            [&](double t) { return std::pow(t / len, 2.0) * (t > 1.35 ? (len - t) / 0.15 : 1.0); }, true),
        0.0, 1.5);
    Osc whistle(Wave::Sine);
    add(b,
        render(len,
               [&](double t) { return whistle.next(expo(2400.0, 700.0, t / len)) * 0.15 * std::sin(kPi * t / len); }),
        0.0);
    return b;
}

// A bomb falling: the long whistle downward.
Buffer falling(std::string&)
{
    const double len = 1.2;
    Osc o(Wave::Sine), h(Wave::Triangle);
    Noise n(181);
    Biquad bp;
    return render(len, [&](double t) {
        double hz = expo(1900.0, 520.0, t / len) * (1.0 + 0.006 * std::sin(kTwoPi * 7.0 * t));
        bp.bandpass(hz, 8.0);
        double amp = std::min(1.0, t / 0.1) * lerp(0.4, 1.0, t / len) * (t > 1.1 ? (len - t) / 0.1 : 1.0);
        return (o.next(hz) + 0.2 * h.next(hz) + 0.3 * bp.process(n.white())) * amp;
    });
}

// A laser beam: a zap falling through a resonant pulse.
Buffer laser(std::string&)
{
    const double len = 0.5;
    Osc p(Wave::Pulse, 0.0, 0.25), s(Wave::Sine);
    Biquad res;
    Buffer b = render(len, [&](double t) {
        double hz = expo(2600.0, 180.0, t / 0.4);
        res.lowpass(hz * 3.0, 4.0);
        return (res.process(p.next(hz)) * 0.6 + 0.5 * s.next(hz * 2.0)) * perc(t, 0.002, 0.15);
    });
    echo(b, 0.06, 0.3, 0.3);
    fade(b, 0.0, 0.05);
    return b;
}

// Fire: a whoosh of flame and its crackle.
Buffer fire(std::string&)
{
    const double len = 1.2;
    Noise n(191), f(193);
    Biquad lp;
    OnePole flicker;
    flicker.set(8.0);
    Buffer b = render(len, [&](double t) {
        double flick = 0.7 + 0.6 * flicker.lowpass(f.white() * 3.0);
        lp.lowpass(expo(2500.0, 800.0, t / len), 0.7);
        double env = std::min(1.0, t / 0.08) * (t > 0.8 ? (len - t) / 0.4 : 1.0);
        return lp.process(n.white()) * flick * env;
    });
    add(b, crackle(192, len, [&](double t) { return 40.0 * (t > 0.9 ? (len - t) / 0.3 : 1.0); }), 0.0, 0.35);
    return b;
}

// Body bump: a dull thud.
Buffer bump(std::string&)
{
    const double len = 0.3;
    Buffer b = thump(120.0, 45.0, 0.08, len, 0.07);
    add(b,
        noise_low(
            201, len, [](double) { return 500.0; }, [](double t) { return perc(t, 0.001, 0.025); }),
        0.0, 1.4);
    add(b, thump(260.0, 180.0, 0.03, 0.1, 0.02), 0.0, 0.3);
    for (double& s : b) s = saturate(1.5 * s);
    fade(b, 0.0, 0.03);
    return b;
}

// The cries of customers run over.
Buffer cry_kid(std::string& error)
{
    voice::Speech how;
    how.voice = "ja+f4";
    how.rate = 220;
    how.pitch = 95;
    how.range = 100;
    return spoken("うわああっ", how, 1.3, 1.0, error);
}

Buffer cry_girl(std::string& error)
{
    voice::Speech how;
    how.voice = "ja+f2";
    how.rate = 230;
    how.pitch = 85;
    how.range = 100;
    return spoken("きゃああっ", how, 1.15, 0.92, error);
}

Buffer cry_woman(std::string& error)
{
    voice::Speech how;
    how.voice = "ja+f1";
    how.rate = 210;
    how.pitch = 62;
    how.range = 90;
    return spoken("いやああっ", how, 1.0, 0.88, error);
}

} // namespace

const std::vector<Effect>& effects()
{
    static const std::vector<Effect> list = {
        {"1.wav", click},
        {"2.wav", menu_whoosh},
        {"katan.wav", register_clack},
        {"coin.wav", coin},
        {"item_get.wav", item_jingle},
        {"hp.wav", energy_up},
        {"lvup_voice.wav", level_up_voice},
        {"lvup.wav", level_up_fanfare},
        {"kaifuku.wav", heal},
        {"taberu.wav", eating},
        {"sleep.wav", sleep_chime},
        {"lvcap.wav", clear_mark},
        {"ex.wav", extra},
        {"fuu.wav", shout},
        {"rpg.wav", rocket},
        {"bp.wav", purchase},
        {"skill_up.wav", skill_up},
        {"clear.wav", stage_clear},
        {"battle_lvup.wav", quota_reached},
        {"gameover.wav", game_over},
        {"time.wav", new_day},
        {"time2.wav", last_day_hour},
        {"gun.wav", gunshot},
        {"bom.wav", small_blast},
        {"dog.wav", robot_bark},
        {"car.wav", horn},
        {"air.wav", plane},
        {"bill.wav", giant_robot},
        {"meteo.wav", meteor},
        {"car2.wav", engine_pass},
        {"fall.wav", falling},
        {"bom2.wav", big_blast},
        {"lazer.wav", laser},
        {"fire.wav", fire},
        {"baku.wav", debris_blast},
        {"taiatari.wav", bump},
        {"kid.wav", cry_kid},
        {"girl.wav", cry_girl},
        {"women.wav", cry_woman},
    };
    return list;
}

} // namespace assetgen::sound
