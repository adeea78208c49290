#include "platform/sound_files.h"

#include "platform/files.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace zen {

namespace {

std::uint32_t le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint32_t le16(const unsigned char* p) { return p[0] | (p[1] << 8); }

// The length in bytes of the MPEG audio frame whose header starts at p (4 bytes), or 0 when
// those bytes are no frame header.
std::size_t mpeg_frame_length(const unsigned char* p)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return 0;
    const int version = (p[1] >> 3) & 3; // 0: 2.5, 1: none, 2: 2, 3: 1
    const int layer = (p[1] >> 1) & 3;   // 1: III, 2: II, 3: I
    const int bitrate_index = p[2] >> 4;
    const int rate_index = (p[2] >> 2) & 3;
    const int padding = (p[2] >> 1) & 1;
    if (version == 1 || layer == 0 || bitrate_index == 0 || bitrate_index == 15 || rate_index == 3) return 0;
    // Kilobits a second by version 1 or 2 (2.5 as 2) and layer I, II, III.
    static constexpr std::uint16_t kBitrates[2][3][14] = {
        {{32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},
         {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},
         {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320}},
        {{32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},
         {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},
         {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160}}};
    static constexpr std::uint32_t kRates[3] = {44100, 48000, 32000};
    const bool v1 = version == 3;
    const int layer_number = 4 - layer; // 1, 2 or 3
    const std::size_t bitrate = kBitrates[v1 ? 0 : 1][layer_number - 1][bitrate_index - 1] * std::size_t{1000};
    const std::size_t rate = kRates[rate_index] >> (v1 ? 0 : version == 2 ? 1 : 2);
    const auto pad = static_cast<std::size_t>(padding);
    if (layer_number == 1) return (12 * bitrate / rate + pad) * 4;
    const std::size_t per_frame = layer_number == 3 && !v1 ? 72 : 144;
    return per_frame * bitrate / rate + pad;
}

} // namespace

bool looks_like_mp3(std::string_view bytes)
{
    const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t size = bytes.size();
    std::size_t at = 0;
    if (size >= 10 && bytes.substr(0, 3) == "ID3") {
        // The tag's size: four bytes of seven bits each, then the footer when its flag says so.
        if ((b[6] | b[7] | b[8] | b[9]) & 0x80) return false;
        at = 10 + ((std::size_t{b[6]} << 21) | (std::size_t{b[7]} << 14) | (std::size_t{b[8]} << 7) | b[9]) +
             ((b[5] & 0x10) ? 10 : 0);
    }
    // A few bytes of padding may stand between the tag and the first frame.
    const std::size_t search_end = std::min(size, at + 4096);
    for (std::size_t first = at; first + 4 <= search_end; ++first) {
        int frames = 0;
        std::size_t next = first;
        while (frames < 3 && next + 4 <= size) {
            const std::size_t length = mpeg_frame_length(b + next);
            if (length == 0) break;
            next += length;
            ++frames;
        }
        if (frames >= 3 || (frames >= 2 && next >= size)) return true;
    }
    return false;
}

bool read_music_file(const std::string& file, std::string& bytes, std::string& error)
{
    if (read_file_bytes(file, kSoundFileLimit, bytes, error) != ReadResult::ok) {
        bytes.clear();
        return false;
    }
    if (looks_like_mp3(bytes)) return true;
    bytes.clear();
    error = file + ": is not an MP3 file";
    return false;
}

void say_music_stays_silent(const std::string& why)
{
    std::fprintf(stderr, "zentrifa: music %s; it stays silent\n", why.c_str());
}

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
