#include "platform/sound_files.h"

#include "platform/files.h"

#include <algorithm>
#include <cstdint>

namespace zen {

namespace {

std::uint32_t le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint32_t le16(const unsigned char* p) { return p[0] | (p[1] << 8); }

} // namespace

bool read_sound_file(const std::string& file, std::string& bytes)
{
    std::string error;
    return read_file_bytes(file, kSoundFileLimit, bytes, error) == ReadResult::ok;
}

bool looks_like_wav(std::string_view bytes)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    if (size < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") return false;
    bool format = false;
    for (std::size_t at = 12; at + 8 <= size;) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint64_t chunk = le32(b + at + 4);
        if (at + 8 + chunk > size) return false;
        if (id == "fmt ") format = chunk >= 16;
        if (id == "data") return format && chunk > 0;
        at += 8 + chunk + (chunk & 1);
    }
    return false;
}

std::uint64_t wav_converted_bytes(std::string_view bytes, int device_rate, int device_frame_bytes)
{
    constexpr std::uint64_t kUnknown = UINT64_MAX;
    if (!looks_like_wav(bytes) || device_rate <= 0 || device_frame_bytes <= 0) return kUnknown;
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    std::uint64_t channels = 0;
    std::uint64_t rate = 0;
    std::uint64_t bits = 0;
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint64_t chunk = le32(b + at + 4);
        if (id == "fmt " && chunk >= 16) {
            channels = le16(b + at + 10);
            rate = le32(b + at + 12);
            bits = le16(b + at + 22);
        }
        if (id == "data") {
            if (channels == 0 || rate == 0) return kUnknown;
            // Compressed samples (ADPCM) take four bits at the least: count them so, which bounds
            // what the decoder makes of them.
            const std::uint64_t frames = chunk * 8 / (std::max<std::uint64_t>(bits, 4) * channels);
            const auto out_rate = static_cast<std::uint64_t>(device_rate);
            // The data lies within a file of at most 64 MB: its frames times a 32-bit rate fit 64 bits.
            return (frames * out_rate / rate + 1) * static_cast<std::uint64_t>(device_frame_bytes);
        }
        at += 8 + chunk + (chunk & 1);
    }
    return kUnknown;
}

} // namespace zen
