#include "platform/qt/qt_bitmap.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <QStringList>

#include "raster/device_context.h"

namespace {

// The handheld's system font: the application's default family at a fixed small size, without
// antialiasing, so that texts take the same room whatever the desktop's font settings.
QFont TextFont() {
    QFont font;
    font.setPixelSize(11);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

// An image over the target's pixels. The last one is kept: a painter on an image that it has painted
// on before starts much faster, and the game draws all its text into the one buffer.
QImage& TextTarget(Bitmap& target) {
    static QImage image;
    uchar* bits = reinterpret_cast<uchar*>(target.bits());
    if (image.constBits() != bits || image.width() != target.width() || image.height() != target.height()) {
        image = QImage(bits, target.width(), target.height(), static_cast<qsizetype>(target.width()) * 4,
                       QImage::Format_RGB32);
    }
    return image;
}

}  // namespace

int32_t DrawQtText(Bitmap& target, std::u16string_view text, const Rect32& rect, unsigned format,
                   const TextStyle& style) {
    const QFont font = TextFont();
    const QFontMetrics metrics(font);
    const QString whole = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    const bool singleLine = (format & DT_SINGLELINE) != 0;
    const QStringList lines = singleLine ? QStringList{whole} : whole.split(QStringLiteral("\r\n"));
    const int lineHeight = metrics.height();
    const int height = lineHeight * static_cast<int>(lines.size());
    if (target.isNull() || target.twoColour()) return height;

    const QRect box(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    int y = box.top();
    if (singleLine && (format & DT_VCENTER) != 0) y = box.top() + (box.height() - lineHeight) / 2;
    QPainter painter(&TextTarget(target));
    painter.setFont(font);
    painter.setPen(QColor::fromRgb(style.ink));
    if ((format & DT_NOCLIP) == 0) painter.setClipRect(box);
    for (const QString& line : lines) {
        const int width = metrics.horizontalAdvance(line);
        int x = box.left();
        if ((format & DT_CENTER) != 0) {
            x = box.left() + (box.width() - width) / 2;
        } else if ((format & DT_RIGHT) != 0) {
            x = box.left() + box.width() - width;
        }
        if (style.opaque) painter.fillRect(QRect(x, y, width, lineHeight), QColor::fromRgb(style.background));
        painter.drawText(x, y + metrics.ascent(), line);
        y += lineHeight;
    }
    return height;
}

QImage ImageView(const Bitmap& bitmap) {
    if (bitmap.isNull()) return {};
    if (bitmap.twoColour()) return ImageView(Coloured(bitmap, rgb(0, 0, 0), rgb(255, 255, 255))).copy();
    return QImage(reinterpret_cast<const uchar*>(bitmap.constBits()), bitmap.width(), bitmap.height(),
                  static_cast<qsizetype>(bitmap.width()) * 4, QImage::Format_RGB32);
}

Bitmap BitmapFromImage(const QImage& image) {
    if (image.isNull()) return {};
    if (image.depth() == 1) {
        const QImage mono = image.convertToFormat(QImage::Format_Mono);
        // Whichever way the file stored them, bit 0 is the darker colour.
        const int darkIndex = qGray(mono.color(0)) <= qGray(mono.color(1)) ? 0 : 1;
        Bitmap bitmap(mono.width(), mono.height(), true);
        for (int y = 0; y < mono.height(); ++y) {
            const uchar* line = mono.constScanLine(y);
            uint32_t* row = bitmap.row(y);
            for (int x = 0; x < mono.width(); ++x) {
                const int index = (line[x >> 3] >> (7 - (x & 7))) & 1;
                row[x] = index == darkIndex ? 0u : 1u;
            }
        }
        return bitmap;
    }
    const QImage colour = image.convertToFormat(QImage::Format_RGB32);
    Bitmap bitmap(colour.width(), colour.height());
    for (int y = 0; y < colour.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(colour.constScanLine(y));
        uint32_t* row = bitmap.row(y);
        for (int x = 0; x < colour.width(); ++x) row[x] = line[x] | 0xFF000000u;
    }
    return bitmap;
}
