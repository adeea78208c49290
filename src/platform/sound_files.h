#pragma once
// Sound files as the audio services take them: read whole, bounded in size, and a WAV checked
// chunk by chunk before any decoder sees it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zen {

// The largest effect or music file read (an effect is seconds long, a piece of music minutes).
constexpr std::size_t kSoundFileLimit = std::size_t{64} << 20;

// Reads a sound or music file; false (bytes empty) when it is missing, not a regular file,
// too large or unreadable.
bool read_sound_file(const std::string& file, std::string& bytes);

// Reads a music file and checks that it holds MPEG audio; false, with why in error (the file's
// name first), when it is missing, unreadable, too large or no MP3.
bool read_music_file(const std::string& file, std::string& bytes, std::string& error);

// The one line said of a music file that cannot be played (why: read_music_file's error).
void say_music_stays_silent(const std::string& why);

// An MP3: after an ID3 tag, if any, MPEG audio frames that follow one another, at least three of
// them or two up to the end of the file. Random bytes hardly ever pass; a file cut short does.
bool looks_like_mp3(std::string_view bytes);

// A RIFF/WAVE file whose format chunk is PCM-like and whose data chunk lies inside the file.
bool looks_like_wav(std::string_view bytes);

// The most memory one effect may take once converted for the sound device: as much as the
// largest file read, some six minutes of CD-quality stereo. Conversion to the device's rate can
// make a tiny file at a very low sample rate thousands of times larger.
constexpr std::uint64_t kConvertedSoundLimit = kSoundFileLimit;

// How many bytes a WAV's samples take once converted to the device's rate (frames a second) and
// frame size (bytes a frame, all channels); an upper bound for compressed samples. UINT64_MAX
// when the file is not a WAV or names no sample rate.
std::uint64_t wav_converted_bytes(std::string_view bytes, int device_rate, int device_frame_bytes);

} // namespace zen
