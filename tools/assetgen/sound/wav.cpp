#include "sound/wav.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace assetgen::wav {

namespace {

void put16(std::vector<unsigned char>& out, unsigned v)
{
    out.push_back(static_cast<unsigned char>(v & 0xFF));
    out.push_back(static_cast<unsigned char>((v >> 8) & 0xFF));
}

void put32(std::vector<unsigned char>& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void tag(std::vector<unsigned char>& out, const char* t) { out.insert(out.end(), t, t + 4); }

std::uint32_t get32(const std::vector<unsigned char>& d, std::size_t at)
{
    return static_cast<std::uint32_t>(d[at]) | static_cast<std::uint32_t>(d[at + 1]) << 8 |
           static_cast<std::uint32_t>(d[at + 2]) << 16 | static_cast<std::uint32_t>(d[at + 3]) << 24;
}

unsigned get16(const std::vector<unsigned char>& d, std::size_t at) { return d[at] | (d[at + 1] << 8u); }

} // namespace

bool write(const std::filesystem::path& path, const std::vector<std::int16_t>& samples, int channels, int rate,
           std::string& error)
{
    const auto data_bytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<unsigned char> out;
    out.reserve(44 + data_bytes);
    tag(out, "RIFF");
    put32(out, 36 + data_bytes);
    tag(out, "WAVE");
    tag(out, "fmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, static_cast<unsigned>(channels));
    put32(out, static_cast<std::uint32_t>(rate));
    put32(out, static_cast<std::uint32_t>(rate * channels * 2));
    put16(out, static_cast<unsigned>(channels * 2));
    put16(out, 16);
    tag(out, "data");
    put32(out, data_bytes);
    for (std::int16_t s : samples) put16(out, static_cast<std::uint16_t>(s));

    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f) {
        error = "cannot write " + path.string();
        return false;
    }
    f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!f) {
        error = "write failed: " + path.string();
        return false;
    }
    return true;
}

std::vector<std::int16_t> quantize(const std::vector<double>& samples)
{
    std::vector<std::int16_t> out(samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        double v = std::round(samples[i] * 32767.0);
        if (v > 32767.0) v = 32767.0;
        if (v < -32768.0) v = -32768.0;
        out[i] = static_cast<std::int16_t>(v);
    }
    return out;
}

Info inspect(const std::filesystem::path& path)
{
    Info info;
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        info.problem = "cannot open";
        return info;
    }
    std::vector<unsigned char> d((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (d.size() < 12 || std::string(d.begin(), d.begin() + 4) != "RIFF" ||
        std::string(d.begin() + 8, d.begin() + 12) != "WAVE") {
        info.problem = "not a RIFF/WAVE file";
        return info;
    }
    bool have_fmt = false;
    std::size_t at = 12;
    while (at + 8 <= d.size()) {
        std::string id(d.begin() + static_cast<long>(at), d.begin() + static_cast<long>(at) + 4);
        std::size_t len = get32(d, at + 4);
        std::size_t body = at + 8;
        if (body + len > d.size()) {
            info.problem = "chunk " + id + " runs past the end";
            return info;
        }
        if (id == "fmt ") {
            if (len < 16 || get16(d, body) != 1) {
                info.problem = "not PCM";
                return info;
            }
            info.channels = static_cast<int>(get16(d, body + 2));
            info.rate = static_cast<int>(get32(d, body + 4));
            info.bits = static_cast<int>(get16(d, body + 14));
            have_fmt = true;
        } else if (id == "data") {
            if (!have_fmt || info.bits != 16 || info.channels < 1) {
                info.problem = "data before a 16-bit fmt chunk";
                return info;
            }
            std::size_t n = len / 2;
            info.frames = n / static_cast<std::size_t>(info.channels);
            info.seconds = static_cast<double>(info.frames) / info.rate;
            for (std::size_t i = 0; i < n; ++i) {
                auto s = static_cast<std::int16_t>(get16(d, body + 2 * i));
                int a = s < 0 ? -static_cast<int>(s) : s;
                if (a > info.peak) info.peak = a;
                if (a >= 32767) ++info.clipped;
            }
            info.peak_db = info.peak > 0 ? 20.0 * std::log10(info.peak / 32767.0) : -1e9;
            info.ok = true;
            return info;
        }
        at = body + len + (len & 1);
    }
    info.problem = "no data chunk";
    return info;
}

} // namespace assetgen::wav
