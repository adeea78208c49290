// The audio service without a device: a headless run, or a machine without sound. It reads and
// checks effect files like the real one, so the game's bookkeeping is the same, and plays nothing.
#include "platform/audio.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace zen {

namespace {

std::uint32_t le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }

// A RIFF/WAVE file whose format chunk is PCM-like and whose data chunk lies inside the file.
bool looks_like_wav(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    const std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" || std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
        return false;
    bool format = false;
    for (std::size_t at = 12; at + 8 <= b.size();) {
        const std::string id(b.begin() + static_cast<std::ptrdiff_t>(at), b.begin() + static_cast<std::ptrdiff_t>(at) + 4);
        const std::uint64_t size = le32(&b[at + 4]);
        if (at + 8 + size > b.size()) return false;
        if (id == "fmt ") format = size >= 16;
        if (id == "data") return format && size > 0;
        at += 8 + size + (size & 1);
    }
    return false;
}

class SilentAudio final : public Audio {
public:
    int load_effect(const std::string& file) override
    {
        if (!looks_like_wav(file)) return -1;
        return next_++;
    }
    void play_effect(int, double) override {}
    void play_music(const std::string&) override {}
    void stop_music() override {}

private:
    int next_ = 0;
};

} // namespace

std::unique_ptr<Audio> make_silent_audio() { return std::make_unique<SilentAudio>(); }

} // namespace zen
