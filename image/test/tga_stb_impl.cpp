// The one definition of stb_image, used by the tests as an oracle and by the benchmark as a
// baseline; never linked into the program.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#include <stb/stb_image.h>
