#include <GL/gl.h>

#include "text/text.h"
#include "text/text_run.h"

const char HelpLine[] =
    "Controls:     In game steer/roll: Cursor keys     Hand size: '+' or '-'     Hand spacing: Shift + "
    "Left/Right cursor keys     Range of travel: Shift + Up/Down cursor keys     Toggle waving: F12";

namespace {

// GL_ALL_ATTRIB_BITS as OpenGL 1.1 defines it: the twenty attribute groups. Later headers
// define the name as 0xFFFFFFFF.
constexpr GLbitfield AllAttribBits = 0x000FFFFF;

// Every quad's lower edge, in overlay pixels above the bottom of the viewport.
constexpr std::int32_t Baseline = 2;

// The width table is indexed by the byte's unsigned value: a code above 127, negative as a
// signed 8-bit code, would otherwise index below the table.
std::int32_t advanceOf(const BitmapFont& font, char c) {
    return font.charWidths[static_cast<unsigned char>(c)];
}

void emitCharQuad(const BitmapFont& font, char c) {
    const std::int32_t code = static_cast<signed char>(c);
    const std::int32_t cell = code - font.baseChar;
    const std::int32_t row = cell / font.cellsPerRow;
    const std::int32_t column = cell - row * font.cellsPerRow;
    const float sLeft = static_cast<float>(column) * font.uStep;
    const float tTop = static_cast<float>(row) * font.vStep;
    const float sRight = sLeft + font.uStep;
    const float tBottom = tTop + font.vStep;
    const std::int32_t left = font.cursorX;
    const std::int32_t bottom = font.cursorY;
    const std::int32_t right = left + font.cellWidth;
    const std::int32_t top = bottom + font.cellHeight;
    glTexCoord2f(sLeft, tBottom);
    glVertex2i(left, bottom);
    glTexCoord2f(sRight, tBottom);
    glVertex2i(right, bottom);
    glTexCoord2f(sRight, tTop);
    glVertex2i(right, top);
    glTexCoord2f(sLeft, tTop);
    glVertex2i(left, top);
}

// A pixel overlay: projection and modelview pushed, the projection spanning the viewport's
// size (its offset plays no part), depth neither tested nor written.
void beginOverlay(GLint viewportWidth, GLint viewportHeight) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, viewportWidth, 0.0, viewportHeight, -1.0, 1.0);
    glDisable(GL_DEPTH_TEST);
    glDepthMask(GL_FALSE);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void endOverlay(GLint savedMatrixMode) {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glMatrixMode(static_cast<GLenum>(savedMatrixMode));
}

}  // namespace

std::int32_t textWidth(const BitmapFont& font, const char* text) {
    std::int32_t width = 0;
    for (int i = 0; i < MaxTextLength && text[i] != '\0'; ++i) width += advanceOf(font, text[i]);
    return width;
}

void emitTextQuads(BitmapFont& font, const char* text, std::int32_t x) {
    font.cursorX = x;
    font.cursorY = Baseline;
    glBegin(GL_QUADS);
    for (int i = 0; i < MaxTextLength && text[i] != '\0'; ++i) {
        emitCharQuad(font, text[i]);
        font.cursorX += advanceOf(font, text[i]);
    }
    glEnd();
}

std::int32_t helpLineWidth(const BitmapFont& font) { return textWidth(font, HelpLine); }

void emitHelpLineQuads(BitmapFont& font, std::int32_t x) { emitTextQuads(font, HelpLine, x); }

void applyFontColorAndBlend(const BitmapFont& font) {
    glColor3f(font.red, font.green, font.blue);
    switch (font.pixelFormat) {
        case FontLuminance:
            // Both factors are GL_SRC_ALPHA: with the colour's alpha of 1 the glyph is added to
            // what lies below it, so black texels leave the background as it is.
            glBlendFunc(GL_SRC_ALPHA, GL_SRC_ALPHA);
            glEnable(GL_BLEND);
            break;
        case FontRgb:
            glDisable(GL_BLEND);
            break;
        case FontRgba:
            glBlendFunc(GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
            glEnable(GL_BLEND);
            break;
    }
}

void drawHelpLine(BitmapFont& font, std::int32_t x) {
    GLint savedMatrixMode = GL_MODELVIEW;
    GLint viewport[4] = {};
    glGetIntegerv(GL_MATRIX_MODE, &savedMatrixMode);
    glGetIntegerv(GL_VIEWPORT, viewport);
    glPushAttrib(AllAttribBits);
    beginOverlay(viewport[2], viewport[3]);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, font.texture);
    applyFontColorAndBlend(font);
    emitHelpLineQuads(font, x);
    glPopAttrib();
    endOverlay(savedMatrixMode);
}
