#include "platform/qt/Qtbitmap.h"

TQtBitmapImage::TQtBitmapImage(int width, int height) : Image(width, height, QImage::Format_RGB32) {
    // The toolkit's pixels keep 0 in the top byte (TBitmapImage::Bits); so do these.
    Image.fill(0);
    ImageCanvas = std::make_unique<TQtCanvas>(Image);
}
