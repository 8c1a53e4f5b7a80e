// The animated title screen: a night sky with twinkling stars, a flash of light at the ripple centre
// and a ring of light that spreads from it over a plane seen in perspective and turns into a band of
// water. The first paint draws nothing; the second is the set-up frame (black screen, credits, title
// line, web address, star field and ring table); every later frame redraws the sky, the ring and the
// flash. After the set-up frame the window only takes animationRect from the buffer, so the texts
// drawn once stay on the screen.
#include "core/title/title_screen.h"

#include <cmath>

#include "model/game_state.h"
#include "model/random.h"
#include "seam/host.h"
#include "core/render/offscreen.h"
#include "core/title/title_ring.h"

namespace {

constexpr Colour kBlack = rgb(0, 0, 0);
constexpr Colour kCreditsPurple = rgb(128, 0, 128);
constexpr Colour kAddressGreen = rgb(0, 255, 0);
constexpr Colour kTitleBlue = rgb(100, 100, 255);

constexpr int kPeriodMs = 60;
constexpr int kLastFrame = 2000;

// Channel weights of a star's five pixels (red, green, blue), applied to its brightness >> 7.
struct StarPixel {
    int dx;
    int dy;
    int red;
    int green;
    int blue;
};
constexpr StarPixel kStarPixels[] = {
    {-1, 0, 52, 51, 60}, {0, -1, 51, 46, 59}, {0, 0, 76, 74, 84}, {0, 1, 25, 21, 31}, {1, 0, 29, 28, 37},
};

void FillStarField() {
    const Rect32& area = GameState.animationRect;
    const auto width = static_cast<uint32_t>(area.right - area.left);
    const auto height = static_cast<uint32_t>(area.bottom - area.top);
    for (Star& star : GameState.starField) {
        star.x = area.left + static_cast<int32_t>(Random() % width);
        star.y = area.top + static_cast<int32_t>(Random() % height);
        star.brightness = static_cast<int16_t>(Random() & 255);
    }
}

void DrawStars(DeviceContext& dc) {
    for (const Star& star : GameState.starField) {
        for (const StarPixel& pixel : kStarPixels) {
            dc.SetPixel(star.x + pixel.dx, star.y + pixel.dy,
                        rgb((star.brightness * pixel.red) >> 7, (star.brightness * pixel.green) >> 7,
                            (star.brightness * pixel.blue) >> 7));
        }
    }
}

void DrawSetUpFrame(DeviceContext& dc) {
    dc.PatBlt(0, 0, Offscreen.width, Offscreen.height, RasterOp::Blackness);

    const Bitmap credits = LoadBitmapW(124);
    if (!credits.isNull()) {
        DeviceContext& source = Offscreen.sourceDC;
        const Bitmap replaced = source.SelectBitmap(credits);
        dc.SetTextColor(kCreditsPurple);
        dc.SetBkColor(kBlack);
        dc.BitBlt(25, 30, 200, 18, source, 0, 0);
        source.SelectBitmap(replaced);
    }

    dc.SetBkColor(kBlack);
    dc.SetTextColor(kAddressGreen);
    dc.DrawTextW(u"www.kestory.example", Rect32{0, 240, 240, 270}, DT_CENTER);
    dc.SetTextColor(kTitleBlue);
    dc.DrawTextW(GameState.langue == 0 ? u"Mirovane - lasers and mirrors" : u"Mirovane - lasers et miroirs",
                 Rect32{0, 210, 240, 240}, DT_CENTER);

    FillStarField();
    SetUpRipple();
}

void DrawRing(DeviceContext& dc, int32_t s) {
    RingPoints outer;
    RingPoints inner;
    ProjectRing(s, outer, inner);

    const Pen replaced = dc.SelectPen(CreatePen(1, RingPenColour(s)));
    if (s < 170) {
        dc.Polyline(outer.data(), kRingPoints);
    } else {
        Point32 corners[kMaxBandCorners];
        const int count = BandCorners(s, outer, inner, corners);
        dc.SelectBrush(CreatePatternBrush(LoadBitmapW(132)));
        dc.Polygon(corners, count);
        dc.SelectBrush(GetStockBrush(GRAY_BRUSH));
    }
    dc.SelectPen(replaced);
}

void DrawFlash(DeviceContext& dc, int h) {
    if (h < 1 || h > 60) return;
    DeviceContext& source = Offscreen.sourceDC;
    const Bitmap replaced = source.SelectBitmap(LoadBitmapW(127));
    const Point32& centre = GameState.rippleCentre;
    dc.StretchBltOr(centre.x - h, centre.y - h, 2 * h, 2 * h, source, 0, 0, 70, 70);
    source.SelectBitmap(replaced);
}

}  // namespace

void SetUpRipple() {
    for (int k = 0; k < kRingPoints; ++k) {
        // A step of 4 degrees, with pi taken as 3.1415.
        const double u = 2 * k * 0.03490555555555556;
        GameState.rippleTable[k] = RipplePoint{700.0 * std::sin(u), -100.0 * std::cos(u)};
    }
    const int32_t bottom = GameState.animationRect.bottom;
    const int32_t horizon = GameState.vanishingPoint.y;
    const int32_t q = ((bottom - horizon) * 100) / (GameState.rippleCentre.y - horizon);
    GameState.depthScale = GameState.camera.y / (q - 100.0);
}

Point32 ProjectPlanePoint(int32_t x, int32_t z) {
    const Point32& camera = GameState.camera;
    const Point32& ripple = GameState.rippleCentre;
    const Point32& vanishing = GameState.vanishingPoint;
    const int32_t bottom = GameState.animationRect.bottom;

    int32_t py = camera.y;
    if (z < camera.y) {
        const auto depth = static_cast<int32_t>((camera.y - z) / GameState.depthScale);
        py = vanishing.y + ((bottom - vanishing.y) * 100) / (depth + 100);
    }
    const int32_t sx = ripple.x + (x * 120) / camera.x;
    const int32_t px = sx - ((sx - vanishing.x) * (bottom - py)) / (bottom - vanishing.y);

    // The plane is tilted a little (cos and sin of about 15 degrees) around the ripple centre.
    const double dx = px - ripple.x;
    const double dy = py - ripple.y;
    return Point32{ripple.x - static_cast<int32_t>(0.259 * dy - 0.966 * dx),
                   ripple.y - static_cast<int32_t>(0.259 * dx - 0.966 * dy)};
}

void ProjectRing(int32_t s, RingPoints& outer, RingPoints& inner) {
    for (int k = 0; k < kRingPoints; ++k) {
        const RipplePoint& unit = GameState.rippleTable[k];
        outer[k] = ProjectPlanePoint(static_cast<int32_t>(unit.a * s), static_cast<int32_t>(unit.b * s));
        inner[k] =
            ProjectPlanePoint(static_cast<int32_t>(unit.a * (s - 6)), static_cast<int32_t>(unit.b * (s - 6)));
    }
}

int BandCorners(int32_t s, const RingPoints& outer, const RingPoints& inner, Point32* corners) {
    const int cut = s > 200 ? (s - 170) / 2 : 0;
    int count = 0;
    for (int k = cut; k <= kRingPoints - 2 - cut; ++k) corners[count++] = outer[k];
    for (int k = kRingPoints - 1 - cut; k >= cut + 1; --k) corners[count++] = inner[k];
    return count;
}

Colour RingPenColour(int32_t s) {
    int16_t d = static_cast<int16_t>((s - 100) * 2);
    if (d < 100) d = 100;
    return rgb((15000 / d) & 0xFF, (3000 / d) & 0xFF, (19000 / d) & 0xFF);
}

int FlashHalfSize(uint32_t t) {
    if (t <= 2) return 0;
    if (t == 3) return 30;
    if (t == 4) return 60;
    if (t <= 14) return static_cast<int>(17 - t) * 5;
    return static_cast<int>(Random() & 7) + 8;
}

void DrawTitleFrame() {
    // The first paint comes before the buffer exists and counts; the set-up frame waits for the buffer,
    // since every later frame needs its tables.
    if (!Offscreen.exists && GameState.titleFrame >= 1) return;
    ++GameState.titleFrame;
    if (GameState.titleFrame < 2 || GameState.titleFrame > kLastFrame) return;

    DeviceContext& dc = Offscreen.bufferDC;
    const uint32_t t = (GetTickCount() - GameState.titleStartTick) / kPeriodMs;
    if (GameState.titleFrame == 2) {
        DrawSetUpFrame(dc);
        return;
    }

    dc.PatBlt(0, 0, Offscreen.width, Offscreen.height, RasterOp::Blackness);
    DrawStars(dc);
    const uint64_t s = 5ULL * t;
    if (s >= 11 && s <= 249) DrawRing(dc, static_cast<int32_t>(s));
    DrawFlash(dc, FlashHalfSize(t));
}
