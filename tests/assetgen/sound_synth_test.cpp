// The synthesizer's oscillators: the pitch asked for, at every wave shape, and no energy folded
// back below a high note (the reason for band-limiting).
#include "sound/synth.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace assetgen::synth;

namespace {

// Rising zero crossings per second.
double measured_hz(Wave w, double hz)
{
    Osc o(w, 0.1);
    double prev = o.next(hz);
    int crossings = 0;
    for (int i = 1; i < kRate; ++i) {
        double v = o.next(hz);
        if (prev < 0.0 && v >= 0.0) ++crossings;
        prev = v;
    }
    return crossings;
}

// Energy of x at frequency f (a single DFT bin), relative to full scale.
double level_at(const Buffer& x, double f)
{
    double re = 0.0, im = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        double a = kTwoPi * f * static_cast<double>(i) / kRate;
        re += x[i] * std::cos(a);
        im += x[i] * std::sin(a);
    }
    return 2.0 * std::sqrt(re * re + im * im) / static_cast<double>(x.size());
}

} // namespace

TEST(Synth, EveryWaveSoundsAtItsPitchLowAndHigh)
{
    for (Wave w : {Wave::Sine, Wave::Triangle, Wave::Saw, Wave::Square, Wave::Pulse}) {
        EXPECT_NEAR(measured_hz(w, 220.0), 220.0, 1.0);
        EXPECT_NEAR(measured_hz(w, 1760.0), 1760.0, 1.0);
    }
}

TEST(Synth, HighSquareFoldsNothingBelowItsPitch)
{
    // A 3 kHz square's harmonics at 15 and 21 kHz; a naive one folds 27 kHz down to 17.1 kHz and
    // 33 kHz to 11.1 kHz, in between its real partials.
    Osc o(Wave::Square);
    Buffer b(kRate / 2);
    for (double& s : b) s = o.next(3000.0);
    EXPECT_GT(level_at(b, 3000.0), 1.2); // 4/pi
    EXPECT_NEAR(level_at(b, 9000.0), 4.0 / (3.14159 * 3.0), 0.02);
    EXPECT_LT(level_at(b, 11100.0), 1e-3);
    EXPECT_LT(level_at(b, 17100.0), 1e-3);
}

TEST(Synth, EchoKeepsItsTailAndNormalizeSetsThePeak)
{
    Buffer b(100, 0.0);
    b[0] = 1.0;
    echo(b, 0.01, 0.5, 0.5);
    ASSERT_GT(b.size(), 100u + 441u * 5u); // repeats beyond the dry sound
    EXPECT_NEAR(b[441], 0.5, 1e-9);
    EXPECT_NEAR(b[882], 0.25, 1e-9);
    normalize(b, -6.0);
    EXPECT_NEAR(peak(b), std::pow(10.0, -6.0 / 20.0), 1e-12);
}
