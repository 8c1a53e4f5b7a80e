#include "raster/device_context.h"

#include <algorithm>
#include <utility>

namespace {

TextDrawer textDrawer = nullptr;

// The brush's inside as the raster core takes it: a solid colour, a tile in colour, or nothing.
struct Inside {
    bool solid = false;
    Colour colour = 0;
    Bitmap tile;
};

Inside InsideOf(const Brush& brush, Colour textColour, Colour backgroundColour) {
    Inside inside;
    switch (brush.kind) {
        case Brush::Kind::Solid:
            inside.solid = true;
            inside.colour = brush.colour;
            break;
        case Brush::Kind::Pattern:
            // A two-colour pattern takes the context's text and background colours, like a copy.
            inside.tile = Coloured(brush.pattern, textColour, backgroundColour);
            break;
        case Brush::Kind::Hollow:
            break;
    }
    return inside;
}

}  // namespace

void SetTextDrawer(TextDrawer drawer) {
    textDrawer = drawer;
}

Pen CreatePen(int32_t width, Colour colour) {
    return Pen{std::max(width, 1), colour, false};
}

Brush CreateSolidBrush(Colour colour) {
    return Brush{Brush::Kind::Solid, colour, {}};
}

Brush CreatePatternBrush(const Bitmap& pattern) {
    return Brush{Brush::Kind::Pattern, rgb(0, 0, 0), pattern};
}

Brush GetStockBrush(int id) {
    if (id == GRAY_BRUSH) return CreateSolidBrush(rgb(128, 128, 128));
    return Brush{Brush::Kind::Hollow, rgb(0, 0, 0), {}};
}

DeviceContext::DeviceContext() : textColour_(rgb(0, 0, 0)), backgroundColour_(rgb(255, 255, 255)) {}

Bitmap DeviceContext::SelectBitmap(const Bitmap& bitmap) {
    Bitmap replaced = std::move(bitmap_);
    bitmap_ = bitmap;
    return replaced;
}

Pen DeviceContext::SelectPen(const Pen& pen) {
    return std::exchange(pen_, pen);
}

Brush DeviceContext::SelectBrush(const Brush& brush) {
    return std::exchange(brush_, brush);
}

Colour DeviceContext::SetTextColor(Colour colour) {
    return std::exchange(textColour_, colour);
}

Colour DeviceContext::SetBkColor(Colour colour) {
    return std::exchange(backgroundColour_, colour);
}

BackgroundMode DeviceContext::SetBkMode(BackgroundMode mode) {
    return std::exchange(backgroundMode_, mode);
}

void DeviceContext::PatBlt(int32_t x, int32_t y, int32_t width, int32_t height, RasterOp op) {
    FillRect(bitmap_, Rect32{x, y, x + width, y + height},
             op == RasterOp::Whiteness ? rgb(255, 255, 255) : rgb(0, 0, 0));
}

void DeviceContext::BitBlt(int32_t x, int32_t y, int32_t width, int32_t height, const DeviceContext& source,
                           int32_t sourceX, int32_t sourceY) {
    CopyPixels(bitmap_, Rect32{x, y, x + width, y + height}, source.Image(),
               Rect32{sourceX, sourceY, sourceX + width, sourceY + height}, textColour_, backgroundColour_,
               nullptr, Combine::Replace);
}

void DeviceContext::StretchBltOr(int32_t x, int32_t y, int32_t width, int32_t height,
                                 const DeviceContext& source, int32_t sourceX, int32_t sourceY,
                                 int32_t sourceWidth, int32_t sourceHeight) {
    CopyPixels(bitmap_, Rect32{x, y, x + width, y + height}, source.Image(),
               Rect32{sourceX, sourceY, sourceX + sourceWidth, sourceY + sourceHeight}, textColour_,
               backgroundColour_, nullptr, Combine::Or);
}

void DeviceContext::TransparentImage(int32_t x, int32_t y, int32_t width, int32_t height,
                                     const DeviceContext& source, int32_t sourceX, int32_t sourceY,
                                     int32_t sourceWidth, int32_t sourceHeight, Colour key) {
    TransparentCopy(bitmap_, Rect32{x, y, x + width, y + height}, source.Image(),
                    Rect32{sourceX, sourceY, sourceX + sourceWidth, sourceY + sourceHeight}, textColour_,
                    backgroundColour_, key);
}

void DeviceContext::Rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right == left || bottom == top) return;
    const Rect32 whole{left, top, right, bottom};
    const bool thinOutline = !pen_.null && pen_.width <= 1;
    if (thinOutline && brush_.kind != Brush::Kind::Pattern) {
        DrawBox(bitmap_, whole, pen_.colour, brush_.kind == Brush::Kind::Solid ? &brush_.colour : nullptr);
        return;
    }
    const Rect32 inside = thinOutline ? Rect32{left + 1, top + 1, right - 1, bottom - 1} : whole;
    if (brush_.kind == Brush::Kind::Solid) FillRect(bitmap_, inside, brush_.colour);
    if (brush_.kind == Brush::Kind::Pattern) {
        FillRectWithTile(bitmap_, inside, Coloured(brush_.pattern, textColour_, backgroundColour_));
    }
    if (pen_.null) return;
    if (thinOutline) {
        DrawBox(bitmap_, whole, pen_.colour, nullptr);
        return;
    }
    // A wide pen is centred on the outline through the outermost pixels.
    const Point32 corners[] = {{left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
    for (int i = 0; i < 4; ++i)
        DrawWideLine(bitmap_, corners[i], corners[(i + 1) % 4], pen_.width, pen_.colour);
}

void DeviceContext::Ellipse(int32_t left, int32_t top, int32_t right, int32_t bottom) {
    if (right < left) std::swap(left, right);
    if (bottom < top) std::swap(top, bottom);
    if (right - left < 1 || bottom - top < 1) return;
    const Inside inside = InsideOf(brush_, textColour_, backgroundColour_);
    DrawEllipse(bitmap_, Rect32{left, top, right, bottom}, pen_.null ? nullptr : &pen_.colour,
                inside.solid ? &inside.colour : nullptr, inside.tile.isNull() ? nullptr : &inside.tile);
}

void DeviceContext::Polyline(const Point32* points, int count) {
    if (points == nullptr || count < 2 || pen_.null) return;
    for (int i = 0; i + 1 < count; ++i) {
        if (pen_.width <= 1) {
            DrawThinLine(bitmap_, points[i], points[i + 1], pen_.colour);
        } else {
            DrawWideLine(bitmap_, points[i], points[i + 1], pen_.width, pen_.colour);
        }
    }
}

void DeviceContext::Polygon(const Point32* points, int count) {
    if (points == nullptr || count < 2) return;
    const Inside inside = InsideOf(brush_, textColour_, backgroundColour_);
    FillPolygon(bitmap_, points, count, inside.solid ? &inside.colour : nullptr,
                inside.tile.isNull() ? nullptr : &inside.tile);
    if (pen_.null) return;
    for (int i = 0; i < count; ++i) {
        if (pen_.width <= 1) {
            DrawThinLine(bitmap_, points[i], points[(i + 1) % count], pen_.colour);
        } else {
            DrawWideLine(bitmap_, points[i], points[(i + 1) % count], pen_.width, pen_.colour);
        }
    }
}

void DeviceContext::SetPixel(int32_t x, int32_t y, Colour colour) {
    PlotPixel(bitmap_, x, y, colour);
}

int32_t DeviceContext::DrawTextW(std::u16string_view text, const Rect32& rect, unsigned format) {
    if (textDrawer == nullptr) return 0;
    return textDrawer(bitmap_, text, rect, format,
                      TextStyle{textColour_, backgroundColour_, backgroundMode_ == BackgroundMode::Opaque});
}
