#include "platform/sound_files.h"

#include "platform/files.h"

#include <cstdint>

namespace zen {

namespace {

std::uint32_t le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }

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

} // namespace zen
