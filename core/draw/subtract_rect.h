#pragma once
// Rectangle subtraction: the smallest rectangle that holds what is left of
// one rectangle less another. The cell drawing uses it to cut a full-height
// band off the left or right edge of a cell.

#include "core/draw/rect.h"

namespace kivrel {

// A rectangle is empty when Right <= Left or Bottom <= Top.
bool IsRectEmpty(const TRect& r);

// The bounding box of `a` less `b`:
// - `a` empty: (0, 0, 0, 0);
// - `b` does not overlap `a` (or is empty): `a`;
// - `b` covers `a`: (0, 0, 0, 0);
// - the overlap spans `a`'s full height from its Left: `a` with its Left moved
//   to the overlap's Right; from its Right: `a` with its Right moved to the
//   overlap's Left;
// - any other overlap (a hole, a top or bottom band, a corner): `a`.
TRect SubtractRect(const TRect& a, const TRect& b);

}  // namespace kivrel
