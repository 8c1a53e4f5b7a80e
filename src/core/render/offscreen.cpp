// The off-screen buffer: every frame is drawn here and then copied to the window in one piece, so
// the screen never shows a half-drawn frame.
#include "core/render/offscreen.h"

OffscreenBuffer Offscreen;

void CreateOffscreenBuffer(int32_t width, int32_t height) {
    Offscreen.bufferDC = DeviceContext();
    Offscreen.bufferDC.SelectBitmap(Bitmap(width, height));
    Offscreen.width = width;
    Offscreen.height = height;
    Offscreen.bufferDC.PatBlt(0, 0, width, height, RasterOp::Whiteness);
    Offscreen.sourceDC = DeviceContext();
    Offscreen.exists = true;
}

void DestroyOffscreenBuffer() {
    Offscreen.sourceDC = DeviceContext();
    Offscreen.bufferDC = DeviceContext();
    Offscreen.width = 0;
    Offscreen.height = 0;
    Offscreen.exists = false;
}
