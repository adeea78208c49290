#pragma once
// Stage backgrounds, the desk strip and the full-screen pictures.
#include "art/image.h"

#include <cairo.h>

namespace assetgen::art {

Image stage_map01();
Image stage_map02();
Image stage_uriba();
Image stage_sea();
Image stage_city();
Image stage_space();
Image desk();

Image screen_title_bmp();
Image screen_title();
Image screen_start();
Image screen_map();
Image screen_pc();
Image screen_sleep();
Image screen_clear();
Image screen_gameover();

// The game's logo "Zentrifa" in drawn letters; x, y is the left end of the baseline, size the
// height of the capital.
void paint_logo(cairo_t* cr, double x, double baseline, double size);
// Width of the logo at that size.
double logo_width(double size);
// The game maker, feet at (cx, gy).
void paint_maker(cairo_t* cr, double cx, double gy, double height, bool glasses);

} // namespace assetgen::art
