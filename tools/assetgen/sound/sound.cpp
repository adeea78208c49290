#include "sound/sound.h"

#include "sound/effects.h"
#include "sound/synth.h"
#include "sound/wav.h"

namespace assetgen::sound {

namespace {

// Every effect leaves the synthesizer the same way: no DC, no click at the end, the same peak.
void finish(synth::Buffer& b)
{
    synth::Biquad dc;
    dc.highpass(18.0, 0.6);
    for (double& s : b) s = dc.process(s);
    synth::fade(b, 0.0, 0.005);
    synth::normalize(b, kPeakDb);
}

} // namespace

bool generate(const std::filesystem::path& dir, std::string& error)
{
    for (const Effect& e : effects()) {
        std::string why;
        synth::Buffer b = e.make(why);
        if (b.empty()) {
            error = std::string(e.file) + ": " + (why.empty() ? "nothing made" : why);
            return false;
        }
        finish(b);
        if (!wav::write(dir / e.file, wav::quantize(b), 1, synth::kRate, error)) return false;
    }
    return true;
}

} // namespace assetgen::sound
