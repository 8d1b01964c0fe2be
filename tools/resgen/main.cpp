// velmory_resgen: draws the program's resource files and icon and writes them under a source
// root. The output depends only on this code, the DejaVu fonts and the Cairo and FreeType
// libraries, so a second run reproduces the files byte for byte.
//
//   velmory_resgen ROOT [PREVIEW_DIR]
//
// writes ROOT/res/hd, ROOT/res/tl, ROOT/res/fm, ROOT/app/velmory.ico, ROOT/app/velmory.rc and
// ROOT/platform/sdl/icon129.inc, and with PREVIEW_DIR the PNG previews there.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/resgen/drawings.h"
#include "tools/resgen/formats.h"
#include "tools/resgen/preview.h"

namespace {

const std::string FontDir = "/usr/share/fonts/truetype/dejavu/";

bool fail(const std::string& what)
{
    std::fprintf(stderr, "velmory_resgen: %s\n", what.c_str());
    return false;
}

bool makeDirs(const std::string& path)
{
    std::error_code ec;
    std::filesystem::create_directories(path, ec);
    return !ec || fail("cannot create " + path);
}

bool write(const std::string& path, const Bytes& bytes)
{
    return writeFile(path, bytes) || fail("cannot write " + path);
}

bool generate(const std::string& root, const char* previewDir)
{
    Previews p;
    p.hand = drawHand();
    p.title = drawTitle(FontDir + "DejaVuSans-Bold.ttf", FontDir + "DejaVuSans.ttf");
    if (p.title.width == 0) return fail("cannot read the DejaVu Sans fonts in " + FontDir);
    p.font = renderFontSheet(FontDir + "DejaVuSans.ttf");
    if (p.font.imageWidth == 0) return fail("cannot render the help-line font from " + FontDir);
    p.icon32 = drawIcon(32);
    p.icon16 = drawIcon(16);

    const std::string rc = "129 ICON \"velmory.ico\"\n";
    const bool ok = makeDirs(root + "/res") && makeDirs(root + "/app") && makeDirs(root + "/platform/sdl") &&
                    write(root + "/res/hd", encodeTgaRle(p.hand)) && write(root + "/res/tl", encodeTgaRle(p.title)) &&
                    write(root + "/res/fm", encodeBitmapFont(p.font)) &&
                    write(root + "/app/velmory.ico", encodeIco({p.icon32, p.icon16})) &&
                    write(root + "/app/velmory.rc", Bytes(rc.begin(), rc.end())) &&
                    write(root + "/platform/sdl/icon129.inc", [&] {
                        const std::string s = iconFragment(p.icon32, p.icon16);
                        return Bytes(s.begin(), s.end());
                    }());
    if (!ok || previewDir == nullptr) return ok;
    return (makeDirs(previewDir) && writePreviews(p, previewDir)) || fail(std::string("cannot write previews in ") + previewDir);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: velmory_resgen ROOT [PREVIEW_DIR]\n");
        return 2;
    }
    return generate(argv[1], argc == 3 ? argv[2] : nullptr) ? 0 : 1;
}
