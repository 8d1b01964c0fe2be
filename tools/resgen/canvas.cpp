#include "tools/resgen/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

Canvas makeCanvas(int width, int height)
{
    Canvas c;
    c.width = width;
    c.height = height;
    c.rgba.assign(static_cast<std::size_t>(width) * height * 4, 0.0f);
    return c;
}

Canvas canvasFromSurface(cairo_surface_t* surface)
{
    cairo_surface_flush(surface);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    Canvas c = makeCanvas(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            std::uint32_t word;
            std::memcpy(&word, data + y * stride + x * 4, 4);
            float* p = &c.rgba[(static_cast<std::size_t>(y) * w + x) * 4];
            p[0] = static_cast<float>((word >> 16) & 0xFF) / 255.0f;
            p[1] = static_cast<float>((word >> 8) & 0xFF) / 255.0f;
            p[2] = static_cast<float>(word & 0xFF) / 255.0f;
            p[3] = static_cast<float>(word >> 24) / 255.0f;
        }
    }
    return c;
}

static std::uint32_t toByte(float v)
{
    return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

Canvas downsample(const Canvas& source, int factor)
{
    Canvas out = makeCanvas(source.width / factor, source.height / factor);
    const float scale = 1.0f / static_cast<float>(factor * factor);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            float sum[4] = {0, 0, 0, 0};
            for (int sy = 0; sy < factor; ++sy) {
                const std::size_t row = static_cast<std::size_t>(y * factor + sy) * source.width;
                for (int sx = 0; sx < factor; ++sx) {
                    const float* p = &source.rgba[(row + x * factor + sx) * 4];
                    for (int k = 0; k < 4; ++k) sum[k] += p[k];
                }
            }
            float* o = &out.rgba[(static_cast<std::size_t>(y) * out.width + x) * 4];
            for (int k = 0; k < 4; ++k) o[k] = sum[k] * scale;
        }
    }
    return out;
}

Image8 toImage8(const Canvas& canvas, const std::uint8_t clearColor[3])
{
    Image8 img;
    img.width = canvas.width;
    img.height = canvas.height;
    img.rgba.resize(canvas.rgba.size());
    for (std::size_t i = 0; i < canvas.rgba.size(); i += 4) {
        const std::uint32_t a = toByte(canvas.rgba[i + 3]);
        img.rgba[i + 3] = static_cast<std::uint8_t>(a);
        for (int k = 0; k < 3; ++k) {
            img.rgba[i + k] = a == 0 ? clearColor[k]
                                     : static_cast<std::uint8_t>(toByte(canvas.rgba[i + k] / canvas.rgba[i + 3]));
        }
    }
    return img;
}

// One pass of the lower-envelope squared distance transform over n samples (Felzenszwalb and
// Huttenlocher): f holds squared distances along a line, d receives them.
static void distance1d(const double* f, double* d, int n, std::vector<int>& v, std::vector<double>& z)
{
    const double inf = std::numeric_limits<double>::infinity();
    int k = 0;
    v[0] = 0;
    z[0] = -inf;
    z[1] = inf;
    for (int q = 1; q < n; ++q) {
        double s;
        for (;;) {
            const int p = v[k];
            s = ((f[q] + double(q) * q) - (f[p] + double(p) * p)) / (2.0 * q - 2.0 * p);
            if (s > z[k]) break;
            --k;
        }
        ++k;
        v[k] = q;
        z[k] = s;
        z[k + 1] = inf;
    }
    k = 0;
    for (int q = 0; q < n; ++q) {
        while (z[k + 1] < q) ++k;
        const double t = q - v[k];
        d[q] = t * t + f[v[k]];
    }
}

std::vector<float> insideDistance(const Canvas& mask)
{
    const int w = mask.width;
    const int h = mask.height;
    const double big = 1e12;  // finite, so that differences of two "infinite" samples stay numbers
    std::vector<double> grid(static_cast<std::size_t>(w) * h);
    for (std::size_t i = 0; i < grid.size(); ++i) grid[i] = mask.rgba[i * 4 + 3] >= 0.5f ? big : 0.0;

    const int n = std::max(w, h);
    std::vector<double> f(n), d(n), z(n + 1);
    std::vector<int> v(n);
    for (int x = 0; x < w; ++x) {
        for (int y = 0; y < h; ++y) f[y] = grid[static_cast<std::size_t>(y) * w + x];
        distance1d(f.data(), d.data(), h, v, z);
        for (int y = 0; y < h; ++y) grid[static_cast<std::size_t>(y) * w + x] = d[y];
    }
    std::vector<float> out(grid.size());
    for (int y = 0; y < h; ++y) {
        const double* row = &grid[static_cast<std::size_t>(y) * w];
        std::copy(row, row + w, f.begin());
        distance1d(f.data(), d.data(), w, v, z);
        for (int x = 0; x < w; ++x) out[static_cast<std::size_t>(y) * w + x] = static_cast<float>(std::sqrt(d[x]));
    }
    return out;
}
