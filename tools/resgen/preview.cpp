#include "tools/resgen/preview.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr int ViewWidth = 800;
constexpr int ViewHeight = 600;
// Pixels per scene unit in the hands' plane (600 units away) and in the title's (800 away),
// for a 45 degree field of view over 600 pixels.
const double HandPlaneScale = 300.0 / (600.0 * std::tan(22.5 * 3.14159265358979323846 / 180.0));
const double TitlePlaneScale = 300.0 / (800.0 * std::tan(22.5 * 3.14159265358979323846 / 180.0));

const char HelpText[] =
    "Controls:     In game steer/roll: Cursor keys     Hand size: '+' or '-'     Hand spacing: Shift + "
    "Left/Right cursor keys     Range of travel: Shift + Up/Down cursor keys     Toggle waving: F12";

// An opaque RGB picture in floats, top row first.
struct Frame {
    int width;
    int height;
    std::vector<double> rgb;
};

Frame whiteFrame(int width, int height)
{
    return {width, height, std::vector<double>(static_cast<std::size_t>(width) * height * 3, 1.0)};
}

// GL_LINEAR with clamping to the edge texels, on straight RGBA as the texture holds it.
void sampleLinear(const Image8& tex, double s, double t, double out[4])
{
    const double u = std::clamp(s * tex.width - 0.5, 0.0, tex.width - 1.0);
    const double v = std::clamp(t * tex.height - 0.5, 0.0, tex.height - 1.0);
    const int x0 = static_cast<int>(u);
    const int y0 = static_cast<int>(v);
    const int x1 = std::min(x0 + 1, tex.width - 1);
    const int y1 = std::min(y0 + 1, tex.height - 1);
    const double fx = u - x0;
    const double fy = v - y0;
    auto at = [&](int x, int y, int k) {
        return tex.rgba[(static_cast<std::size_t>(y) * tex.width + x) * 4 + k] / 255.0;
    };
    for (int k = 0; k < 4; ++k) {
        out[k] = (at(x0, y0, k) * (1 - fx) + at(x1, y0, k) * fx) * (1 - fy) +
                 (at(x0, y1, k) * (1 - fx) + at(x1, y1, k) * fx) * fy;
    }
}

// An upright textured square blended with (SRC_ALPHA, ONE_MINUS_SRC_ALPHA); centre and side in
// frame pixels, y downward. mirrored flips the texture left to right.
void drawQuad(Frame& f, const Image8& tex, double cx, double cy, double side, bool mirrored)
{
    const int x0 = std::max(0, static_cast<int>(std::floor(cx - side / 2)));
    const int x1 = std::min(f.width, static_cast<int>(std::ceil(cx + side / 2)));
    const int y0 = std::max(0, static_cast<int>(std::floor(cy - side / 2)));
    const int y1 = std::min(f.height, static_cast<int>(std::ceil(cy + side / 2)));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            double s = (x + 0.5 - (cx - side / 2)) / side;
            const double t = (y + 0.5 - (cy - side / 2)) / side;
            if (s < 0 || s > 1 || t < 0 || t > 1) continue;
            if (mirrored) s = 1 - s;
            double texel[4];
            sampleLinear(tex, s, t, texel);
            double* p = &f.rgb[(static_cast<std::size_t>(y) * f.width + x) * 3];
            for (int k = 0; k < 3; ++k) p[k] = texel[k] * texel[3] + p[k] * (1 - texel[3]);
        }
    }
}

// The help line as the program draws it from a 32-bit font: whole cells, GL_NEAREST at one
// texel per pixel, blended with (ONE, ONE_MINUS_SRC_ALPHA) under colour white. x is the left
// edge of the first cell, bottom the frame row below the cells' lower edge.
void drawTextLine(Frame& f, const FontSheet& font, const char* text, int x, int bottom)
{
    const int columns = font.imageWidth / font.cellWidth;
    for (const char* c = text; *c != '\0'; ++c) {
        const int cell = *c - font.baseChar;
        const int cellX = (cell % columns) * font.cellWidth;
        const int cellY = (cell / columns) * font.cellHeight;
        for (int j = 0; j < font.cellHeight; ++j) {
            const int y = bottom - font.cellHeight + j;
            for (int i = 0; i < font.cellWidth; ++i) {
                if (x + i < 0 || x + i >= f.width || y < 0 || y >= f.height) continue;
                const std::uint8_t* t =
                    &font.rgba[(static_cast<std::size_t>(cellY + j) * font.imageWidth + cellX + i) * 4];
                double* p = &f.rgb[(static_cast<std::size_t>(y) * f.width + x + i) * 3];
                for (int k = 0; k < 3; ++k) p[k] = std::min(1.0, t[k] / 255.0 + p[k] * (1 - t[3] / 255.0));
            }
        }
        x += font.widths[static_cast<unsigned char>(*c)];
    }
}

int textWidth(const FontSheet& font, const char* text)
{
    int w = 0;
    for (const char* c = text; *c != '\0'; ++c) w += font.widths[static_cast<unsigned char>(*c)];
    return w;
}

// The default scene: hands of handSize 50, 100 units either side of the axis, at rest.
void drawHands(Frame& f, const Image8& hand)
{
    const double side = 100 * HandPlaneScale;
    const double cy = ViewHeight / 2.0 + (50 / 1.5) * HandPlaneScale;
    drawQuad(f, hand, ViewWidth / 2.0 - 100 * HandPlaneScale, cy, side, false);
    drawQuad(f, hand, ViewWidth / 2.0 + 100 * HandPlaneScale, cy, side, true);
}

Frame sceneFrame(const Previews& p, bool withTitle)
{
    Frame f = whiteFrame(ViewWidth, ViewHeight);
    drawTextLine(f, p.font, HelpText, 10, ViewHeight - 2);
    drawHands(f, p.hand);
    if (withTitle) drawQuad(f, p.title, ViewWidth / 2.0, ViewHeight / 2.0, 512 * TitlePlaneScale, false);
    return f;
}

Frame crop(const Frame& f, int x, int y, int width, int height)
{
    Frame out = whiteFrame(width, height);
    for (int j = 0; j < height; ++j) {
        const auto* row = &f.rgb[(static_cast<std::size_t>(y + j) * f.width + x) * 3];
        std::copy(row, row + width * 3, &out.rgb[static_cast<std::size_t>(j) * width * 3]);
    }
    return out;
}

Frame onWhite(const Image8& image)
{
    Frame f = whiteFrame(image.width, image.height);
    for (std::size_t i = 0; i < f.rgb.size() / 3; ++i) {
        const double a = image.rgba[i * 4 + 3] / 255.0;
        for (int k = 0; k < 3; ++k) f.rgb[i * 3 + k] = image.rgba[i * 4 + k] / 255.0 * a + (1 - a);
    }
    return f;
}

// Each pixel of the image as a factor x factor block.
Frame enlarged(const Frame& f, int factor)
{
    Frame out = whiteFrame(f.width * factor, f.height * factor);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            for (int k = 0; k < 3; ++k) {
                out.rgb[(static_cast<std::size_t>(y) * out.width + x) * 3 + k] =
                    f.rgb[(static_cast<std::size_t>(y / factor) * f.width + x / factor) * 3 + k];
            }
        }
    }
    return out;
}

// The icons side by side at real size, then enlarged eight times.
Frame iconSheet(const Previews& p)
{
    const Frame large = onWhite(expandIndexed(p.icon32));
    const Frame small = onWhite(expandIndexed(p.icon16));
    Frame out = whiteFrame(8 + 32 + 8 + 16 + 16 + 256 + 16 + 128 + 8, 8 + 256 + 8);
    auto paste = [&out](const Frame& f, int x, int y) {
        for (int j = 0; j < f.height; ++j) {
            const auto* row = &f.rgb[static_cast<std::size_t>(j) * f.width * 3];
            std::copy(row, row + f.width * 3, &out.rgb[(static_cast<std::size_t>(y + j) * out.width + x) * 3]);
        }
    };
    paste(large, 8, 8);
    paste(small, 48, 8);
    paste(enlarged(large, 8), 80, 8);
    paste(enlarged(small, 8), 352, 8);
    return out;
}

bool writePng(const Frame& f, const std::string& path)
{
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, f.width, f.height);
    cairo_surface_flush(s);
    const int stride = cairo_image_surface_get_stride(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    for (int y = 0; y < f.height; ++y) {
        for (int x = 0; x < f.width; ++x) {
            const double* p = &f.rgb[(static_cast<std::size_t>(y) * f.width + x) * 3];
            std::uint32_t word = 0xFF000000u;
            for (int k = 0; k < 3; ++k) {
                word |= static_cast<std::uint32_t>(std::lround(std::clamp(p[k], 0.0, 1.0) * 255)) << (16 - 8 * k);
            }
            std::memcpy(data + y * stride + x * 4, &word, 4);
        }
    }
    cairo_surface_mark_dirty(s);
    const bool ok = cairo_surface_write_to_png(s, path.c_str()) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(s);
    return ok;
}

}  // namespace

bool writePreviews(const Previews& p, const std::string& directory)
{
    const std::string d = directory + "/";
    const Frame plain = sceneFrame(p, false);
    const double handSide = 100 * HandPlaneScale;
    const int handsTop = static_cast<int>(ViewHeight / 2.0 + (50 / 1.5) * HandPlaneScale - handSide / 2) - 10;

    Frame line = whiteFrame(textWidth(p.font, HelpText) + 20, p.font.cellHeight + 8);
    drawTextLine(line, p.font, HelpText, 10, line.height - 4);
    Image8 sheet;
    sheet.width = p.font.imageWidth;
    sheet.height = p.font.imageHeight;
    sheet.rgba = p.font.rgba;
    Frame sheetOnWhite = whiteFrame(sheet.width, sheet.height);
    for (std::size_t i = 0; i < sheetOnWhite.rgb.size() / 3; ++i) {
        for (int k = 0; k < 3; ++k) {
            sheetOnWhite.rgb[i * 3 + k] = sheet.rgba[i * 4 + k] / 255.0 + (1 - sheet.rgba[i * 4 + 3] / 255.0);
        }
    }

    return writePng(onWhite(p.hand), d + "hand.png") &&
           writePng(crop(plain, 200, handsTop, 400, static_cast<int>(handSide) + 20), d + "hand-scene.png") &&
           writePng(onWhite(p.title), d + "title.png") &&
           writePng(sceneFrame(p, true), d + "frame-title.png") && writePng(plain, d + "frame.png") &&
           writePng(sheetOnWhite, d + "font-sheet.png") && writePng(line, d + "help-line.png") &&
           writePng(enlarged(crop(line, 0, 0, 400, line.height), 3), d + "help-line-3x.png") &&
           writePng(iconSheet(p), d + "icon.png");
}
