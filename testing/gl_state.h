// Reading back the fixed-function OpenGL state, to show that drawing code leaves it as found.
#pragma once

#include <string>
#include <vector>

// One queried value: its name and the numbers glGet* returned for it.
struct GlStateValue {
    std::string name;
    std::vector<double> values;
};

using GlStateSnapshot = std::vector<GlStateValue>;

// Every value of the current context's state that this helper knows how to read, across the
// attribute groups of OpenGL 1.1 (enables, current values, depth, colour buffer, texture
// binding and environment, transform, viewport, lighting, polygon, line, point, fog, hints,
// scissor, stencil, accumulation, pixel mode, list, evaluators), the three matrices with their
// stack depths, the attribute stack depths and the pixel-store alignments.
GlStateSnapshot captureGlState();

// "name: before -> after" for every value that differs; empty when the two are equal.
std::vector<std::string> glStateDifferences(const GlStateSnapshot& before, const GlStateSnapshot& after);
