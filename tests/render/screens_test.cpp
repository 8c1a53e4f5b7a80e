// The pictures in docs/screenshots are what the game draws: mirovane-screens renders them again from
// the real painting code (a seeded puzzle for each, the title screen at four moments), and every pixel
// must come out the same but those of the texts, which the painting tests read instead: the clock, the
// message band and the title screen's two lines. After a deliberate change to what the game draws,
// render them again with `mirovane-screens docs/screenshots` and look at them.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

namespace {

TEST(Screens, EveryScreenshotIsDrawnAgainPixelForPixelButItsTexts) {
    QTemporaryDir drawn;
    ASSERT_EQ(QProcess::execute(QStringLiteral(MIROVANE_SCREENS), {drawn.path()}), 0);
    const QDir kept(QStringLiteral(MIROVANE_SCREENSHOTS));
    const QStringList names = QDir(drawn.path()).entryList({"*.png"});
    EXPECT_EQ(names, kept.entryList({"title_*.png", "game_*.png", "learn_*.png", "end_*.png", "broken.png"}));
    for (const QString& name : names) {
        QImage pictures[] = {QImage(drawn.filePath(name)), QImage(kept.filePath(name))};
        for (QImage& picture : pictures) {
            picture = picture.convertToFormat(QImage::Format_RGB32);
            QPainter blank(&picture);
            for (const QRect& text : name.startsWith("title")
                                         ? QList<QRect>{{0, 210, 240, 58}}
                                         : QList<QRect>{{150, 0, 90, 15}, {25, 15, 215, 30}})
                blank.fillRect(text, Qt::black);
        }
        EXPECT_TRUE(pictures[0] == pictures[1])
            << name.toStdString() << " is drawn otherwise; see " << drawn.filePath(name).toStdString();
        if (pictures[0] != pictures[1]) drawn.setAutoRemove(false);
    }
}

}  // namespace
