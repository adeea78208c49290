#pragma once
// Sound files as the audio services take them: read whole, bounded in size, and a WAV checked
// chunk by chunk before any decoder sees it.
#include <cstddef>
#include <string>
#include <string_view>

namespace zen {

// The largest effect or music file read (an effect is seconds long, a piece of music minutes).
constexpr std::size_t kSoundFileLimit = std::size_t{64} << 20;

// Reads a sound or music file; false (bytes empty) when it is missing, not a regular file,
// too large or unreadable.
bool read_sound_file(const std::string& file, std::string& bytes);

// A RIFF/WAVE file whose format chunk is PCM-like and whose data chunk lies inside the file.
bool looks_like_wav(std::string_view bytes);

} // namespace zen
