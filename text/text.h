// Bitmap text: the bitmap-font file, its texture, and the help line measured and drawn with it.
#pragma once

#include <cstdint>

// Layout of the font image; the values are codes, not byte counts.
enum FontPixelFormat : std::int32_t {
    FontLuminance = 1,  // 8 bits per pixel, GL_LUMINANCE
    FontRgb = 2,        // 24 bits per pixel, GL_RGB
    FontRgba = 4        // 32 bits per pixel, GL_RGBA
};

// A loaded bitmap font. The loader fills every field except the cursor and the colour, which
// belong to the caller (set before loading) and to the drawing.
struct BitmapFont {
    std::int32_t cellWidth;     // width of a cell, and of every drawn character quad
    std::int32_t cellHeight;    // height of a cell, and of every drawn character quad
    std::int32_t cellsPerRow;   // image width / cell width, truncated
    std::int8_t baseChar;       // character code of cell 0
    std::int8_t charWidths[256];  // signed advance widths, indexed by character code
    std::uint32_t texture;      // OpenGL texture name of the font image
    std::int32_t cursorX;       // drawing position in overlay pixels
    std::int32_t cursorY;
    float vStep;                // one cell's height in texture coordinates
    float uStep;                // one cell's width in texture coordinates
    FontPixelFormat pixelFormat;
    float red;                  // text colour
    float green;
    float blue;
};

// The one text the system draws: 192 characters of ASCII.
extern const char HelpLine[];

// Reads res\fm, checks it, fills font and makes its texture (left bound to GL_TEXTURE_2D).
// False when the file is missing, malformed or memory runs out; then no OpenGL call was made.
// Render thread, with an OpenGL context current.
bool loadBitmapFont(BitmapFont& font);

// Width of the help line in pixels: the sum of its characters' advance widths. No GL needed.
std::int32_t helpLineWidth(const BitmapFont& font);

// Draws the help line with the left edge of its first character at overlay x, its baseline
// 2 pixels above the bottom of the viewport, leaving every OpenGL setting as it found it.
// Render thread, with an OpenGL context current.
void drawHelpLine(BitmapFont& font, std::int32_t x);

// The two steps inside drawHelpLine.
void applyFontColorAndBlend(const BitmapFont& font);
void emitHelpLineQuads(BitmapFont& font, std::int32_t x);
