#include "tools/resgen/shapes.h"

#include <cmath>

namespace {

struct Point {
    double x, y;
};

// A finger or thumb segment: a capsule that narrows from its base circle to its tip circle.
struct Segment {
    Point base;
    double baseRadius;
    Point tip;
    double tipRadius;
};

constexpr double Pi = 3.14159265358979323846;

constexpr Segment Segments[] = {
    {{88, 130}, 14.0, {56, 64}, 12.0},     // little finger
    {{111, 116}, 15.0, {95, 36}, 13.0},    // ring finger
    {{135, 112}, 15.5, {138, 22}, 13.0},   // middle finger
    {{159, 118}, 15.0, {181, 44}, 13.0},   // index finger
    {{164, 194}, 20.0, {200, 154}, 17.0},  // thumb, first segment
    {{200, 154}, 17.0, {227, 124}, 14.0},  // thumb, tip
};

// Palm and wrist as one clockwise outline (y downward): top edge, thumb side, wrist, little-finger
// side. The top edge runs under the finger bases, which cover it.
void palmPath(cairo_t* cr)
{
    cairo_move_to(cr, 74, 126);
    cairo_curve_to(cr, 96, 104, 160, 100, 180, 124);
    cairo_curve_to(cr, 186, 148, 180, 190, 164, 214);
    cairo_curve_to(cr, 160, 224, 158, 232, 158, 240);
    cairo_curve_to(cr, 140, 250, 116, 250, 98, 240);
    cairo_curve_to(cr, 98, 228, 90, 214, 80, 200);
    cairo_curve_to(cr, 66, 176, 64, 144, 74, 124);
    cairo_close_path(cr);
}

// The hull of the two circles, clockwise like the palm.
void segmentPath(cairo_t* cr, const Segment& s)
{
    const double dx = s.tip.x - s.base.x;
    const double dy = s.tip.y - s.base.y;
    const double length = std::hypot(dx, dy);
    const double axis = std::atan2(dy, dx);
    const double spread = std::acos((s.baseRadius - s.tipRadius) / length);
    cairo_new_sub_path(cr);
    cairo_arc(cr, s.tip.x, s.tip.y, s.tipRadius, axis - spread, axis + spread);
    cairo_arc(cr, s.base.x, s.base.y, s.baseRadius, axis + spread, axis - spread + 2 * Pi);
    cairo_close_path(cr);
}

Point along(const Segment& s, double t)
{
    return {s.base.x + (s.tip.x - s.base.x) * t, s.base.y + (s.tip.y - s.base.y) * t};
}

// A short, slightly bowed crease across a finger at fraction t of its length.
void fingerCrease(cairo_t* cr, const Segment& s, double t)
{
    const Point c = along(s, t);
    const double length = std::hypot(s.tip.x - s.base.x, s.tip.y - s.base.y);
    const double ux = (s.tip.x - s.base.x) / length;
    const double uy = (s.tip.y - s.base.y) / length;
    const double half = 0.45 * (s.baseRadius + (s.tipRadius - s.baseRadius) * t);
    cairo_move_to(cr, c.x - uy * half, c.y + ux * half);
    cairo_curve_to(cr, c.x - uy * half * 0.3 + ux * 2, c.y + ux * half * 0.3 + uy * 2, c.x + uy * half * 0.3 + ux * 2,
                   c.y - ux * half * 0.3 + uy * 2, c.x + uy * half, c.y - ux * half);
}

}  // namespace

void handSilhouette(cairo_t* cr)
{
    palmPath(cr);
    for (const Segment& s : Segments) segmentPath(cr, s);
}

void handCreases(cairo_t* cr)
{
    // Heart line: from the little-finger edge towards the gap of middle and index finger.
    cairo_move_to(cr, 76, 150);
    cairo_curve_to(cr, 98, 140, 122, 136, 146, 128);
    // Head line: from between thumb and index finger across the palm.
    cairo_move_to(cr, 172, 150);
    cairo_curve_to(cr, 146, 156, 118, 166, 98, 182);
    // Life line: round the ball of the thumb towards the wrist.
    cairo_move_to(cr, 170, 152);
    cairo_curve_to(cr, 146, 170, 140, 200, 146, 226);
    for (int i = 0; i < 4; ++i) {
        fingerCrease(cr, Segments[i], 0.42);
        fingerCrease(cr, Segments[i], 0.70);
    }
    fingerCrease(cr, Segments[5], 0.15);
}

void drawFlatHand(cairo_t* cr, Rgb fill, Rgb line, double lineWidth)
{
    cairo_save(cr);
    cairo_new_path(cr);
    handSilhouette(cr);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 2 * lineWidth);
    cairo_set_source_rgb(cr, line.r, line.g, line.b);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, fill.r, fill.g, fill.b);
    cairo_fill(cr);
    cairo_restore(cr);
}
