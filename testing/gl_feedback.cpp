#include "testing/gl_feedback.h"

#include <GL/gl.h>

namespace {

// GL_4D_COLOR_TEXTURE in RGBA mode: 4 position, 4 colour and 4 texture values per vertex.
constexpr std::size_t VertexFloats = 12;
constexpr std::size_t BufferFloats = 1 << 20;

FeedbackVertex vertexAt(const std::vector<GLfloat>& buffer, std::size_t at) {
    const GLfloat* v = &buffer[at];
    return FeedbackVertex{v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]};
}

std::size_t verticesAfterToken(GLfloat token) {
    switch (static_cast<GLint>(token)) {
        case GL_POINT_TOKEN:
        case GL_BITMAP_TOKEN:
        case GL_DRAW_PIXEL_TOKEN:
        case GL_COPY_PIXEL_TOKEN: return 1;
        case GL_LINE_TOKEN:
        case GL_LINE_RESET_TOKEN: return 2;
        default: return 0;
    }
}

}  // namespace

std::vector<std::vector<FeedbackVertex>> captureFeedbackPolygons(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(BufferFloats);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_4D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<std::vector<FeedbackVertex>> polygons;
    std::size_t at = 0;
    while (used > 0 && at < static_cast<std::size_t>(used)) {
        const GLfloat token = buffer[at++];
        if (static_cast<GLint>(token) == GL_POLYGON_TOKEN) {
            const auto count = static_cast<std::size_t>(buffer[at++]);
            std::vector<FeedbackVertex> polygon;
            for (std::size_t i = 0; i < count; ++i, at += VertexFloats) polygon.push_back(vertexAt(buffer, at));
            polygons.push_back(polygon);
        } else if (static_cast<GLint>(token) == GL_PASS_THROUGH_TOKEN) {
            at += 1;
        } else {
            at += verticesAfterToken(token) * VertexFloats;
        }
    }
    return polygons;
}
