#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include "tools/resgen/drawings.h"
#include "tools/resgen/shapes.h"

namespace {

constexpr int Size = 512;
constexpr double Centre = Size / 2.0;
constexpr double Radius = 246;

constexpr Rgb Rim = {0.07, 0.10, 0.20};
constexpr Rgb Navy = {0.12, 0.17, 0.33};
constexpr Rgb NavyLight = {0.15, 0.22, 0.41};
constexpr Rgb Gold = {0.93, 0.74, 0.34};
constexpr Rgb GoldLight = {0.98, 0.88, 0.64};
constexpr Rgb HandRed = {0.87, 0.25, 0.19};
constexpr Rgb HandYellow = {0.98, 0.78, 0.20};
constexpr Rgb Ink = {0.08, 0.07, 0.09};

void setSource(cairo_t* cr, Rgb c, double alpha = 1)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void circle(cairo_t* cr, double radius)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, Centre, Centre, radius, 0, 2 * 3.14159265358979323846);
}

// Flat tones only: the file is run-length encoded, and flat areas keep it small.
void drawDisc(cairo_t* cr)
{
    circle(cr, Radius);
    setSource(cr, Navy);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 6);
    setSource(cr, Rim);
    cairo_stroke(cr);

    circle(cr, Radius - 40);
    setSource(cr, NavyLight);
    cairo_fill(cr);

    circle(cr, Radius - 16);
    cairo_set_line_width(cr, 2.5);
    setSource(cr, Gold);
    cairo_stroke(cr);
    circle(cr, Radius - 22);
    cairo_set_line_width(cr, 1);
    setSource(cr, Gold, 0.55);
    cairo_stroke(cr);
}

// The two hands of the icon, red behind at the upper left, yellow in front at the lower right,
// each half the hand image's size.
void drawHands(cairo_t* cr)
{
    const double scale = 0.5;
    cairo_save(cr);
    cairo_translate(cr, Centre - 100, 92);
    cairo_rotate(cr, -0.16);
    cairo_scale(cr, scale, scale);
    drawFlatHand(cr, HandRed, Ink, 3.2 / scale);
    cairo_restore(cr);

    cairo_save(cr);
    cairo_translate(cr, Centre + 100, 112);
    cairo_rotate(cr, 0.16);
    cairo_scale(cr, -scale, scale);  // the right hand: the left one mirrored
    drawFlatHand(cr, HandYellow, Ink, 3.2 / scale);
    cairo_restore(cr);
}

// Centres text on x = Centre with its baseline at y; tracking adds space between letters.
void centredText(cairo_t* cr, const char* text, double y, double tracking)
{
    double width = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        const char one[2] = {*c, '\0'};
        cairo_text_extents_t e;
        cairo_text_extents(cr, one, &e);
        width += e.x_advance + (c[1] != '\0' ? tracking : 0);
    }
    double x = Centre - width / 2;
    for (const char* c = text; *c != '\0'; ++c) {
        const char one[2] = {*c, '\0'};
        cairo_text_extents_t e;
        cairo_text_extents(cr, one, &e);
        cairo_move_to(cr, x, y);
        cairo_text_path(cr, one);
        x += e.x_advance + tracking;
    }
}

void drawName(cairo_t* cr, cairo_font_face_t* bold)
{
    cairo_set_font_face(cr, bold);
    cairo_set_font_size(cr, 80);
    cairo_new_path(cr);
    cairo_save(cr);
    cairo_translate(cr, 0, 4);
    centredText(cr, "Velmory", 334, 0);
    cairo_set_source_rgba(cr, 0.02, 0.03, 0.08, 0.45);
    cairo_fill(cr);
    cairo_restore(cr);
    centredText(cr, "Velmory", 334, 0);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_fill(cr);
}

void drawDivider(cairo_t* cr)
{
    setSource(cr, Gold);
    cairo_set_line_width(cr, 2);
    cairo_move_to(cr, Centre - 120, 364);
    cairo_line_to(cr, Centre - 14, 364);
    cairo_move_to(cr, Centre + 14, 364);
    cairo_line_to(cr, Centre + 120, 364);
    cairo_stroke(cr);
    cairo_move_to(cr, Centre, 357);
    cairo_line_to(cr, Centre + 7, 364);
    cairo_line_to(cr, Centre, 371);
    cairo_line_to(cr, Centre - 7, 364);
    cairo_close_path(cr);
    cairo_fill(cr);
}

void drawTagline(cairo_t* cr, cairo_font_face_t* regular)
{
    cairo_set_font_face(cr, regular);
    cairo_set_font_size(cr, 15);
    cairo_new_path(cr);
    centredText(cr, "STEER WITH THE CURSOR KEYS", 400, 2.6);
    setSource(cr, GoldLight);
    cairo_fill(cr);
}

// Outlines rather than hinted bitmaps: the title is scaled on screen anyway.
void setUnhinted(cairo_t* cr)
{
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
}

}  // namespace

Image8 drawTitle(const std::string& boldFontPath, const std::string& regularFontPath)
{
    FT_Library ft = nullptr;
    FT_Face boldFace = nullptr;
    FT_Face regularFace = nullptr;
    Image8 out;
    if (FT_Init_FreeType(&ft) != 0) return out;
    if (FT_New_Face(ft, boldFontPath.c_str(), 0, &boldFace) == 0 &&
        FT_New_Face(ft, regularFontPath.c_str(), 0, &regularFace) == 0) {
        cairo_font_face_t* bold = cairo_ft_font_face_create_for_ft_face(boldFace, 0);
        cairo_font_face_t* regular = cairo_ft_font_face_create_for_ft_face(regularFace, 0);
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, Size, Size);
        cairo_t* cr = cairo_create(s);
        setUnhinted(cr);
        drawDisc(cr);
        drawHands(cr);
        drawName(cr, bold);
        drawDivider(cr);
        drawTagline(cr, regular);
        cairo_destroy(cr);
        const std::uint8_t clear[3] = {18, 26, 51};  // the rim colour
        out = toImage8(canvasFromSurface(s), clear);
        cairo_surface_destroy(s);
        cairo_font_face_destroy(bold);
        cairo_font_face_destroy(regular);
    }
    // Cairo may keep the faces in its caches until it is reset, so the faces and the library
    // stay alive until then.
    cairo_debug_reset_static_data();
    if (regularFace != nullptr) FT_Done_Face(regularFace);
    if (boldFace != nullptr) FT_Done_Face(boldFace);
    FT_Done_FreeType(ft);
    return out;
}
