// Pixel buffers for the drawings: float premultiplied RGBA while drawing, 8-bit straight RGBA
// when written out, and the bridge from Cairo image surfaces.
#pragma once

#include <cstdint>
#include <vector>

#include <cairo.h>

// Premultiplied RGBA in [0, 1], top row first.
struct Canvas {
    int width = 0;
    int height = 0;
    std::vector<float> rgba;  // width * height * 4
};

// Straight (not premultiplied) RGBA bytes, top row first.
struct Image8 {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;  // width * height * 4
};

Canvas makeCanvas(int width, int height);
// Copies a Cairo ARGB32 image surface (native-endian premultiplied words).
Canvas canvasFromSurface(cairo_surface_t* surface);

// Box-filters by an integer factor; width and height must be multiples of it.
Canvas downsample(const Canvas& source, int factor);

// Rounds to bytes and divides out alpha. Fully transparent pixels get clearColor's RGB, so that
// linear filtering at the edge of a shape blends towards that colour instead of black.
Image8 toImage8(const Canvas& canvas, const std::uint8_t clearColor[3]);

// Euclidean distance in pixels from each pixel whose alpha is at least 0.5 to the nearest pixel
// whose alpha is below it; 0 for the pixels outside.
std::vector<float> insideDistance(const Canvas& mask);
