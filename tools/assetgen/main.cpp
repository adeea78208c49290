// assetgen: writes the game's free asset pack.
//   assetgen --out DIR                 pictures into DIR/cg, sounds and music into DIR/dat,
//                                      the desktop icon into DIR/icons
//   assetgen --out DIR --only art|sound|music
//   assetgen --contact-sheet FILE.png [--out DIR]   every sprite on every stage background
#include "art/art.h"
#include "music/music.h"
#include "sound/sound.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

static int usage()
{
    std::fprintf(stderr, "usage: assetgen --out DIR [--only art|sound|music]\n"
                         "       assetgen --contact-sheet FILE.png [--out DIR]\n");
    return 2;
}

int main(int argc, char** argv)
{
    fs::path out = ".";
    std::string only;
    std::string sheet;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--out" && i + 1 < argc)
            out = argv[++i];
        else if (a == "--only" && i + 1 < argc)
            only = argv[++i];
        else if (a == "--contact-sheet" && i + 1 < argc)
            sheet = argv[++i];
        else
            return usage();
    }
    if (!only.empty() && only != "art" && only != "sound" && only != "music") return usage();

    std::string error;
    const fs::path cg = out / "cg";
    const fs::path dat = out / "dat";
    std::error_code ec;
    fs::create_directories(cg, ec);
    fs::create_directories(dat, ec);

    if (!sheet.empty()) {
        if (!assetgen::art::contact_sheet(cg, sheet, error)) {
            std::fprintf(stderr, "assetgen: contact sheet: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if ((only.empty() || only == "art") &&
        !(assetgen::art::generate(cg, error) && assetgen::art::write_icons(out / "icons", error))) {
        std::fprintf(stderr, "assetgen: art: %s\n", error.c_str());
        return 1;
    }
    if ((only.empty() || only == "sound") && !assetgen::sound::generate(dat, error)) {
        std::fprintf(stderr, "assetgen: sound: %s\n", error.c_str());
        return 1;
    }
    if ((only.empty() || only == "music") && !assetgen::music::generate(dat, error)) {
        std::fprintf(stderr, "assetgen: music: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
