// Reading back what OpenGL made of drawn geometry: feedback mode returns every polygon after
// transformation and clipping, in window coordinates, with its vertices' texture coordinates.
#pragma once

#include <functional>
#include <vector>

struct FeedbackVertex {
    float x, y, z, w;    // window coordinates
    float r, g, b, a;    // colour
    float s, t, p, q;    // texture coordinates (r renamed p)
};

// The polygons (GL decomposes quads into triangles) that draw produced, in the order drawn.
// Points, lines and pixel operations are skipped. draw runs once in feedback mode, so nothing
// reaches the framebuffer.
std::vector<std::vector<FeedbackVertex>> captureFeedbackPolygons(const std::function<void()>& draw);
