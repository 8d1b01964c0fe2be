#include "tools/resgen/preview.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

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

    return writePng(onWhite(p.hand), d + "hand.png") && writePng(onWhite(p.title), d + "title.png") &&
           writePng(sheetOnWhite, d + "font-sheet.png") && writePng(line, d + "help-line.png") &&
           writePng(enlarged(crop(line, 0, 0, 400, line.height), 3), d + "help-line-3x.png") &&
           writePng(iconSheet(p), d + "icon.png");
}
