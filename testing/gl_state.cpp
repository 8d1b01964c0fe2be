#include "testing/gl_state.h"

#include <GL/gl.h>

#include <sstream>

namespace {

enum class Query { Get, Enabled, TexEnv };

struct StateEntry {
    const char* name;
    GLenum what;
    int count;
    Query query;
};

#define GET(name, count) {#name, name, count, Query::Get}
#define ENABLED(name) {#name, name, 1, Query::Enabled}

const StateEntry Entries[] = {
    // Enables.
    ENABLED(GL_ALPHA_TEST), ENABLED(GL_AUTO_NORMAL), ENABLED(GL_BLEND), ENABLED(GL_CLIP_PLANE0),
    ENABLED(GL_COLOR_LOGIC_OP), ENABLED(GL_COLOR_MATERIAL), ENABLED(GL_CULL_FACE), ENABLED(GL_DEPTH_TEST),
    ENABLED(GL_DITHER), ENABLED(GL_FOG), ENABLED(GL_LIGHT0), ENABLED(GL_LIGHTING), ENABLED(GL_LINE_SMOOTH),
    ENABLED(GL_LINE_STIPPLE), ENABLED(GL_MAP1_VERTEX_3), ENABLED(GL_NORMALIZE), ENABLED(GL_POINT_SMOOTH),
    ENABLED(GL_POLYGON_OFFSET_FILL), ENABLED(GL_POLYGON_SMOOTH), ENABLED(GL_POLYGON_STIPPLE),
    ENABLED(GL_SCISSOR_TEST), ENABLED(GL_STENCIL_TEST), ENABLED(GL_TEXTURE_1D), ENABLED(GL_TEXTURE_2D),
    ENABLED(GL_TEXTURE_GEN_S), ENABLED(GL_TEXTURE_GEN_T), ENABLED(GL_TEXTURE_GEN_R), ENABLED(GL_TEXTURE_GEN_Q),
    // Current values.
    GET(GL_CURRENT_COLOR, 4), GET(GL_CURRENT_TEXTURE_COORDS, 4), GET(GL_CURRENT_NORMAL, 3),
    GET(GL_CURRENT_RASTER_POSITION, 4), GET(GL_EDGE_FLAG, 1),
    // Depth buffer.
    GET(GL_DEPTH_FUNC, 1), GET(GL_DEPTH_WRITEMASK, 1), GET(GL_DEPTH_CLEAR_VALUE, 1),
    // Colour buffer.
    GET(GL_BLEND_SRC, 1), GET(GL_BLEND_DST, 1), GET(GL_ALPHA_TEST_FUNC, 1), GET(GL_ALPHA_TEST_REF, 1),
    GET(GL_LOGIC_OP_MODE, 1), GET(GL_COLOR_WRITEMASK, 4), GET(GL_COLOR_CLEAR_VALUE, 4), GET(GL_DRAW_BUFFER, 1),
    // Texture.
    GET(GL_TEXTURE_BINDING_1D, 1), GET(GL_TEXTURE_BINDING_2D, 1),
    {"GL_TEXTURE_ENV_MODE", GL_TEXTURE_ENV_MODE, 1, Query::TexEnv},
    // Transform and viewport.
    GET(GL_MATRIX_MODE, 1), GET(GL_VIEWPORT, 4), GET(GL_DEPTH_RANGE, 2),
    GET(GL_MODELVIEW_MATRIX, 16), GET(GL_PROJECTION_MATRIX, 16), GET(GL_TEXTURE_MATRIX, 16),
    GET(GL_MODELVIEW_STACK_DEPTH, 1), GET(GL_PROJECTION_STACK_DEPTH, 1), GET(GL_TEXTURE_STACK_DEPTH, 1),
    GET(GL_ATTRIB_STACK_DEPTH, 1), GET(GL_CLIENT_ATTRIB_STACK_DEPTH, 1),
    // Lighting.
    GET(GL_SHADE_MODEL, 1), GET(GL_LIGHT_MODEL_AMBIENT, 4), GET(GL_LIGHT_MODEL_TWO_SIDE, 1),
    GET(GL_COLOR_MATERIAL_FACE, 1), GET(GL_COLOR_MATERIAL_PARAMETER, 1),
    // Polygon, line, point.
    GET(GL_POLYGON_MODE, 2), GET(GL_CULL_FACE_MODE, 1), GET(GL_FRONT_FACE, 1), GET(GL_POLYGON_OFFSET_FACTOR, 1),
    GET(GL_POLYGON_OFFSET_UNITS, 1), GET(GL_LINE_WIDTH, 1), GET(GL_LINE_STIPPLE_PATTERN, 1),
    GET(GL_LINE_STIPPLE_REPEAT, 1), GET(GL_POINT_SIZE, 1),
    // Fog and hints.
    GET(GL_FOG_MODE, 1), GET(GL_FOG_COLOR, 4), GET(GL_FOG_DENSITY, 1), GET(GL_FOG_START, 1), GET(GL_FOG_END, 1),
    GET(GL_PERSPECTIVE_CORRECTION_HINT, 1), GET(GL_LINE_SMOOTH_HINT, 1), GET(GL_FOG_HINT, 1),
    // Scissor, stencil, accumulation.
    GET(GL_SCISSOR_BOX, 4), GET(GL_STENCIL_FUNC, 1), GET(GL_STENCIL_REF, 1), GET(GL_STENCIL_VALUE_MASK, 1),
    GET(GL_STENCIL_FAIL, 1), GET(GL_STENCIL_PASS_DEPTH_FAIL, 1), GET(GL_STENCIL_PASS_DEPTH_PASS, 1),
    GET(GL_STENCIL_WRITEMASK, 1), GET(GL_STENCIL_CLEAR_VALUE, 1), GET(GL_ACCUM_CLEAR_VALUE, 4),
    // Pixel mode, display lists, evaluators.
    GET(GL_READ_BUFFER, 1), GET(GL_ZOOM_X, 1), GET(GL_ZOOM_Y, 1), GET(GL_RED_SCALE, 1), GET(GL_MAP_COLOR, 1),
    GET(GL_LIST_BASE, 1), GET(GL_MAP1_GRID_DOMAIN, 2), GET(GL_MAP1_GRID_SEGMENTS, 1),
    // Pixel store (client state, changed around texture uploads).
    GET(GL_UNPACK_ALIGNMENT, 1), GET(GL_PACK_ALIGNMENT, 1), GET(GL_UNPACK_ROW_LENGTH, 1),
};

#undef GET
#undef ENABLED

std::vector<double> read(const StateEntry& entry) {
    std::vector<double> values(static_cast<std::size_t>(entry.count));
    switch (entry.query) {
        case Query::Get: glGetDoublev(entry.what, values.data()); break;
        case Query::Enabled: values[0] = glIsEnabled(entry.what); break;
        case Query::TexEnv: {
            GLint mode = 0;
            glGetTexEnviv(GL_TEXTURE_ENV, entry.what, &mode);
            values[0] = mode;
            break;
        }
    }
    return values;
}

std::string describe(const std::vector<double>& values) {
    std::ostringstream text;
    for (std::size_t i = 0; i < values.size(); ++i) text << (i == 0 ? "" : " ") << values[i];
    return text.str();
}

}  // namespace

GlStateSnapshot captureGlState() {
    GlStateSnapshot snapshot;
    for (const StateEntry& entry : Entries) snapshot.push_back({entry.name, read(entry)});
    return snapshot;
}

std::vector<std::string> glStateDifferences(const GlStateSnapshot& before, const GlStateSnapshot& after) {
    std::vector<std::string> differences;
    if (before.size() != after.size()) return {"snapshots of different sizes"};
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].values != after[i].values) {
            differences.push_back(before[i].name + ": " + describe(before[i].values) + " -> " +
                                  describe(after[i].values));
        }
    }
    return differences;
}
