#include <algorithm>
#include <cmath>

#include <ft2build.h>
#include FT_FREETYPE_H

#include "tools/resgen/drawings.h"

namespace {

constexpr int PixelSize = 13;
constexpr int Cell = 16;
constexpr int Columns = 16;
constexpr int FirstCode = 32;
constexpr int LastCode = 126;
constexpr int Baseline = 12;  // rows above the baseline in a cell
constexpr int PenX = 1;       // a column to the left of the origin for negative side bearings

// Ink colour; the sheet stores it premultiplied by the glyph coverage.
constexpr double InkR = 0.10, InkG = 0.11, InkB = 0.14;

// Anti-aliased coverage blended linearly in sRGB looks thinner than the outline; a mild curve
// restores the weight of the stems.
double ink(double coverage)
{
    return std::pow(coverage, 0.80);
}

// False when a covered pixel of the glyph falls outside its cell.
bool putGlyph(FontSheet& sheet, const FT_GlyphSlot glyph, int cell)
{
    bool fits = true;
    const int cellX = (cell % Columns) * Cell;
    const int cellY = (cell / Columns) * Cell;
    const FT_Bitmap& bm = glyph->bitmap;
    for (unsigned row = 0; row < bm.rows; ++row) {
        const int y = Baseline - glyph->bitmap_top + static_cast<int>(row);
        for (unsigned col = 0; col < bm.width; ++col) {
            const int x = PenX + glyph->bitmap_left + static_cast<int>(col);
            const std::uint8_t coverage = bm.buffer[row * bm.pitch + col];
            if (x < 0 || x >= Cell || y < 0 || y >= Cell) {
                fits = fits && coverage == 0;
                continue;
            }
            const double a = ink(coverage / 255.0);
            std::uint8_t* p = &sheet.rgba[(static_cast<std::size_t>(cellY + y) * sheet.imageWidth + cellX + x) * 4];
            p[0] = static_cast<std::uint8_t>(std::lround(InkR * a * 255));
            p[1] = static_cast<std::uint8_t>(std::lround(InkG * a * 255));
            p[2] = static_cast<std::uint8_t>(std::lround(InkB * a * 255));
            p[3] = static_cast<std::uint8_t>(std::lround(a * 255));
        }
    }
    return fits;
}

bool renderGlyphs(FontSheet& sheet, FT_Face face)
{
    if (FT_Set_Pixel_Sizes(face, 0, PixelSize) != 0) return false;
    for (int code = FirstCode; code <= LastCode; ++code) {
        // The font's own hinting instructions, grey-scale: crisp stems at this small size.
        if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) return false;
        if (!putGlyph(sheet, face->glyph, code - FirstCode)) return false;
        sheet.widths[code] = static_cast<std::int8_t>((face->glyph->advance.x + 32) >> 6);
    }
    return true;
}

}  // namespace

FontSheet renderFontSheet(const std::string& fontPath)
{
    FontSheet sheet;
    sheet.imageWidth = Columns * Cell;
    const int rows = (LastCode - FirstCode + Columns) / Columns;
    sheet.imageHeight = 1;
    while (sheet.imageHeight < rows * Cell) sheet.imageHeight *= 2;
    sheet.cellWidth = Cell;
    sheet.cellHeight = Cell;
    sheet.baseChar = FirstCode;
    sheet.rgba.assign(static_cast<std::size_t>(sheet.imageWidth) * sheet.imageHeight * 4, 0);

    FT_Library ft = nullptr;
    FT_Face face = nullptr;
    bool ok = FT_Init_FreeType(&ft) == 0 && FT_New_Face(ft, fontPath.c_str(), 0, &face) == 0 &&
              renderGlyphs(sheet, face);
    if (face != nullptr) FT_Done_Face(face);
    if (ft != nullptr) FT_Done_FreeType(ft);
    if (!ok) sheet.imageWidth = 0;
    return sheet;
}
