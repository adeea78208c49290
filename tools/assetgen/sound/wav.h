#pragma once
// Our own WAV files: 16-bit PCM, 44.1 kHz, and a reader that checks what the game will get.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace assetgen::wav {

// Writes 16-bit PCM (mono when channels is 1, interleaved otherwise) at the given rate.
bool write(const std::filesystem::path& path, const std::vector<std::int16_t>& samples, int channels, int rate,
           std::string& error);

// Rounds doubles in [-1, 1] to 16-bit samples (values past full scale are held at full scale).
std::vector<std::int16_t> quantize(const std::vector<double>& samples);

struct Info {
    bool ok = false;     // a RIFF/WAVE file with a PCM fmt chunk and a data chunk
    std::string problem; // why not, when !ok
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::size_t frames = 0;
    double seconds = 0.0;
    int peak = 0;            // largest |sample|
    double peak_db = -1e9;   // relative to full scale (32767)
    std::size_t clipped = 0; // samples at full scale, the sign of a clipped signal
};

// Reads and measures a WAV file.
Info inspect(const std::filesystem::path& path);

} // namespace assetgen::wav
