#include <algorithm>
#include <array>
#include <map>

#include "tools/resgen/drawings.h"
#include "tools/resgen/shapes.h"

namespace {

constexpr double Pi = 3.14159265358979323846;

constexpr Rgb Red = {0.89, 0.13, 0.10};
constexpr Rgb RedShade = {0.68, 0.07, 0.06};
constexpr Rgb Yellow = {1.00, 0.84, 0.06};
constexpr Rgb YellowShade = {0.89, 0.63, 0.00};
constexpr Rgb Black = {0, 0, 0};

// At 16 and 32 pixels the smooth hand of the big pictures blurs into a blob, so the icon's hands
// are drawn on the pixel grid: a rectangle for each finger, palm, wrist and thumb step, in icon
// pixels of a left hand (thumb on the right) whose box starts at 0, 0.
struct Part {
    int x, y, w, h;
};

constexpr Part Hand32[] = {
    {1, 6, 3, 8},    // little finger
    {5, 2, 3, 10},   // ring finger
    {9, 1, 3, 11},   // middle finger
    {13, 3, 3, 10},  // index finger
    {1, 11, 15, 7},  // palm
    {3, 17, 11, 4},  // wrist
    {15, 13, 2, 4},  // thumb, rising to the right
    {17, 11, 2, 4},
    {19, 9, 2, 4},
};
constexpr int Hand32Width = 22;  // the box with its outline

constexpr Part Hand16[] = {
    {1, 3, 1, 4},   // little finger
    {3, 1, 1, 5},   // ring finger
    {5, 1, 1, 5},   // middle finger
    {7, 2, 1, 4},   // index finger
    {1, 5, 7, 4},   // palm
    {2, 8, 5, 2},   // wrist
    {8, 6, 1, 2},   // thumb
    {9, 4, 1, 3},
};
constexpr int Hand16Width = 11;

void setSource(cairo_t* cr, Rgb c)
{
    cairo_set_source_rgb(cr, c.r, c.g, c.b);
}

// A rectangle whose corner pixels are left out, when it is at least 3 pixels each way.
void roundedRect(cairo_t* cr, double x, double y, double w, double h)
{
    const double r = w >= 3 && h >= 3 ? 2 : 0;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -Pi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, Pi / 2);
    cairo_arc(cr, x + r, y + h - r, r, Pi / 2, Pi);
    cairo_arc(cr, x + r, y + r, r, Pi, 3 * Pi / 2);
    cairo_close_path(cr);
}

// One hand with its box's top-left corner at (x, y); mirrored makes it the right hand. The black
// outline is every part grown by a pixel; the fill leaves each part's right column and bottom row
// in the shade colour, which rounds the fingers.
template <std::size_t N>
void drawPixelHand(cairo_t* cr, const Part (&parts)[N], int boxWidth, int x, int y, bool mirrored, Rgb fill, Rgb shade)
{
    cairo_save(cr);
    cairo_translate(cr, mirrored ? x + boxWidth : x, y);
    cairo_scale(cr, mirrored ? -1 : 1, 1);
    for (const Part& p : parts) roundedRect(cr, p.x - 1, p.y - 1, p.w + 2, p.h + 2);
    setSource(cr, Black);
    cairo_fill(cr);
    for (const Part& p : parts) cairo_rectangle(cr, p.x, p.y, p.w, p.h);
    setSource(cr, shade);
    cairo_fill(cr);
    for (const Part& p : parts) {
        if (p.w > 1 && p.h > 1) cairo_rectangle(cr, p.x, p.y, p.w - 1, p.h - 1);
    }
    setSource(cr, fill);
    cairo_fill(cr);
    cairo_restore(cr);
}

// Red left hand at the upper left behind the yellow right hand at the lower right.
void drawHands(cairo_t* cr, int size)
{
    if (size >= 32) {
        drawPixelHand(cr, Hand32, Hand32Width, 1, 1, false, Red, RedShade);
        drawPixelHand(cr, Hand32, Hand32Width, size - Hand32Width - 1, size - 23, true, Yellow, YellowShade);
    } else {
        drawPixelHand(cr, Hand16, Hand16Width, 0, 0, false, Red, RedShade);
        drawPixelHand(cr, Hand16, Hand16Width, size - Hand16Width, size - 11, true, Yellow, YellowShade);
    }
}

using Colour = std::array<std::uint8_t, 3>;

int distance2(const Colour& a, const std::uint8_t* b)
{
    int d = 0;
    for (int k = 0; k < 3; ++k) d += (a[k] - b[k]) * (a[k] - b[k]);
    return d;
}

// The 256 most frequent colours (ties broken by value) become the palette; every pixel takes its
// nearest palette entry. The icons use far fewer colours than that, so nothing changes for them
// but the rare edge shades.
IndexedImage palettize(const Image8& image)
{
    std::map<Colour, int> counts;
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        ++counts[{image.rgba[i], image.rgba[i + 1], image.rgba[i + 2]}];
    }
    std::vector<std::pair<int, Colour>> byCount;
    for (const auto& [colour, count] : counts) byCount.emplace_back(-count, colour);
    std::sort(byCount.begin(), byCount.end());
    byCount.resize(std::min<std::size_t>(byCount.size(), 256));

    IndexedImage out;
    out.size = image.width;
    for (std::size_t i = 0; i < byCount.size(); ++i) {
        std::copy(byCount[i].second.begin(), byCount[i].second.end(), out.palette[i]);
    }
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        std::size_t best = 0;
        for (std::size_t k = 1; k < byCount.size(); ++k) {
            if (distance2(byCount[k].second, &image.rgba[i]) < distance2(byCount[best].second, &image.rgba[i])) best = k;
        }
        out.indices.push_back(static_cast<std::uint8_t>(best));
    }
    return out;
}

}  // namespace

IndexedImage drawIcon(int size)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(s);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    drawHands(cr, size);
    cairo_destroy(cr);
    const std::uint8_t white[3] = {255, 255, 255};
    const Image8 rgb = toImage8(canvasFromSurface(s), white);
    cairo_surface_destroy(s);
    return palettize(rgb);
}
