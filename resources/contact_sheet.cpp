// Draws every bitmap of the game, every item sprite in every mode and the numbers 0 to 99 onto one
// picture, with the game's own drawing routines and colours, so that the artwork can be judged at a
// glance. Writes contact_sheet.png into the build folder, or to the path given on the command line.
#include <QGuiApplication>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdio>
#include <utility>

#include "model/game_state.h"
#include "seam/host.h"
#include "platform/qt/main_frame.h"
#include "platform/qt/qt_bitmap.h"
#include "core/render/offscreen.h"

namespace {

constexpr int kWidth = 720;
constexpr int kHeight = 560;

Colour Grey(int level) {
    return rgb(level, level, level);
}

void Caption(DeviceContext& dc, int x, int y, const QString& text) {
    dc.SetTextColor(rgb(255, 255, 255));
    dc.SetBkMode(BackgroundMode::Transparent);
    dc.DrawTextW(text.toStdU16String(), Rect32{x, y, x + 300, y + 14}, 0);
}

// A bitmap as it is stored: 0-bits black and 1-bits white for the two-colour ones.
void Plain(DeviceContext& dc, int x, int y, int number) {
    const Bitmap bitmap = LoadBitmapW(number);
    const Bitmap replaced = Offscreen.sourceDC.SelectBitmap(bitmap);
    dc.SetTextColor(rgb(0, 0, 0));
    dc.SetBkColor(rgb(255, 255, 255));
    dc.BitBlt(x, y, bitmap.width(), bitmap.height(), Offscreen.sourceDC, 0, 0);
    Offscreen.sourceDC.SelectBitmap(replaced);
    Caption(dc, x, y + bitmap.height() + 1, QString::number(number));
}

// A two-colour bitmap the way the game shows it: a transparent copy by the colour rule.
void Keyed(DeviceContext& dc, int x, int y, int number, QRect from, Colour text, Colour background,
           Colour key) {
    const Bitmap replaced = Offscreen.sourceDC.SelectBitmap(LoadBitmapW(number));
    dc.SetTextColor(text);
    dc.SetBkColor(background);
    dc.TransparentImage(x, y, from.width(), from.height(), Offscreen.sourceDC, from.x(), from.y(),
                        from.width(), from.height(), key);
    Offscreen.sourceDC.SelectBitmap(replaced);
}

// A board cell with an item in one mode: purple with white lines, as the board draws it.
void Cell(DeviceContext& dc, int x, int y, int item, int16_t mode) {
    dc.SelectPen(CreatePen(1, rgb(255, 255, 255)));
    dc.SelectBrush(CreateSolidBrush(rgb(128, 0, 128)));
    dc.Rectangle(x, y, x + 21, y + 21);
    dc.SelectBrush(GetStockBrush(NULL_BRUSH));
    DrawItemSprite(dc, x, y, item, mode);
    DrawItemOutline(dc, x, y, item, mode);
}

void Sprites(DeviceContext& dc, int left, int top) {
    Caption(dc, left, top, QStringLiteral("items 0-8: cell, palette, outline, blue, wrong"));
    for (int16_t mode = 0; mode <= 4; ++mode) {
        for (int item = 0; item <= 8; ++item) {
            const int x = left + 24 * item;
            const int y = top + 16 + 24 * mode;
            if (mode == 4) {  // a wrong cell at the end of a game: hidden item blue, player's in red
                Cell(dc, x, y, item, Highlight);
                DrawItemOutline(dc, x, y, (item % 6) + 1, Outline);
            } else {
                Cell(dc, x, y, item, mode);
            }
        }
    }
}

void Numbers(DeviceContext& dc, int left, int top) {
    Caption(dc, left, top, QStringLiteral("DrawNumber 0-99 in port boxes"));
    const Colour boxes[3] = {rgb(255, 255, 0), rgb(160, 160, 160), rgb(100, 255, 100)};
    const Bitmap replaced = Offscreen.sourceDC.SelectBitmap(LoadBitmapW(120));
    dc.SelectPen(CreatePen(1, rgb(0, 0, 0)));
    dc.SetTextColor(rgb(0, 0, 0));
    for (int16_t value = 0; value < 100; ++value) {
        const int x = left + 20 * (value % 10);
        const int y = top + 16 + 20 * (value / 10);
        dc.SelectBrush(CreateSolidBrush(boxes[(value / 10 + value) % 3]));
        dc.Rectangle(x, y, x + 21, y + 21);
        DrawNumber(dc, x, y, x + 21, y + 21, value);
    }
    Offscreen.sourceDC.SelectBitmap(replaced);
}

void Marks(DeviceContext& dc, int left, int top) {
    Caption(dc, left, top, QStringLiteral("131, 121, 123, 124 in colour"));
    const Colour boxes[3] = {rgb(255, 255, 0), rgb(160, 160, 160), rgb(100, 255, 100)};
    const Bitmap replaced = Offscreen.sourceDC.SelectBitmap(LoadBitmapW(131));
    dc.SelectPen(CreatePen(1, rgb(0, 0, 0)));
    for (int i = 0; i < 6; ++i) {
        const int x = left + 20 * i;
        const int y = top + 16;
        dc.SelectBrush(CreateSolidBrush(boxes[i % 3]));
        dc.Rectangle(x, y, x + 21, y + 21);
        dc.SetBkColor(i < 3 ? rgb(255, 0, 0) : rgb(0, 0, 255));
        dc.TransparentImage(x + 1, y + 1, 19, 19, Offscreen.sourceDC, 0, 0, 19, 19, rgb(0, 0, 0));
    }
    Offscreen.sourceDC.SelectBitmap(replaced);
    // The result banners as the end of a game shows them, in both languages.
    Keyed(dc, left, top + 44, 121, QRect(0, 0, 65, 13), rgb(0, 0, 0), rgb(0, 255, 0), rgb(0, 0, 0));
    Keyed(dc, left + 70, top + 44, 121, QRect(0, 13, 65, 13), rgb(0, 0, 0), rgb(0, 255, 0), rgb(0, 0, 0));
    Keyed(dc, left, top + 62, 123, QRect(0, 0, 156, 18), rgb(0, 0, 0), rgb(128, 255, 255), rgb(0, 0, 0));
    Keyed(dc, left, top + 82, 123, QRect(0, 19, 156, 17), rgb(0, 0, 0), rgb(128, 255, 255), rgb(0, 0, 0));
    // The credits as the title screen copies them: purple on black.
    const Bitmap credits = Offscreen.sourceDC.SelectBitmap(LoadBitmapW(124));
    dc.SetTextColor(rgb(128, 0, 128));
    dc.SetBkColor(rgb(0, 0, 0));
    dc.BitBlt(left, top + 104, 200, 18, Offscreen.sourceDC, 0, 0);
    Offscreen.sourceDC.SelectBitmap(credits);
}

void Title(DeviceContext& dc, int left, int top) {
    Caption(dc, left, top, QStringLiteral("127 by OR, 132 as a pattern"));
    const Bitmap replaced = Offscreen.sourceDC.SelectBitmap(LoadBitmapW(127));
    int x = left;
    for (int h : {15, 30, 60}) {
        dc.StretchBltOr(x, top + 16 + 60 - h, 2 * h, 2 * h, Offscreen.sourceDC, 0, 0, 70, 70);
        x += 2 * h + 6;
    }
    Offscreen.sourceDC.SelectBitmap(replaced);
    // A band of water as the title screen fills it: a polygon with the water pattern.
    const Point32 band[] = {{left, top + 200},       {left + 120, top + 150}, {left + 240, top + 200},
                            {left + 240, top + 230}, {left + 120, top + 170}, {left, top + 230}};
    dc.SelectPen(CreatePen(1, rgb(150, 30, 190)));
    dc.SelectBrush(CreatePatternBrush(LoadBitmapW(132)));
    dc.Polygon(band, 6);
    dc.SelectBrush(GetStockBrush(GRAY_BRUSH));
}

// The top of the game screen: the clock and the message band with the learn-mode hint.
void Texts(DeviceContext& dc, int left, int top) {
    Caption(dc, left, top, QStringLiteral("clock and message band"));
    const int y = top + 16;
    dc.SelectBrush(CreateSolidBrush(Grey(32)));
    dc.SelectPen(CreatePen(1, Grey(32)));
    dc.Rectangle(left, y, left + 240, y + 50);
    dc.SetBkMode(BackgroundMode::Opaque);
    dc.SetTextColor(rgb(0, 255, 0));
    dc.SetBkColor(rgb(0, 0, 0));
    dc.DrawTextW(u"1:02:03", Rect32{left + 150, y, left + 240, y + 15}, DT_RIGHT);
    dc.SetTextColor(rgb(0, 0, 0));
    dc.SetBkColor(rgb(255, 128, 128));
    dc.DrawTextW(u"  S\u00e9lectionner un nombre pour \r\n afficher le parcours d'un rayon ",
                 Rect32{left + 25, y + 15, left + 240, y + 45}, DT_CENTER);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    UseQtHost();
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(MIROVANE_CONTACT_SHEET);

    CreateOffscreenBuffer(kWidth, kHeight);
    DeviceContext& dc = Offscreen.bufferDC;
    dc.PatBlt(0, 0, kWidth, kHeight, RasterOp::Blackness);
    dc.SelectBrush(CreateSolidBrush(Grey(48)));
    dc.SelectPen(CreatePen(1, Grey(48)));
    dc.Rectangle(0, 0, kWidth, 200);

    // Every bitmap as stored, on a grey field, and the program's icon.
    const std::pair<int, QPoint> places[] = {
        {120, {4, 4}},  {121, {98, 4}},   {131, {171, 4}}, {122, {198, 4}}, {128, {266, 4}},
        {123, {4, 52}}, {124, {168, 52}}, {127, {370, 4}}, {130, {4, 112}}, {132, {460, 4}}};
    for (const auto& [number, place] : places) Plain(dc, place.x(), place.y(), number);
    DeviceContext icon;
    icon.SelectBitmap(BitmapFromImage(QImage(QStringLiteral(":/mirovane/icon.png"))));
    dc.BitBlt(370, 100, 32, 32, icon, 0, 0);
    Caption(dc, 370, 133, QStringLiteral("icon"));

    Sprites(dc, 4, 206);
    Numbers(dc, 4, 340);
    Marks(dc, 260, 206);
    Title(dc, 460, 206);
    Texts(dc, 460, 480);

    const bool saved = ImageView(Offscreen.bufferDC.Image()).save(path);
    DestroyOffscreenBuffer();
    if (!saved) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%s\n", qPrintable(path));
    return 0;
}
