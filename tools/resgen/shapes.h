// The hand's geometry, shared by the hand image, the title's emblem and the icon. Coordinates
// are those of the 256 x 256 hand image, y downward: a left hand seen from the palm side, fingers
// spread upward, thumb on the right.
#pragma once

#include <cairo.h>

struct Rgb {
    double r, g, b;
};

// Appends the outline of the whole hand as closed sub-paths of one orientation, so that a
// non-zero fill gives their union.
void handSilhouette(cairo_t* cr);
// Appends the palm lines and finger creases as open curves.
void handCreases(cairo_t* cr);
// Fills the hand in one colour with an outline of lineWidth (in the current user units) drawn
// outside the silhouette; the inner joins of the parts get no line.
void drawFlatHand(cairo_t* cr, Rgb fill, Rgb line, double lineWidth);
