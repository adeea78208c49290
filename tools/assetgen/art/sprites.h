#pragma once
// Every sprite of the pack. Each returns the finished keyed picture (facing left as stored, feet
// at the bottom centre).
#include "art/image.h"

#include <string>
#include <vector>

namespace assetgen::art {

struct SpriteFile {
    const char* name;
    Image (*draw)();
};

// Customers, animals, hazards, game boxes and icons, in the order they are written.
const std::vector<SpriteFile>& sprite_files();

Image kid01();
Image girl01();
Image kid02();
Image girl02();
Image girl03();
Image kid03();
Image otona();

Image usagi();
Image cat();
Image bird();
Image dog();
Image tako();
Image kuma();

Image robo01();
Image robo02();
Image robo03();
Image bakudan();
Image baku();
Image robo04();
Image fire();
Image meteo();

// Game box of a picture number (1..13; the file number, not the genre).
Image game_box(int number);
// The same box drawn at the current transform, in a 34 x 40 box.
void paint_game_box(cairo_t* cr, int number);
Image mail();

} // namespace assetgen::art
