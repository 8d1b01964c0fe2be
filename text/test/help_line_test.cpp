// Measuring and drawing the help line: widths without OpenGL, then quads read back through
// feedback mode, state read back with glGet, and pixels read back from a rendered frame.
#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <string>
#include <tuple>

#include "testing/gl_context.h"
#include "testing/gl_feedback.h"
#include "testing/gl_state.h"
#include "testing/resource_dir.h"
#include "text/test/font_bytes.h"
#include "text/text.h"
#include "text/text_run.h"

namespace {

BitmapFont fontWithWidths(std::int8_t width) {
    BitmapFont font{};
    font.cellWidth = 16;
    font.cellHeight = 16;
    font.cellsPerRow = 16;
    font.baseChar = 32;
    font.uStep = 1.0f / 16.0f;
    font.vStep = 1.0f / 8.0f;
    std::memset(font.charWidths, static_cast<unsigned char>(width), sizeof font.charWidths);
    return font;
}

TEST(HelpLine, IsSixSegmentsSeparatedByFiveSpaces) {
    const std::string line = HelpLine;
    EXPECT_EQ(line.size(), 192u);
    std::vector<std::string> segments;
    for (std::size_t start = 0;;) {
        const std::size_t gap = line.find("     ", start);
        segments.push_back(line.substr(start, gap - start));
        if (gap == std::string::npos) break;
        start = gap + 5;
    }
    const std::vector<std::string> expected = {"Controls:",
                                               "In game steer/roll: Cursor keys",
                                               "Hand size: '+' or '-'",
                                               "Hand spacing: Shift + Left/Right cursor keys",
                                               "Range of travel: Shift + Up/Down cursor keys",
                                               "Toggle waving: F12"};
    EXPECT_EQ(segments, expected);
}

struct WidthCase {
    const char* name;
    std::int8_t every;       // width of every code
    char special;            // one code given its own width
    std::int8_t specialWidth;
    std::int32_t expected;
};

void PrintTo(const WidthCase& c, std::ostream* out) { *out << c.name; }

class HelpLineWidth : public ::testing::TestWithParam<WidthCase> {};

TEST_P(HelpLineWidth, SumsTheWidthsOfItsCharacters) {
    BitmapFont font = fontWithWidths(GetParam().every);
    font.charWidths[static_cast<unsigned char>(GetParam().special)] = GetParam().specialWidth;
    EXPECT_EQ(helpLineWidth(font), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Tables, HelpLineWidth,
                         ::testing::Values(WidthCase{"AllEight", 8, 'x', 8, 1536},
                                           WidthCase{"AllZero", 0, 'x', 0, 0},
                                           WidthCase{"OnlySpaces", 0, ' ', 3, 48 * 3},
                                           WidthCase{"AllMinusOne", -1, 'x', -1, -192},
                                           WidthCase{"CellWidthPlaysNoPart", 1, 'e', -20, 181 - 11 * 20}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TextWidth, CodesAbove127IndexInsideTheTable) {
    BitmapFont font = fontWithWidths(0);
    font.charWidths[200] = 5;
    font.charWidths[255] = 7;
    EXPECT_EQ(textWidth(font, "\xC8\xFF"), 12);
}

TEST(TextWidth, ReadsAtMost255Characters) {
    const BitmapFont font = fontWithWidths(1);
    const std::string text(300, 'a');
    EXPECT_EQ(textWidth(font, text.c_str()), 255);
}

// Quads read back through feedback under a pixel projection of the 800 x 600 viewport.
class TextQuads : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, 800, 0, 600, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    std::vector<FeedbackVertex> emit(BitmapFont& font, const char* text, std::int32_t x) {
        std::vector<FeedbackVertex> vertices;
        for (const auto& polygon : captureFeedbackPolygons([&] { emitTextQuads(font, text, x); })) {
            vertices.insert(vertices.end(), polygon.begin(), polygon.end());
        }
        return vertices;
    }
};

// The window transform leaves positions a few ulps off whole pixels.
bool atPixel(float coordinate, float pixel) { return std::fabs(coordinate - pixel) < 1e-3f; }

// Whether some vertex sits at window (x, y) with texture coordinates (s, t).
::testing::AssertionResult hasVertex(const std::vector<FeedbackVertex>& vertices, float x, float y, float s, float t) {
    for (const FeedbackVertex& v : vertices) {
        if (atPixel(v.x, x) && atPixel(v.y, y) && v.s == s && v.t == t) return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "no vertex at (" << x << ", " << y << ") with texture (" << s << ", "
                                         << t << ")";
}

struct CellCase {
    const char* name;
    char code;
    int column;  // the cell's column and row as the truncating division gives them
    int row;
};

void PrintTo(const CellCase& c, std::ostream* out) { *out << c.name; }

class CharacterCell : public TextQuads, public ::testing::WithParamInterface<CellCase> {};

TEST_P(CharacterCell, QuadCornersGetTheCellsTextureCoordinates) {
    BitmapFont font = fontWithWidths(8);
    const char text[] = {GetParam().code, '\0'};
    const auto vertices = emit(font, text, 100);
    const float sLeft = static_cast<float>(GetParam().column) * font.uStep;
    const float tTop = static_cast<float>(GetParam().row) * font.vStep;
    const float sRight = sLeft + font.uStep;
    const float tBottom = tTop + font.vStep;
    EXPECT_TRUE(hasVertex(vertices, 100, 2, sLeft, tBottom));
    EXPECT_TRUE(hasVertex(vertices, 116, 2, sRight, tBottom));
    EXPECT_TRUE(hasVertex(vertices, 116, 18, sRight, tTop));
    EXPECT_TRUE(hasVertex(vertices, 100, 18, sLeft, tTop));
    EXPECT_EQ(font.cursorX, 108);
    EXPECT_EQ(font.cursorY, 2);
}

// Base character 32, 16 cells a row.
INSTANTIATE_TEST_SUITE_P(Codes, CharacterCell,
                         ::testing::Values(CellCase{"CapitalA", 'A', 1, 2}, CellCase{"Space", ' ', 0, 0},
                                           CellCase{"LastOfFirstRow", '/', 15, 0},
                                           CellCase{"FirstOfSecondRow", '0', 0, 1},
                                           CellCase{"BelowBaseTruncatesToRowZero", '\x1E', -2, 0},
                                           CellCase{"Above 127IsNegative", '\xC8', -8, -5}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::erase(name, ' ');
                             return name;
                         });

TEST_F(TextQuads, NegativeWidthMovesNextCharacterLeft) {
    BitmapFont font = fontWithWidths(8);
    font.charWidths[65] = static_cast<std::int8_t>(0xFE);  // 'A'
    const auto vertices = emit(font, "AB", 100);
    const float sB = 2 * font.uStep;  // 'B' is cell 34: column 2, row 2
    const float tB = 3 * font.vStep;
    EXPECT_TRUE(hasVertex(vertices, 100, 2, font.uStep, tB));  // 'A'
    EXPECT_TRUE(hasVertex(vertices, 98, 2, sB, tB));
    EXPECT_EQ(font.cursorX, 106);
}

TEST_F(TextQuads, ZeroWidthsDrawEveryCharacterAtX) {
    BitmapFont font = fontWithWidths(0);
    const auto vertices = captureFeedbackPolygons([&] { emitHelpLineQuads(font, 40); });
    ASSERT_FALSE(vertices.empty());
    for (const auto& polygon : vertices) {
        for (const FeedbackVertex& v : polygon) EXPECT_TRUE(atPixel(v.x, 40) || atPixel(v.x, 56)) << v.x;
    }
    EXPECT_EQ(font.cursorX, 40);
}

TEST_F(TextQuads, EmptyTextSetsCursorAndLeavesNoOpenBatch) {
    BitmapFont font = fontWithWidths(8);
    font.cursorY = 9;
    EXPECT_TRUE(emit(font, "", 7).empty());
    EXPECT_EQ(font.cursorX, 7);
    EXPECT_EQ(font.cursorY, 2);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

struct BlendCase {
    const char* name;
    FontPixelFormat format;
    GLboolean blendBefore;
    GLboolean blend;
    GLint source;
    GLint destination;
};

void PrintTo(const BlendCase& c, std::ostream* out) { *out << c.name; }

class FontColorAndBlend : public GlTest, public ::testing::WithParamInterface<BlendCase> {};

// Starts from other blend factors and a replacing texture environment, which must survive.
TEST_P(FontColorAndBlend, SetsColourAndBlendingByPixelFormat) {
    const BlendCase expected = GetParam();
    if (expected.blendBefore) {
        glEnable(GL_BLEND);
    } else {
        glDisable(GL_BLEND);
    }
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glColor4f(0, 0, 0, 0.5f);
    BitmapFont font = fontWithWidths(8);
    font.pixelFormat = expected.format;
    font.red = 0.25f;
    font.green = 0.5f;
    font.blue = 0.75f;

    applyFontColorAndBlend(font);

    GLfloat color[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, color);
    EXPECT_EQ(std::vector<GLfloat>(color, color + 4), (std::vector<GLfloat>{0.25f, 0.5f, 0.75f, 1.0f}));
    EXPECT_EQ(glIsEnabled(GL_BLEND), expected.blend);
    GLint source = 0;
    GLint destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, expected.source);
    EXPECT_EQ(destination, expected.destination);
    GLint environment = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
    EXPECT_EQ(environment, GL_REPLACE);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, FontColorAndBlend,
    ::testing::Values(BlendCase{"Luminance", FontLuminance, GL_FALSE, GL_TRUE, GL_SRC_ALPHA, GL_SRC_ALPHA},
                      BlendCase{"Rgb", FontRgb, GL_TRUE, GL_FALSE, GL_DST_COLOR, GL_ZERO},
                      BlendCase{"Rgba", FontRgba, GL_FALSE, GL_TRUE, GL_ONE, GL_ONE_MINUS_SRC_ALPHA},
                      // Not a format: blending is left as it was.
                      BlendCase{"UnknownEnabled", static_cast<FontPixelFormat>(3), GL_TRUE, GL_TRUE, GL_DST_COLOR,
                                GL_ZERO},
                      BlendCase{"UnknownDisabled", static_cast<FontPixelFormat>(0), GL_FALSE, GL_FALSE, GL_DST_COLOR,
                                GL_ZERO}),
    [](const auto& info) { return std::string(info.param.name); });

// A state that differs from everything drawHelpLine sets, with all three matrices non-identity
// and pushed once, so that a wrong pop, a lost mode or an unrestored setting shows.
void setUnusualState() {
    glViewport(40, 30, 700, 500);
    for (GLenum mode : {GL_TEXTURE, GL_PROJECTION, GL_MODELVIEW}) {
        glMatrixMode(mode);
        glPushMatrix();
        glTranslatef(0.5f, -2.0f, 3.0f);
        glScalef(2.0f, 3.0f, 4.0f);
    }
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_NEVER);
    glDepthMask(GL_TRUE);
    glDisable(GL_TEXTURE_2D);
    GLuint other = 0;
    glGenTextures(1, &other);
    glBindTexture(GL_TEXTURE_2D, other);
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ONE_MINUS_DST_ALPHA);
    glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
    glTexCoord4f(0.6f, 0.7f, 0.8f, 0.9f);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_DECAL);
}

std::string stateCaseName(const ::testing::TestParamInfo<std::tuple<GLenum, FontPixelFormat>>& info) {
    const std::string modes[] = {"Modelview", "Projection", "Texture"};
    return modes[std::get<0>(info.param) - GL_MODELVIEW] + "Format" + std::to_string(std::get<1>(info.param));
}

class DrawHelpLineState : public GlTest, public ::testing::WithParamInterface<std::tuple<GLenum, FontPixelFormat>> {};

TEST_P(DrawHelpLineState, IsRestoredWhicheverModeWasCurrent) {
    const auto [matrixMode, format] = GetParam();
    BitmapFont font = fontWithWidths(8);
    font.pixelFormat = format;
    font.red = font.green = font.blue = 1.0f;
    glGenTextures(1, &font.texture);
    setUnusualState();
    glMatrixMode(matrixMode);
    const GlStateSnapshot before = captureGlState();

    drawHelpLine(font, 25);

    EXPECT_EQ(glStateDifferences(before, captureGlState()), std::vector<std::string>{});
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(font.cursorX, 25 + 1536);
    EXPECT_EQ(font.cursorY, 2);
}

INSTANTIATE_TEST_SUITE_P(Modes, DrawHelpLineState,
                         ::testing::Combine(::testing::Values(GL_MODELVIEW, GL_PROJECTION, GL_TEXTURE),
                                            ::testing::Values(FontLuminance, FontRgb, FontRgba)),
                         stateCaseName);

// A luminance font whose cells are 8 x 8: every cell is filled with its own grey, 40 + 2 x cell,
// except its first stored row, which is white and must be the quad's top row.
constexpr int Cell = 8;
constexpr int Columns = 16;

std::uint8_t cellGrey(int cell) { return static_cast<std::uint8_t>(40 + 2 * cell); }

std::vector<std::uint8_t> syntheticFontFile() {
    const int width = Cell * Columns;
    const int height = Cell * 6;
    auto file = fontHeader({.imageWidth = width, .imageHeight = height, .cellWidth = Cell, .cellHeight = Cell});
    for (int code = 0; code < 256; ++code) {
        file[20 + static_cast<std::size_t>(code)] = static_cast<std::uint8_t>(9 + code % 3);
    }
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int cell = (y / Cell) * Columns + x / Cell;
            file.push_back(y % Cell == 0 ? 255 : cellGrey(cell));
        }
    }
    return file;
}

class DrawHelpLinePixels : public GlTest {
protected:
    ScratchWorkingDirectory directory;
};

// Drawn over a state that would hide it (depth test that never passes, a perspective-like
// projection, a moved modelview) in a viewport offset from the window's corner.
TEST_F(DrawHelpLinePixels, GlyphsLandWhereTheWidthsPutThem) {
    directory.write("res/fm", syntheticFontFile());
    BitmapFont font{};
    font.red = font.green = font.blue = 1.0f;
    ASSERT_TRUE(loadBitmapFont(font));
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_NEVER);
    glMatrixMode(GL_PROJECTION);
    glFrustum(-1, 1, -1, 1, 1, 1000);
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(0, 0, -600);
    const int viewportX = 40;
    const int viewportY = 30;
    const int viewportWidth = 700;
    glViewport(viewportX, viewportY, viewportWidth, 500);

    drawHelpLine(font, 3);
    const auto frame = readFramebuffer();

    auto red = [&](int x, int y) {
        return frame[(static_cast<std::size_t>(y) * 800 + static_cast<std::size_t>(x)) * 4];
    };
    int x = 3;
    int checked = 0;
    for (const char* c = HelpLine; *c != '\0' && x + 12 <= viewportWidth; ++c) {
        const int cell = *c - 32;
        const int advance = 9 + *c % 3;
        const int left = viewportX + x;
        const int bottom = viewportY + 2;
        for (int dy = 0; dy < Cell; ++dy) {
            const std::uint8_t expected = dy == Cell - 1 ? 255 : cellGrey(cell);
            for (int dx = 0; dx < Cell; ++dx) {
                ASSERT_EQ(red(left + dx, bottom + dy), expected) << "'" << *c << "' at " << dx << "," << dy;
            }
        }
        for (int gap = Cell; gap < advance; ++gap) {
            ASSERT_EQ(red(left + gap, bottom), 0) << "'" << *c << "' gap " << gap;
        }
        ASSERT_EQ(red(left, bottom - 1), 0) << "below '" << *c << "'";
        ASSERT_EQ(red(left, bottom + Cell), 0) << "above '" << *c << "'";
        x += advance;
        ++checked;
    }
    EXPECT_GT(checked, 60);
}

}  // namespace
