#include <algorithm>
#include <cmath>

#include "tools/resgen/drawings.h"
#include "tools/resgen/shapes.h"

namespace {

constexpr int Size = 256;
constexpr int Super = 4;  // drawn at 4 x 4 samples per pixel, then box-filtered

constexpr Rgb Outline = {0.29, 0.17, 0.13};
constexpr Rgb SkinLight = {1.00, 0.86, 0.72};
constexpr Rgb SkinShadow = {0.86, 0.58, 0.47};
constexpr Rgb Crease = {0.66, 0.38, 0.30};

// In hand-image pixels.
constexpr double OutlineWidth = 4.5;   // thick enough to survive the scene's ~2x minification
constexpr double BevelWidth = 11.0;    // how far in from the outline the surface rounds off
constexpr double CreaseWidth = 2.4;

Canvas paintPaths(void (*paths)(cairo_t*), bool stroke)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Size * Super, Size * Super);
    cairo_t* cr = cairo_create(s);
    cairo_scale(cr, Super, Super);
    paths(cr);
    cairo_set_source_rgb(cr, 1, 1, 1);
    if (stroke) {
        cairo_set_line_width(cr, CreaseWidth);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    } else {
        cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
        cairo_fill(cr);
    }
    cairo_destroy(cr);
    Canvas c = canvasFromSurface(s);
    cairo_surface_destroy(s);
    return c;
}

double smoothstep(double e0, double e1, double x)
{
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// Height of the rounded surface above the flat palm level, from the distance to the edge: a
// quarter circle across the bevel, flat beyond it.
std::vector<double> heightField(const std::vector<float>& distance)
{
    const double start = OutlineWidth * Super;
    const double radius = BevelWidth * Super;
    std::vector<double> h(distance.size());
    for (std::size_t i = 0; i < h.size(); ++i) {
        const double t = std::clamp((distance[i] - start) / radius, 0.0, 1.0);
        h[i] = radius * std::sqrt(1 - (1 - t) * (1 - t));
    }
    return h;
}

// Lambert light from the upper left, rescaled so that a flat surface gives 1.
double lighting(const std::vector<double>& h, int x, int y)
{
    const int n = Size * Super;
    auto at = [&](int px, int py) {
        return h[static_cast<std::size_t>(std::clamp(py, 0, n - 1)) * n + std::clamp(px, 0, n - 1)];
    };
    const double gx = (at(x + 1, y) - at(x - 1, y)) * 0.5;
    const double gy = (at(x, y + 1) - at(x, y - 1)) * 0.5;
    const double nl = std::sqrt(gx * gx + gy * gy + 1);
    const double lx = -0.45, ly = -0.60, lz = 0.66;
    const double diffuse = std::max(0.0, (-gx * lx - gy * ly + lz) / nl);
    return diffuse / lz;
}

Rgb skinAt(double light, double creaseCover, int x, int y)
{
    // A broad fall-off towards the wrist and the little-finger side keeps the palm from looking flat.
    const double u = static_cast<double>(x) / (Size * Super);
    const double v = static_cast<double>(y) / (Size * Super);
    const double broad = 0.10 * smoothstep(0.45, 1.0, v) + 0.06 * smoothstep(0.55, 0.2, u);
    const double t = std::clamp(0.30 + 0.70 * light - broad, 0.0, 1.15);
    Rgb c = t <= 1 ? mix(SkinShadow, SkinLight, t) : mix(SkinLight, {1, 0.97, 0.93}, (t - 1) / 0.15 * 0.6);
    return mix(c, Crease, 0.55 * creaseCover);
}

}  // namespace

Image8 drawHand()
{
    const Canvas silhouette = paintPaths(handSilhouette, false);
    const Canvas creases = paintPaths(handCreases, true);
    const std::vector<float> distance = insideDistance(silhouette);
    const std::vector<double> height = heightField(distance);

    const int n = Size * Super;
    Canvas big = makeCanvas(n, n);
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * n + x;
            const double cover = silhouette.rgba[i * 4 + 3];
            if (cover <= 0) continue;
            const double line = std::clamp(OutlineWidth * Super - distance[i] + 0.5, 0.0, 1.0);
            const Rgb skin = skinAt(lighting(height, x, y), creases.rgba[i * 4 + 3], x, y);
            const Rgb c = mix(skin, Outline, line);
            float* p = &big.rgba[i * 4];
            p[0] = static_cast<float>(c.r * cover);
            p[1] = static_cast<float>(c.g * cover);
            p[2] = static_cast<float>(c.b * cover);
            p[3] = static_cast<float>(cover);
        }
    }
    const std::uint8_t clear[3] = {74, 43, 33};  // the outline colour
    return toImage8(downsample(big, Super), clear);
}
