// The program entry on Linux: a QApplication and the Qt platform for the whole run, the check
// box's glyphs as the program's bitmap resources, then the program.
#include "platform/qt/Qtplatform.h"

#include "app/Morvik.h"
#include "widgets/Ornglyphs.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    // The installed launcher and icon (share/applications, share/icons) are the window's.
    QGuiApplication::setDesktopFileName("morvik");
    QApplication::setWindowIcon(QIcon::fromTheme("morvik"));
    TQtPlatform platform;
    InstallPlatform(&platform);
    // Compiled in from the one description of their pixels, as the Windows program's resource
    // file is made from it.
    for (const TOrnGlyph& glyph : OrnGlyphs()) {
        TBitmap bitmap(OrnGlyphSize, OrnGlyphSize);
        for (int y = 0; y < OrnGlyphSize; ++y) {
            for (int x = 0; x < OrnGlyphSize; ++x) {
                bitmap.SetPixel(x, y, OrnGlyphColor(glyph.Rows[std::size_t(y)][x]));
            }
        }
        platform.AddBitmapResource(glyph.Name, bitmap);
    }
    const int result = MorvikMain();
    InstallPlatform(nullptr);
    return result;
}
