// stb's PNG reader and writer, private to this file so they cannot meet another copy of stb.
#include "scene/test/png_io.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

bool readPng(const std::string& path, PngImage& image) {
    int channels = 0;
    stbi_uc* data = stbi_load(path.c_str(), &image.width, &image.height, &channels, 4);
    if (data == nullptr) return false;
    image.rgba.assign(data, data + static_cast<std::size_t>(image.width) * image.height * 4);
    stbi_image_free(data);
    return true;
}

bool writePng(const std::string& path, const PngImage& image) {
    return stbi_write_png(path.c_str(), image.width, image.height, 4, image.rgba.data(), image.width * 4) != 0;
}
