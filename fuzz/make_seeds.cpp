// Seed corpora for the fuzz targets: saves the game writes, pictures and sounds of the generated
// pack made small (in the other BMP and JPEG flavours a player's own files may come in), and
// input scripts with every event.
//
//   fuzz_seeds OUT_DIR PACK_DIR      (PACK_DIR holds the generated cg/ and dat/)
#include "app/save_file.h"
#include "core/game_state.h"
#include "home/new_game.h"
#include "platform/files.h"
#include "platform/pictures.h"
#include "test_support.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Bytes = std::string;

void put(const fs::path& file, const Bytes& bytes)
{
    std::FILE* f = std::fopen(file.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || std::fclose(f) != 0) {
        std::fprintf(stderr, "fuzz_seeds: cannot write %s\n", file.c_str());
        std::exit(1);
    }
}

Bytes get(const fs::path& file)
{
    Bytes bytes;
    std::string error;
    if (zen::read_file_bytes(file, std::size_t{64} << 20, bytes, error) != zen::ReadResult::ok) {
        std::fprintf(stderr, "fuzz_seeds: %s\n", error.c_str());
        std::exit(1);
    }
    return bytes;
}

void le(Bytes& b, std::uint32_t v, int n)
{
    for (int i = 0; i < n; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A picture of the pack, sampled down to w x h, as 0xRRGGBB pixels.
struct Small {
    int w = 0;
    int h = 0;
    std::vector<zen::Colour> px;
    std::uint32_t at(int x, int y) const { return px[static_cast<std::size_t>(y) * w + x]; }
};

Small sample(const fs::path& file, int w, int h)
{
    zen::Canvas c;
    std::string error;
    if (!zen::load_picture(file, c, error)) {
        std::fprintf(stderr, "fuzz_seeds: %s\n", error.c_str());
        std::exit(1);
    }
    Small s{w, h, {}};
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) s.px.push_back(c.pixel(x * c.width() / w, y * c.height() / h));
    return s;
}

// BMP flavours: 24-bit bottom-up or top-down, the old OS/2 header, 8-bit with a palette (plain or
// run-length coded), 32-bit with bit fields.
enum class Bmp { rgb24, top_down, os2, pal8, rle8, bitfields32 };

Bytes bmp(const Small& s, Bmp kind)
{
    const bool pal = kind == Bmp::pal8 || kind == Bmp::rle8;
    const int bits = pal ? 8 : (kind == Bmp::bitfields32 ? 32 : 24);
    Bytes pixels;
    for (int r = 0; r < s.h; ++r) {
        const int y = kind == Bmp::top_down ? r : s.h - 1 - r;
        Bytes row;
        for (int x = 0; x < s.w; ++x) {
            const std::uint32_t p = s.at(x, y);
            if (pal)
                row += static_cast<char>(((p >> 16) & 0xE0) | ((p >> 11) & 0x1C) | ((p >> 6) & 0x03));
            else
                le(row, p, bits / 8);
        }
        if (kind == Bmp::rle8) {
            // Runs of one index, then the end of the line.
            for (std::size_t i = 0; i < row.size();) {
                std::size_t n = 1;
                while (i + n < row.size() && n < 255 && row[i + n] == row[i]) ++n;
                pixels += static_cast<char>(n);
                pixels += row[i];
                i += n;
            }
            pixels += std::string("\0\0", 2);
        } else {
            while (row.size() % 4) row += '\0';
            pixels += row;
        }
    }
    if (kind == Bmp::rle8) pixels += std::string("\0\1", 2);
    Bytes palette;
    if (pal)
        for (std::uint32_t i = 0; i < 256; ++i)
            le(palette, ((i & 0xE0) << 16) | ((i & 0x1C) << 11) | ((i & 0x03) << 6), 4);
    if (kind == Bmp::bitfields32) {
        le(palette, 0xFF0000, 4);
        le(palette, 0x00FF00, 4);
        le(palette, 0x0000FF, 4);
    }
    const std::uint32_t header = kind == Bmp::os2 ? 12 : 40;
    const std::uint32_t offset = 14 + header + static_cast<std::uint32_t>(palette.size());
    Bytes b = "BM";
    le(b, offset + static_cast<std::uint32_t>(pixels.size()), 4);
    le(b, 0, 4);
    le(b, offset, 4);
    le(b, header, 4);
    if (kind == Bmp::os2) {
        le(b, static_cast<std::uint32_t>(s.w), 2);
        le(b, static_cast<std::uint32_t>(s.h), 2);
        le(b, 1, 2);
        le(b, 24, 2);
    } else {
        le(b, static_cast<std::uint32_t>(s.w), 4);
        le(b, static_cast<std::uint32_t>(kind == Bmp::top_down ? -s.h : s.h), 4);
        le(b, 1, 2);
        le(b, static_cast<std::uint32_t>(bits), 2);
        le(b, kind == Bmp::rle8 ? 1 : (kind == Bmp::bitfields32 ? 3 : 0), 4);
        le(b, static_cast<std::uint32_t>(pixels.size()), 4);
        le(b, 2835, 4);
        le(b, 2835, 4);
        le(b, pal ? 256 : 0, 4);
        le(b, 0, 4);
    }
    return b + palette + pixels;
}

// JPEG flavours: baseline at two qualities and samplings, progressive, greyscale, arithmetic
// coding, and restart markers.
struct Jpeg {
    const char* name;
    zen::test::JpegStyle style;
};

Bytes jpeg(const Small& s, const zen::test::JpegStyle& style)
{
    const std::vector<unsigned char> bytes = zen::test::encode_jpeg(s.w, s.h, s.px, style);
    return Bytes(bytes.begin(), bytes.end());
}

// A WAV of the pack cut to its first samples, its sizes made to match.
Bytes short_wav(const Bytes& wav, std::size_t keep)
{
    Bytes out = wav.substr(0, 12);
    for (std::size_t at = 12; at + 8 <= wav.size();) {
        std::uint32_t n = 0;
        std::memcpy(&n, wav.data() + at + 4, 4);
        Bytes id = wav.substr(at, 4);
        Bytes body = wav.substr(at + 8, n);
        if (id == "data") body.resize(std::min<std::size_t>(body.size(), keep));
        out += id;
        le(out, static_cast<std::uint32_t>(body.size()), 4);
        out += body;
        if (body.size() & 1) out += '\0';
        if (id == "data") break;
        at += 8 + n + (n & 1);
    }
    const std::uint32_t riff = static_cast<std::uint32_t>(out.size() - 8);
    std::memcpy(out.data() + 4, &riff, 4);
    return out;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: fuzz_seeds OUT_DIR PACK_DIR\n");
        return 2;
    }
    const fs::path out = argv[1];
    const fs::path pack = argv[2];
    for (const char* dir : {"save", "bmp", "jpeg", "wav", "input"}) fs::create_directories(out / dir);

    // Saves: a new game, a stage in progress, the same cut after the stage's sales, and with LF
    // line ends.
    zen::Paths paths;
    paths.data_dir = pack;
    paths.save_dir = out;
    zen::Platform platform = zen::make_headless_platform(paths);
    zen::Game game(platform, 1);
    zen::new_game(game);
    put(out / "save" / "new_game.dat", zen::save_text(game));
    game.stage = 3;
    game.my.day = 4;
    game.my.hour = 13;
    game.my.minute = 27;
    game.my.money = 1234567;
    game.my.level = 12;
    game.my.exp = 55;
    game.my.sales = 4500;
    game.my.news_index = 5;
    game.my.item_count[3] = 7;
    game.my.item_count[130] = 1;
    game.my.genre_known[3] = 1;
    game.my.stage_clears[1] = 2;
    game.my.ad_power[3] = 4;
    game.my.news_read[2] = 1;
    game.my.rpg_ammo = 3;
    const std::string running = zen::save_text(game);
    put(out / "save" / "stage_running.dat", running);
    std::size_t cut = 0;
    for (int line = 0; line < 2014; ++line) cut = running.find('\n', cut) + 1;
    put(out / "save" / "short.dat", running.substr(0, cut));
    std::string lf = running;
    for (std::size_t at = 0; (at = lf.find("\r\n", at)) != std::string::npos;) lf.erase(at, 1);
    put(out / "save" / "lf.dat", lf);

    // Pictures: the small sprites as they are, and backgrounds made small in every flavour.
    for (const auto& e : fs::directory_iterator(pack / "cg"))
        if (e.path().extension() == ".bmp" && e.file_size() <= 8192)
            put(out / "bmp" / e.path().filename(), get(e.path()));
    const Small title = sample(pack / "cg" / "title.bmp", 40, 30);
    const char* const bmp_names[] = {"rgb24", "top_down", "os2", "pal8", "rle8", "bitfields32"};
    for (int k = 0; k < 6; ++k) put(out / "bmp" / (std::string("title_") + bmp_names[k] + ".bmp"), bmp(title, Bmp(k)));
    const Jpeg flavours[] = {
        {"baseline", {90, false, false, false, false, 0}},  {"subsampled", {60, true, false, false, false, 0}},
        {"progressive", {80, true, true, false, false, 0}}, {"grey", {85, false, false, true, false, 0}},
        {"arithmetic", {75, true, false, false, true, 0}},  {"restarts", {70, true, false, false, false, 1}},
    };
    for (const char* name : {"start.jpg", "sea.jpg"}) {
        const Small s = sample(pack / "cg" / name, 48, 36);
        for (const Jpeg& f : flavours)
            put(out / "jpeg" / (fs::path(name).stem().string() + "_" + f.name + ".jpg"), jpeg(s, f.style));
    }

    // Sounds: the click whole, a few others cut short.
    put(out / "wav" / "1.wav", get(pack / "dat" / "1.wav"));
    for (const char* name : {"coin.wav", "gun.wav", "bom.wav", "lvup_voice.wav"})
        put(out / "wav" / name, short_wav(get(pack / "dat" / name), 2000));

    // Input scripts.
    put(out / "input" / "every_event.txt", "# every event\n"
                                           "1 move 10 20\n"
                                           "2 down left 400 300\n"
                                           "3 up left 400 300\n"
                                           "4 down right 799 599\n"
                                           "4 up right 0 0   # same frame\n"
                                           "5 down middle 1 1\n"
                                           "6 up middle 1 1\n"
                                           "10 click 400 300\n"
                                           "12 rclick 5 6\n"
                                           "20 answer yes\n"
                                           "20 answer no\n"
                                           "21 key escape\n"
                                           "30 quit\n");
    put(out / "input" / "title.txt", "5 click 400 300\n10 rclick 10 10\n15 move 700 50\n20 quit\n");
    put(out / "input" / "reset.txt", "2 answer yes\n2 answer yes\n2 answer yes\n3 key escape\n\n5 quit\n");
    return 0;
}
