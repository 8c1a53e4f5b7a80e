// The desktop's window around the game: the zoom it keeps, taps and keys through Qt's events, the
// keyboard's cursor drawn over the picture, and the real message box.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/QTest>

#include "core/ui/command_bar.h"
#include "frame_fixture.h"
#include "platform/qt/preferences.h"

namespace {

using ZoomStoreTest = SettingsTest;

TEST_F(ZoomStoreTest, AnyZoomFromOneOnIsKeptAndNothingElse) {
    for (const auto& [kept, read] : {std::pair{1, 1}, {3, 3}, {0, 0}, {-2, 0}}) {
        StoreZoom(kept);
        EXPECT_EQ(StoredZoom(), read) << "kept " << kept;
    }
}

class WindowViewTest : public FrameTest {};

// What the keys do where the cursor stands is in tests/core/ui/view_test.cpp.
TEST_F(WindowViewTest, AtZoomTwoATapActsOnTheCellUnderItTheKeysReachTheGameAndTheBufferKeepsItsSize) {
    StartPlaying();
    frame->ApplyZoom(2, true);
    QTest::qWait(20);
    ASSERT_EQ(frame->Client()->View().zoom, 2);
    EXPECT_EQ(Offscreen.width * 1000 + Offscreen.height, 240268);
    const ZoomView view = frame->Client()->View();
    // The keyboard's cursor is drawn on the window alone, in an orange the game draws nowhere else:
    // where that orange shows, or an empty rectangle.
    const auto cursorBox = [this] {
        const QImage shown = frame->Client()->grab().toImage();
        QRect box;
        for (int i = 0; i < shown.width() * shown.height(); ++i) {
            const QPoint p(i % shown.width(), i / shown.width());
            if (shown.pixel(p) == qRgb(255, 160, 0)) box |= QRect(p, QSize(1, 1));
        }
        return box;
    };
    QTest::mouseClick(
        frame->Client(), Qt::LeftButton, {},
        QPoint(view.left + 2 * (GameState.boardX + 20 * 3 + 19), view.top + 2 * (GameState.boardY + 1)));
    EXPECT_NE(GameState.playerBoard[3 * 8 + 0], Empty) << "the tap placed an item in cell (3, 0)";

    QTest::keyClick(frame->Client(), Qt::Key_Space);
    EXPECT_EQ(cursorBox(),
              QRect(view.left + 2 * GameState.boardX - 1, view.top + 2 * GameState.boardY - 1, 44, 44))
        << "Space only shows a hidden cursor, 2 pixels wide on the edge of cell (0, 0)'s box";
    QTest::keyClick(frame->Client(), Qt::Key_2);
    EXPECT_EQ(GameState.paletteSlot, 1) << "the digit 2 picks the second slot";
    QTest::mouseClick(frame->Client(), Qt::LeftButton, {}, QPoint(view.left, view.top));
    EXPECT_TRUE(cursorBox().isEmpty()) << "a pointer tap hides the cursor";
    frame->AutomaticSize();
    EXPECT_EQ(StoredZoom(), 0) << "Automatic size forgets the zoom the player chose";
}

// The desktop's own message box, answered by a click: its lines, icon and buttons.
TEST_F(WindowViewTest, TheQuestionIsARealMessageBoxWithItsLinesAWarningIconAndOkAndCancel) {
    StartPlaying();
    TapCell(4, 4);
    SetMessageBoxAnswers({});
    QString seen;
    QTimer::singleShot(0, [&seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        seen = box->windowTitle() + '|' + box->text() + '|' + QString::number(box->icon()) + '|' +
               QString::number(box->standardButtons());
        box->button(QMessageBox::Cancel)->click();
    });
    frame->OnCommand(ID_SOLUTION);
    EXPECT_EQ(seen, QStringLiteral("Solution|Not all items are placed.\nSolution anyway?|%1|%2")
                        .arg(QMessageBox::Warning)
                        .arg(QMessageBox::Ok | QMessageBox::Cancel));
    EXPECT_EQ(GameState.gamePhase, Playing) << "Cancel keeps playing";
}

}  // namespace
