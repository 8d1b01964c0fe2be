// Drawing one frame of the hands scene with the fixed-function pipeline. Depth testing is never
// enabled, so what is drawn later covers what was drawn earlier: help line, hands, travel lines,
// title image.
#include <GL/gl.h>

#include <cstdint>

#include "scene/scene.h"

namespace {

constexpr float HandDepth = -600.0f;    // the hands' plane, in front of the eye
constexpr GLint TitleDepth = -200;      // the title lies this much further back
constexpr GLint TitleHalfSide = 256;    // the title quad is 512 x 512 units
constexpr GLint TravelLineHalfLength = 400;  // wider than the view at the hands' depth

// A hand's corners in drawing order, with the texture's s coordinate as stored; a mirrored hand
// takes 1 - s. t = 0 is the image's top row.
struct HandCorner {
    double s;
    double t;
    float x;  // in units of handSize
    float y;
};
constexpr HandCorner HandCorners[4] = {{0, 0, -1, 1}, {1, 0, 1, 1}, {1, 1, 1, -1}, {0, 1, -1, -1}};

void drawTravelLines(float travelRange) {
    const GLint r = static_cast<GLint>(travelRange);
    glColor4f(1, 0, 0, 1);
    glLineWidth(3);
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_LINES);
    glVertex2i(-TravelLineHalfLength, r);
    glVertex2i(TravelLineHalfLength, r);
    glVertex2i(-TravelLineHalfLength, -r);
    glVertex2i(TravelLineHalfLength, -r);
    glEnd();
}

// The title image, still drawn in the frame in which its time runs out. After the travel lines
// the colour and texturing are put back so that it shows in its own colours.
void drawTitle(SceneState& scene, bool linesDrawn) {
    if (scene.frameClock > scene.splashEndTime) scene.splashVisible = false;
    if (linesDrawn) {
        glEnable(GL_TEXTURE_2D);
        glColor4f(1, 1, 1, 1);
    }
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(scene.titleTexture));
    glBegin(GL_QUADS);
    glTexCoord2d(0, 0);
    glVertex3i(-TitleHalfSide, TitleHalfSide, TitleDepth);
    glTexCoord2d(1, 0);
    glVertex3i(TitleHalfSide, TitleHalfSide, TitleDepth);
    glTexCoord2d(1, 1);
    glVertex3i(TitleHalfSide, -TitleHalfSide, TitleDepth);
    glTexCoord2d(0, 1);
    glVertex3i(-TitleHalfSide, -TitleHalfSide, TitleDepth);
    glEnd();
}

}  // namespace

void drawHand(float xOffset, float y, float handSize, bool rotate, float angle, bool mirrored) {
    glPushMatrix();
    // The quad's centre sits handSize / 1.5 below the hand's position.
    glTranslatef(xOffset, static_cast<float>(y - handSize / 1.5), 0);
    if (rotate) glRotatef(angle, 0, 0, 1);
    glBegin(GL_QUADS);
    for (const HandCorner& corner : HandCorners) {
        glTexCoord2d(mirrored ? 1 - corner.s : corner.s, corner.t);
        glVertex2f(corner.x * handSize, corner.y * handSize);
    }
    glEnd();
    glPopMatrix();
}

void drawScene(SceneState& scene) {
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(1, 1, 1, 1);
    glLoadIdentity();
    glTranslatef(0, 0, HandDepth);

    drawHelpLine(scene.font, static_cast<std::int32_t>(scene.textX));

    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(scene.handTexture));
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    // The right hand shows the image mirrored and turns the other way, so the two wave in
    // mirror image.
    drawHand(scene.handSpacing, scene.rightY, scene.handSize, scene.waving, scene.waveAngle, true);
    drawHand(-scene.handSpacing, scene.leftY, scene.handSize, scene.waving, -scene.waveAngle, false);

    if (scene.showTravelLines) drawTravelLines(scene.travelRange);
    if (scene.splashVisible) drawTitle(scene, scene.showTravelLines);
}
