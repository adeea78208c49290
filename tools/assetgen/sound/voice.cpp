#include "sound/voice.h"

#include <espeak-ng/speak_lib.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <vector>

namespace assetgen::voice {

namespace {

int collect(short* wav, int count, espeak_EVENT* events)
{
    if (wav == nullptr || count <= 0) return 0;
    auto* out = static_cast<std::vector<short>*>(events->user_data);
    out->insert(out->end(), wav, wav + count);
    return 0;
}

bool write_all(int fd, const void* data, std::size_t size)
{
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd, p, size);
        if (n <= 0) return false;
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// Runs in a child process: espeak-ng keeps state from one utterance to the next (and can hang
// when started a second time), so every word is spoken by a fresh instance, which makes the
// same word come out sample for sample the same. Sends the rate, then the samples.
[[noreturn]] void speak_child(int fd, const std::string& text, const Speech& how)
{
    // Synchronous output: espeak-ng never opens a sound device, it only hands us the samples.
    int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 200, nullptr, espeakINITIALIZE_DONT_EXIT);
    std::vector<short> pcm;
    if (rate > 0) {
        espeak_SetSynthCallback(collect);
        bool ok =
            espeak_SetVoiceByName(how.voice.c_str()) == EE_OK &&
            espeak_SetParameter(espeakRATE, how.rate, 0) == EE_OK &&
            espeak_SetParameter(espeakPITCH, how.pitch, 0) == EE_OK &&
            espeak_SetParameter(espeakRANGE, how.range, 0) == EE_OK &&
            espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, &pcm) == EE_OK;
        if (!ok) pcm.clear();
    }
    std::int32_t header = rate;
    bool sent = write_all(fd, &header, sizeof header) && write_all(fd, pcm.data(), pcm.size() * sizeof(short));
    ::close(fd);
    ::_exit(sent ? 0 : 1);
}

} // namespace

synth::Buffer speak(const std::string& text, const Speech& how, std::string& error)
{
    int fds[2];
    if (::pipe(fds) != 0) {
        error = "no pipe for espeak-ng";
        return {};
    }
    pid_t child = ::fork();
    if (child < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        error = "cannot start espeak-ng";
        return {};
    }
    if (child == 0) {
        ::close(fds[0]);
        speak_child(fds[1], text, how);
    }
    ::close(fds[1]);
    std::vector<char> raw;
    char chunk[65536];
    for (;;) {
        ssize_t n = ::read(fds[0], chunk, sizeof chunk);
        if (n <= 0) break;
        raw.insert(raw.end(), chunk, chunk + n);
    }
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);

    std::int32_t rate = 0;
    if (raw.size() >= sizeof rate) std::copy(raw.begin(), raw.begin() + sizeof rate, reinterpret_cast<char*>(&rate));
    std::size_t count = raw.size() >= sizeof rate ? (raw.size() - sizeof rate) / sizeof(short) : 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || rate <= 0 || count == 0) {
        error = "espeak-ng could not say " + text;
        return {};
    }
    synth::Buffer b(count);
    for (std::size_t i = 0; i < count; ++i) {
        short s;
        std::copy(raw.begin() + static_cast<long>(sizeof rate + i * sizeof s),
                  raw.begin() + static_cast<long>(sizeof rate + (i + 1) * sizeof s), reinterpret_cast<char*>(&s));
        b[i] = s / 32768.0;
    }
    b = synth::resample(b, static_cast<double>(rate) / synth::kRate);
    // Interpolation leaves images of the voice above the old band edge; filter them away.
    synth::Biquad a, c;
    a.lowpass(0.42 * rate, 0.54);
    c.lowpass(0.42 * rate, 1.31);
    for (double& s : b) s = c.process(a.process(s));
    return b;
}

} // namespace assetgen::voice
