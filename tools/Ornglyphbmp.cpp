// Writes the check box's glyphs (src/widgets/Ornglyphs.h) into a folder as .bmp files, with a
// resource script Ornglyphs.rc that names each one: the Windows program's bitmap resources.
// It runs on the build machine while the program is built.
//
// Usage: ornglyphbmp FOLDER

#include "widgets/Ornglyphs.h"

#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: ornglyphbmp FOLDER\n";
        return 2;
    }
    const std::string folder = argv[1];
    std::ofstream script(folder + "/Ornglyphs.rc", std::ios::binary);
    script << "// Written by ornglyphbmp from Ornglyphs.cpp: the check box's glyphs.\n";
    for (const TOrnGlyph& glyph : OrnGlyphs()) {
        // The script names each file by its full path: the resource compiler looks for
        // relative names in its own working folder.
        const std::string file = folder + "/" + glyph.Name + ".bmp";
        std::ofstream bitmap(file, std::ios::binary);
        bitmap << OrnGlyphBmpFile(glyph);
        bitmap.close();
        if (!bitmap) {
            std::cerr << "ornglyphbmp: cannot write " << file << "\n";
            return 1;
        }
        script << glyph.Name << " BITMAP \"" << file << "\"\n";
    }
    script.close();
    if (!script) {
        std::cerr << "ornglyphbmp: cannot write " << folder << "/Ornglyphs.rc\n";
        return 1;
    }
    return 0;
}
