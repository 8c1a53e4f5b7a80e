// Draws the game's bitmaps and its icon, pixel by pixel, into the folder given on the command line
// (resources/bitmaps). Run it by hand after changing a picture and commit its output:
//   cmake --build <build> --target mirovane_draw_bitmaps && <build>/resources/mirovane_draw_bitmaps
//   resources/bitmaps
//
// Every picture is drawn in RGB32 from a small set of named colours and then stored at its own colour
// depth: two-colour bitmaps as 1-bit BMP files (black the 0-bits, white the 1-bits), 16-colour ones
// as 4-bit and the star burst as 8-bit BMP files, the icon as PNG files with transparency, one for each
// size a desktop asks for.
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <numbers>
#include <string_view>
#include <vector>

#include "raster/raster.h"

namespace {

constexpr QRgb kBlack = rgb(0, 0, 0);
constexpr QRgb kWhite = rgb(255, 255, 255);
constexpr QRgb kPurple = rgb(128, 0, 128);
constexpr QRgb kSheetLine = rgb(192, 192, 192);
constexpr QRgb kBlue = rgb(0, 0, 255);
constexpr QRgb kYellow = rgb(255, 255, 0);
constexpr QRgb kBoxGrey = rgb(160, 160, 160);
constexpr QRgb kRayGreen = rgb(0, 255, 0);

// ---- Storing -----------------------------------------------------------------------------------

[[noreturn]] void Fail(const QString& what) {
    std::fprintf(stderr, "draw_bitmaps: %s\n", qPrintable(what));
    std::exit(1);
}

// An indexed copy of `picture` whose colour table is `palette`, in order; every pixel must be one of
// the palette's colours.
QImage Indexed(const QImage& picture, const QList<QRgb>& palette, const QString& name) {
    QImage indexed(picture.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    std::map<QRgb, int> index;
    for (int i = 0; i < palette.size(); ++i) index.emplace(palette[i], i);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const auto found = index.find(picture.pixel(x, y));
            if (found == index.end())
                Fail(QStringLiteral("%1: pixel (%2, %3) is not in the palette").arg(name).arg(x).arg(y));
            indexed.setPixel(x, y, static_cast<uint>(found->second));
        }
    }
    return indexed;
}

void Save(const QImage& image, const QDir& folder, const QString& file) {
    if (!image.save(folder.filePath(file)))
        Fail(QStringLiteral("cannot write %1").arg(folder.filePath(file)));
}

// A two-colour bitmap: black pixels become 0-bits, white ones 1-bits.
void SaveMono(const QImage& picture, const QDir& folder, const QString& file) {
    const QImage indexed = Indexed(picture, {kBlack, kWhite}, file);
    QImage mono(indexed.size(), QImage::Format_Mono);
    mono.setColorTable({kBlack, kWhite});
    for (int y = 0; y < indexed.height(); ++y) {
        for (int x = 0; x < indexed.width(); ++x)
            mono.setPixel(x, y, static_cast<uint>(indexed.pixelIndex(x, y)));
    }
    Save(mono, folder, file);
}

void SaveIndexed(const QImage& picture, const QList<QRgb>& palette, const QDir& folder, const QString& file) {
    if (palette.size() > 256) Fail(QStringLiteral("%1: more than 256 colours").arg(file));
    Save(Indexed(picture, palette, file), folder, file);
}

// ---- Drawing helpers ---------------------------------------------------------------------------

QImage Canvas(int width, int height, QRgb fill) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void Put(QImage& image, int x, int y, QRgb colour) {
    if (image.rect().contains(x, y)) image.setPixel(x, y, colour);
}

void Fill(QImage& image, int left, int top, int width, int height, QRgb colour) {
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) Put(image, x, y, colour);
    }
}

void Frame(QImage& image, int left, int top, int width, int height, QRgb colour) {
    Fill(image, left, top, width, 1, colour);
    Fill(image, left, top + height - 1, width, 1, colour);
    Fill(image, left, top, 1, height, colour);
    Fill(image, left + width - 1, top, 1, height, colour);
}

// Pixel art from rows of characters; `colours` maps each character to a colour, other characters
// (conventionally '.') leave the pixel alone.
void Art(QImage& image, int left, int top, const std::vector<std::string_view>& rows,
         const std::map<char, QRgb>& colours) {
    for (int y = 0; y < static_cast<int>(rows.size()); ++y) {
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x) {
            const auto found = colours.find(rows[y][x]);
            if (found != colours.end()) Put(image, left + x, top + y, found->second);
        }
    }
}

// Text set in a font without antialiasing, as white on the image, its top-left corner at (left, top).
void Text(QImage& image, int left, int top, const QString& text, const QFont& font, QRgb colour) {
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(QColor(colour));
    painter.drawText(left, top + QFontMetrics(font).ascent(), text);
}

QFont PixelFont(const QString& family, int pixelSize, bool bold, bool italic = false) {
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

// The bounding box of the pixels of `colour`.
QRect Extent(const QImage& image, QRgb colour) {
    QRect box;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour) box |= QRect(x, y, 1, 1);
        }
    }
    return box;
}

// A white word centred in a band of the banner: rows `top` .. `top + height - 1`.
void Word(QImage& banner, int top, int height, const QString& word, const QFont& font) {
    QImage band = Canvas(banner.width() * 2, height * 3, kBlack);
    Text(band, 4, height, word, font, kWhite);
    const QRect ink = Extent(band, kWhite);
    if (ink.width() > banner.width() || ink.height() > height) {
        Fail(QStringLiteral("the word %1 is %2 x %3, more than the banner's %4 x %5")
                 .arg(word)
                 .arg(ink.width())
                 .arg(ink.height())
                 .arg(banner.width())
                 .arg(height));
    }
    const int dx = (banner.width() - ink.width()) / 2 - ink.left();
    const int dy = top + (height - ink.height()) / 2 - ink.top();
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        for (int x = ink.left(); x <= ink.right(); ++x) {
            if (band.pixel(x, y) == kWhite) Put(banner, x + dx, y + dy, kWhite);
        }
    }
}

// ---- 120: the digit strip ----------------------------------------------------------------------

// The glyphs sit at the left columns and widths that GetDigitGlyph hands out:
//   digit  0  1   2   3   4   5   6   7   8   9
//   left   0 10  15  24  33  42  52  60  70  79
//   width  7  3   8   8   8   8   7   8   7   7
QImage DigitStrip() {
    // clang-format off
    const std::vector<std::string_view> rows = {
        "..###......##...######...######.......##..########....####..########...#####....#####.",
        ".##.##....###..##....##.##....##.....###..##.........##...........##..##...##..##...##",
        "##...##....##........##.......##....####..##........##............##..##...##..##...##",
        "##...##....##........##.......##...##.##..#######...##...........##...##...##..##...##",
        "##...##....##.......##.....####...##..##........##..######.......##....#####...##...##",
        "##...##....##.....###.........##.##...##........##..##...##.....##....##...##...######",
        "##...##....##...###...........##.########.......##..##...##.....##....##...##.......##",
        "##...##....##..##.............##......##........##..##...##....##.....##...##.......##",
        ".##.##.....##..##.......##....##......##..##....##..##...##....##.....##...##......##.",
        "..###......##..########..######.......##...######....#####.....##......#####....####..",
    };
    // clang-format on
    QImage strip = Canvas(86, 10, kWhite);
    Art(strip, 0, 0, rows, {{'#', kBlack}});
    return strip;
}

// ---- 121 and 123: the banners ------------------------------------------------------------------

// A banner, light on black: its French words in rows 0 .. frenchHeight - 1, its English words in
// englishHeight rows from englishTop.
QImage Banner(int width, int height, int fontSize, const QString& french, int frenchHeight,
              const QString& english, int englishTop, int englishHeight) {
    QImage banner = Canvas(width, height, kBlack);
    const QFont font = PixelFont(QStringLiteral("DejaVu Sans"), fontSize, true);
    Word(banner, 0, frenchHeight, french, font);
    Word(banner, englishTop, englishHeight, english, font);
    return banner;
}

QImage PerfectBanner() {
    return Banner(65, 26, 13, QStringLiteral("Parfait!"), 13, QStringLiteral("Perfect!"), 13, 13);
}

QImage AcceptedBanner() {
    return Banner(156, 36, 14, QStringLiteral("Solution acceptée!"), 18, QStringLiteral("Accepted solution!"),
                  19, 17);
}

// ---- 122: the label legend ---------------------------------------------------------------------

const QList<QRgb> kLegendPalette = {kBlack,    kWhite,  kYellow,        kBoxGrey,
                                    kRayGreen, kPurple, rgb(0, 128, 0), rgb(64, 64, 64)};

// A port box of the given colour with its black outline, 17 pixels square, and the purple strip of
// board cells that the ray crosses.
void LegendRow(QImage& legend, int top, QRgb box) {
    Fill(legend, 0, top, 17, 17, box);
    Frame(legend, 0, top, 17, 17, kBlack);
    Fill(legend, 18, top, 42, 17, kPurple);
    Frame(legend, 18, top, 42, 17, kWhite);
}

// The barbs of an arrow on a 2-pixel ray whose rows start at `top`: the arrow's tip is in column
// `tip` and it points right (+1) or left (-1).
void Arrowhead(QImage& image, int tip, int top, int direction) {
    for (int back = 1; back <= 2; ++back) {
        const int x = tip - direction * back;
        Fill(image, std::min(x, x - direction), top - back, 2, 1, kRayGreen);
        Fill(image, std::min(x, x - direction), top + 1 + back, 2, 1, kRayGreen);
    }
}

QImage Legend() {
    QImage legend = Canvas(60, 34, kBlack);
    // Rows 0-16: the ray leaves the yellow box, turns back at a mirror and comes back into the box.
    LegendRow(legend, 0, kYellow);
    Fill(legend, 50, 3, 1, 11, kWhite);
    Fill(legend, 51, 3, 2, 11, kBlack);
    Fill(legend, 17, 4, 32, 2, kRayGreen);
    Fill(legend, 47, 4, 2, 9, kRayGreen);
    Fill(legend, 17, 11, 32, 2, kRayGreen);
    Arrowhead(legend, 40, 4, 1);
    Arrowhead(legend, 24, 11, -1);
    // Rows 17-33: the ray leaves the grey box and ends in an absorber's black disc.
    LegendRow(legend, 17, kBoxGrey);
    Fill(legend, 17, 24, 26, 2, kRayGreen);
    Arrowhead(legend, 31, 24, 1);
    for (int y = -5; y <= 5; ++y) {
        for (int x = -5; x <= 5; ++x) {
            if (x * x + y * y <= 30) Put(legend, 46 + x, 25 + y, kBlack);
        }
    }
    return legend;
}

// ---- 124: the credits --------------------------------------------------------------------------

QImage Credits() {
    // The title and the credit line share one baseline; the pair is then centred in the 18 rows.
    const QFont titleFont = PixelFont(QStringLiteral("DejaVu Serif"), 19, true, true);
    const QFont creditFont = PixelFont(QStringLiteral("DejaVu Sans"), 10, false);
    const QString credit = QStringLiteral("by Kestory");
    QImage work = Canvas(194, 40, kWhite);
    {
        QPainter painter(&work);
        painter.setPen(QColor(kBlack));
        painter.setFont(titleFont);
        painter.drawText(3, 26, QStringLiteral("Mirovane"));
        painter.setFont(creditFont);
        painter.drawText(194 - 3 - QFontMetrics(creditFont).horizontalAdvance(credit), 26, credit);
    }
    const QRect ink = Extent(work, kBlack);
    if (ink.height() > 18 || ink.left() < 0 || ink.right() > 193)
        Fail(QStringLiteral("the credits do not fit"));
    QImage credits = Canvas(194, 18, kWhite);
    const int dy = (18 - ink.height()) / 2 - ink.top();
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
        for (int x = 0; x < 194; ++x) {
            if (work.pixel(x, y) == kBlack) Put(credits, x, y + dy, kBlack);
        }
    }
    return credits;
}

// ---- 127: the star burst -----------------------------------------------------------------------

// The burst's colour by brightness 0 .. 255: black, deep violet at half way, white.
QRgb BurstColour(int level) {
    const QRgb violet = rgb(150, 60, 230);
    const double t = level / 255.0;
    const auto mix = [](int from, int to, double s) {
        return static_cast<int>(std::lround(from + (to - from) * s));
    };
    if (t < 0.5) {
        const double s = t / 0.5;
        return rgb(mix(0, qRed(violet), s), mix(0, qGreen(violet), s), mix(0, qBlue(violet), s));
    }
    const double s = (t - 0.5) / 0.5;
    return rgb(mix(qRed(violet), 255, s), mix(qGreen(violet), 255, s), mix(qBlue(violet), 255, s));
}

QImage StarBurst(QList<QRgb>& palette) {
    palette.clear();
    for (int level = 0; level < 256; ++level) palette.append(BurstColour(level));
    QImage burst = Canvas(70, 70, kBlack);
    const double centre = 34.5;
    for (int y = 0; y < 70; ++y) {
        for (int x = 0; x < 70; ++x) {
            const double dx = x - centre;
            const double dy = y - centre;
            const double r = std::hypot(dx, dy);
            double light = std::exp(-(r * r) / 60.0) + 0.35 * std::exp(-r / 9.0);
            // Four long spikes along the axes, four shorter ones along the diagonals.
            const double reach = std::max(0.0, 1.0 - r / 35.0);
            light += 0.9 * reach * reach * (std::exp(-std::abs(dx) / 0.9) + std::exp(-std::abs(dy) / 0.9));
            const double reachDiagonal = std::max(0.0, 1.0 - r / 22.0);
            light += 0.6 * reachDiagonal * reachDiagonal *
                     (std::exp(-std::abs(dx - dy) / 1.1) + std::exp(-std::abs(dx + dy) / 1.1));
            // Nothing at the edges: the burst is combined with the sky by OR.
            const double edge = std::clamp((35.0 - r) / 4.0, 0.0, 1.0);
            const int level = std::clamp(static_cast<int>(std::lround(255.0 * light * edge)), 0, 255);
            burst.setPixel(x, y, palette[level]);
        }
    }
    return burst;
}

// ---- 128: the tool bar -------------------------------------------------------------------------

const std::map<char, QRgb> kToolColours = {
    {'.', rgb(192, 192, 192)},
    {'k', kBlack},
    {'w', kWhite},
    {'g', rgb(128, 128, 128)},
    {'n', rgb(0, 0, 128)},
    {'b', kBlue},
    {'y', kYellow},
    {'o', rgb(128, 128, 0)},
    {'r', rgb(255, 0, 0)},
    {'m', rgb(128, 0, 0)},
    {'G', kRayGreen},
    {'d', rgb(0, 128, 0)},
    {'p', kPurple},
    {'f', rgb(255, 0, 255)},
    {'c', rgb(0, 255, 255)},
    {'t', rgb(0, 128, 128)},
};

QList<QRgb> ToolPalette() {
    QList<QRgb> palette;
    for (const auto& entry : kToolColours) palette.append(entry.second);
    return palette;
}

QImage ToolBar() {
    QImage bar = Canvas(80, 15, kToolColours.at('.'));
    // A question mark: learn the rules.
    Art(bar, 0, 0,
        {"................", ".....nnnnnn.....", "....nbbbbbbn....", "...nbbwnnbbbn...", "...nbbn..nbbn...",
         "....nn...nbbn...", "........nbbn....", ".......nbbn.....", "......nbbn......", "......nbbn......",
         ".......nn.......", "......nbbn......", "......nbbn......", ".......nn.......", "................"},
        kToolColours);
    // A form with a pen: the options.
    Art(bar, 16, 0,
        {"................", ".kkkkkkkkkk.....", ".kwwwwwwwwk.....", ".kwgggggwwk.....", ".kwwwwwwwwk...m.",
         ".kwggggwwwk..myo", ".kwwwwwwwwk.myyo", ".kwgggwwwwkmyyo.", ".kwwwwwwwmyyo...", ".kwggggwmyyo....",
         ".kwwwwwwkyo.....", ".kwwwwwkkw......", ".kkkkkkkkk......", "................", "................"},
        kToolColours);
    // A small framed grid of four items: a new game.
    // clang-format off
    Art(bar, 32, 0, {
        "kkkkkkkkkkkkkkk.",
        "kppppwkwppppppk.",
        "kpppwkwwppkkppk.",
        "kppwkwpwpkkkkpk.",
        "kpwkwppwpkkkkpk.",
        "kwkwpppwppkkppk.",
        "kkwppppwppppppk.",
        "kwwwwwwwwwwwwwk.",
        "kppppppwppppppk.",
        "kpwwwwpwwkppkwk.",
        "kpwkkwpwwkppkwk.",
        "kpwkkwpwwkppkwk.",
        "kpwwwwpwwkppkwk.",
        "kppppppwppppppk.",
        "kkkkkkkkkkkkkkk.",
    }, kToolColours);
    // clang-format on
    // A yellow light bulb: show the solution.
    Art(bar, 48, 0,
        {"......kkkk......", "....kkyyyykk....", "...kyywwyyyyk...", "...kywwyyyyyk...", "..kyywyyyyyyyk..",
         "..kyyyyyyyyyyk..", "..kyyyyyyyyyok..", "...kyyyyyyyok...", "....kyyyyyok....", ".....kyyyok.....",
         ".....kgwggk.....", ".....kggggk.....", ".....kgwggk.....", "......kggk......", ".......kk......."},
        kToolColours);
    // A red square with a mirror bending a green ray: the hint.
    Art(bar, 64, 0,
        {"..mmmmmmmmmmmm..", "..mrrrrrGrrrrm..", "..mrrrrrGrrrrm..", "..mrrrrrGrrrwm..", "..mrrrrrGrrwkm..",
         "..mrrrrrGrwkwm..", "..mrrrrrGwkwrm..", "GGGGGGGGGkwrrm..", "..mrrrrwkwrrrm..", "..mrrrwkwrrrrm..",
         "..mrrwkwrrrrrm..", "..mrwkwrrrrrrm..", "..mrkwrrrrrrrm..", "..mrrrrrrrrrrm..", "..mmmmmmmmmmmm.."},
        kToolColours);
    return bar;
}

// ---- 130: the item sprite sheet ----------------------------------------------------------------

// One sprite of the sheet: column c, row r; ink is black in row 0 and blue in row 1.
void Sprite(QImage& sheet, int column, int row) {
    const int left = 20 * column + 1;
    const int top = 20 * row + 1;
    const QRgb ink = row == 0 ? kBlack : kBlue;
    const auto put = [&](int x, int y, QRgb colour) { Put(sheet, left + x, top + y, colour); };
    switch (column) {
        case 1:  // diagonal bar from lower left to upper right
        case 2:  // diagonal bar from upper left to lower right
            for (int y = 2; y <= 16; ++y) {
                for (int x = 2; x <= 16; ++x) {
                    const int across = column == 1 ? x + y - 18 : x - y;
                    const bool inBar = x >= 3 && x <= 15 && y >= 3 && y <= 15;
                    if (inBar && std::abs(across) <= 1) {
                        put(x, y, ink);
                    } else if ((inBar && std::abs(across) == 2) ||
                               (!inBar && std::abs(across) <= 2 && std::abs(x - 9) + std::abs(y - 9) <= 14 &&
                                std::min(std::abs(x - 9), std::abs(y - 9)) >= 6)) {
                        put(x, y, kWhite);
                    }
                }
            }
            break;
        case 3:  // a disc 11 pixels across
            for (int y = -5; y <= 5; ++y) {
                for (int x = -5; x <= 5; ++x) {
                    if (x * x + y * y <= 30) put(9 + x, 9 + y, ink);
                }
            }
            break;
        case 4:  // an 11-pixel square, white border, ink inside
            Fill(sheet, left + 4, top + 4, 11, 11, kWhite);
            Fill(sheet, left + 5, top + 5, 9, 9, ink);
            break;
        case 5:  // two horizontal bars, white edges outward
            Fill(sheet, left + 4, top + 4, 11, 1, kWhite);
            Fill(sheet, left + 4, top + 5, 11, 2, ink);
            Fill(sheet, left + 4, top + 12, 11, 2, ink);
            Fill(sheet, left + 4, top + 14, 11, 1, kWhite);
            break;
        case 6:  // two vertical bars, white edges outward
            Fill(sheet, left + 4, top + 4, 1, 11, kWhite);
            Fill(sheet, left + 5, top + 4, 2, 11, ink);
            Fill(sheet, left + 11, top + 4, 2, 11, ink);
            Fill(sheet, left + 13, top + 4, 1, 11, kWhite);
            break;
        case 7:
            if (row == 1) {  // the highlighted wormhole end
                Fill(sheet, left + 3, top + 3, 13, 13, kWhite);
                break;
            }
            // clang-format off
            Art(sheet, left + 3, top + 3, {
                "#.....#.....#",
                ".#....#....#.",
                "..#..###..#..",
                "...#.###.#...",
                "....#####....",
                "..#########..",
                "#############",
                "..#########..",
                "....#####....",
                "...#.###.#...",
                "..#..###..#..",
                ".#....#....#.",
                "#.....#.....#",
            }, {{'#', ink}});
            // clang-format on
            put(9, 9, kWhite);
            break;
        default:  // column 0: nothing
            break;
    }
}

QImage ItemSheet() {
    QImage sheet = Canvas(161, 41, kPurple);
    for (int x = 0; x <= 160; x += 20) Fill(sheet, x, 0, 1, 41, kSheetLine);
    for (int y = 0; y <= 40; y += 20) Fill(sheet, 0, y, 161, 1, kSheetLine);
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 8; ++column) Sprite(sheet, column, row);
    }
    return sheet;
}

// ---- 131: the mismatch mark --------------------------------------------------------------------

QImage MismatchMark() {
    QImage mark = Canvas(19, 19, kWhite);
    for (int y = -8; y <= 8; ++y) {
        for (int x = -8; x <= 8; ++x) {
            if (x * x + y * y <= 72) Put(mark, 9 + x, 9 + y, kBlack);
        }
    }
    return mark;
}

// ---- 132: the water ----------------------------------------------------------------------------

const QList<QRgb> kWaterPalette = {
    rgb(0, 8, 32),      rgb(0, 16, 48),     rgb(0, 24, 64),     rgb(0, 32, 84),
    rgb(0, 44, 104),    rgb(0, 56, 124),    rgb(8, 72, 144),    rgb(16, 88, 160),
    rgb(24, 104, 176),  rgb(40, 124, 192),  rgb(64, 148, 208),  rgb(96, 172, 224),
    rgb(136, 200, 236), rgb(176, 224, 244), rgb(216, 240, 252), kWhite,
};

QImage Water() {
    // The band of the title screen lies on rows 110 to 180 of the screen, rows 10 to 80 of this
    // picture: the waves are drawn in perspective, small and dark near the horizon (row 10), larger
    // and lighter towards the viewer.
    constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    QImage water = Canvas(240, 100, kBlack);
    for (int y = 0; y < 100; ++y) {
        const double rows = std::max(1.0, y - 8.0);
        const double depth = 400.0 / rows;  // distance of the row from the viewer
        const double nearness = std::clamp((y - 10.0) / 70.0, 0.0, 1.0);
        for (int x = 0; x < 240; ++x) {
            // Across the plane, tiled every 240 columns so that the picture repeats without a seam.
            const double u = x * 2.0 * std::numbers::pi / 240.0;
            const double wave = std::sin(6 * u + depth * 1.7) + 0.6 * std::sin(11 * u - depth * 2.3 + 1.3) +
                                0.45 * std::sin(3 * u + depth * 3.1 + 0.4) +
                                0.3 * std::sin(17 * u + depth * 0.9);
            const double shade = 1.5 + 8.5 * nearness + 2.2 * wave;
            const double dithered = shade + (kBayer[y % 4][x % 4] / 16.0 - 0.5);
            int level = std::clamp(static_cast<int>(std::floor(dithered)), 0, 13);
            if (wave > 1.75 + 0.4 * (1.0 - nearness)) level = wave > 2.05 ? 15 : 14;  // glints on the crests
            water.setPixel(x, y, kWaterPalette[level]);
        }
    }
    return water;
}

// ---- The program's icon ------------------------------------------------------------------------

// The icon is one picture drawn at every size a desktop asks for, each size laid out on its own pixel
// grid so that it stays crisp: a 3 x 3 board of cells c pixels wide inside lines w pixels wide, a port
// box b pixels deep left of the middle row and one above the middle column, the picture centred with o
// pixels of margin where the size does not divide evenly. At 32 pixels: c = 7, w = 1, b = 7, o = 0.
QImage Icon(int size) {
    const int w = std::max(1, size / 32);
    const int c = size / 4 - w;
    const int b = std::min(c, size - 3 * c - 4 * w);
    const int o = (size - b - 3 * c - 4 * w) / 2;
    const int pitch = c + w;
    const auto cell = [&](int j) { return o + b + j * pitch + w; };  // first pixel inside cell j
    const int middle = cell(1);
    QImage icon(size, size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    // A board of purple cells inside white lines.
    Fill(icon, o + b, o + b, 3 * pitch + w, 3 * pitch + w, kPurple);
    for (int line = o + b; line < size; line += pitch) {
        Fill(icon, line, o + b, w, 3 * pitch + w, kWhite);
        Fill(icon, o + b, line, 3 * pitch + w, w, kWhite);
    }
    // The ray comes in from the left port box, meets a slash mirror in the middle cell and leaves
    // through the top port box: both boxes light green, the colour of a ray that leaves elsewhere.
    const QRgb portGreen = rgb(100, 255, 100);
    for (const QPoint box : {QPoint(o, middle), QPoint(middle, o)}) {
        const int across = box.x() == o ? b : c;
        const int down = box.x() == o ? c : b;
        Fill(icon, box.x(), box.y(), across, down, portGreen);
        for (int edge = 0; edge < w; ++edge)
            Frame(icon, box.x() + edge, box.y() + edge, across - 2 * edge, down - 2 * edge, kBlack);
    }
    // The ray runs in the middle of its row and column, r pixels wide with m pixels on either side.
    const int m = (4 * c + 7) / 14;
    const int start = o + w + m;
    for (int y = start; y < size; ++y) {
        for (int x = start; x < size; ++x) {
            const bool along = y >= middle + m && y < middle + c - m;
            const bool up = x >= middle + m && x < middle + c - m;
            if ((along || up) && (x - middle) + (y - middle) <= c - 2) Put(icon, x, y, kRayGreen);
        }
    }
    // The mirror across the middle cell: w pixels of white on the side the ray meets, 2w of black.
    for (int y = middle; y < middle + c; ++y) {
        for (int x = middle; x < middle + c; ++x) {
            const int diagonal = (x - middle) + (y - middle);
            if (diagonal >= c - 1 - w && diagonal < c - 1) Put(icon, x, y, kWhite);
            if (diagonal >= c - 1 && diagonal < c - 1 + 2 * w) Put(icon, x, y, kBlack);
        }
    }
    // An absorber in the top-left cell and a total reflector in the bottom-right one.
    const double centre = cell(0) + (c - 1) / 2.0;
    const double radius = 0.47 * c;
    for (int y = cell(0); y < cell(0) + c; ++y) {
        for (int x = cell(0); x < cell(0) + c; ++x) {
            if (std::hypot(x - centre, y - centre) <= radius) Put(icon, x, y, kBlack);
        }
    }
    const int inset = std::max(1, (c + 3) / 7);
    Fill(icon, cell(2) + inset, cell(2) + inset, c - 2 * inset, c - 2 * inset, kWhite);
    Fill(icon, cell(2) + 2 * inset, cell(2) + 2 * inset, c - 4 * inset, c - 4 * inset, kBlack);
    return icon;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mirovane_draw_bitmaps FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) Fail(QStringLiteral("no folder %1").arg(folder.path()));

    SaveMono(DigitStrip(), folder, QStringLiteral("120-digits.bmp"));
    SaveMono(PerfectBanner(), folder, QStringLiteral("121-perfect.bmp"));
    SaveIndexed(Legend(), kLegendPalette, folder, QStringLiteral("122-legend.bmp"));
    SaveMono(AcceptedBanner(), folder, QStringLiteral("123-accepted.bmp"));
    SaveMono(Credits(), folder, QStringLiteral("124-credits.bmp"));
    QList<QRgb> burstPalette;
    const QImage burst = StarBurst(burstPalette);
    SaveIndexed(burst, burstPalette, folder, QStringLiteral("127-starburst.bmp"));
    SaveIndexed(ToolBar(), ToolPalette(), folder, QStringLiteral("128-toolbar.bmp"));
    SaveIndexed(ItemSheet(), {kSheetLine, kPurple, kBlack, kWhite, kBlue}, folder,
                QStringLiteral("130-items.bmp"));
    SaveMono(MismatchMark(), folder, QStringLiteral("131-mark.bmp"));
    SaveIndexed(Water(), kWaterPalette, folder, QStringLiteral("132-water.bmp"));
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        Save(Icon(size), folder, QStringLiteral("icon-%1.png").arg(size));
    return 0;
}
