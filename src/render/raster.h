#pragma once
// Aliased discs, rings and ellipses written straight into a canvas's pixels. The effects draw
// hundreds of small round shapes a frame; span fills cost a fraction of a general shape drawer.
#include "platform/canvas.h"

#include <optional>

namespace zen {

// The ellipse in the box (x1, y1)-(x2, y2), as Canvas::ellipse draws it: filled with brush when
// given, outlined with the pen centred on the edge (a width of 0 or below is the thinnest line).
void fast_ellipse(Canvas& canvas, int x1, int y1, int x2, int y2, Pen pen, std::optional<Colour> brush);

// A circle of radius r around (cx, cy), in the box (cx - r, cy - r)-(cx + r, cy + r).
inline void fast_circle(Canvas& canvas, int cx, int cy, int r, Pen pen, std::optional<Colour> brush)
{
    fast_ellipse(canvas, cx - r, cy - r, cx + r, cy + r, pen, brush);
}

} // namespace zen
