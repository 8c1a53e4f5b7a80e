// The Options command around its dialog: the question, the game it ends, the save, the new game.
#include <QAbstractButton>
#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include "frame_fixture.h"
#include "settings/options_dialog.h"
#include "ui/command_bar.h"

namespace {

class OptionsCommandTest : public FrameTest {
  protected:
    static void Click(QDialog& dialog, int id) {
        auto* button = dialog.findChild<QAbstractButton*>(QStringLiteral("control%1").arg(id));
        ASSERT_NE(button, nullptr) << "control " << id;
        button->click();
    }
    QString StorePath() const { return configDir.path() + "/Kestory/Mirovane.reg"; }
};

TEST_F(OptionsCommandTest, BeforeTheFirstTapNothingIsAskedAndOnlyAGameChangeMakesANewGame) {
    StartPlaying();
    const Board hidden = GameState.hiddenBoard;
    dialogAction = [](QDialog& dialog) {
        Click(dialog, 1007);  // Français: holds even though the dialog is cancelled
        dialog.reject();
    };
    frame->OnCommand(ID_OPTIONS);
    EXPECT_EQ(GameState.langue, 1);
    EXPECT_EQ(frame->menuBar()->actions().first()->menu()->actions().first()->text(), "Nouvelle partie");
    EXPECT_EQ(GameState.hiddenBoard, hidden) << "no new game";
    EXPECT_TRUE(QFile::exists(StorePath())) << "the store is written after every dialog";

    dialogAction = [](QDialog& dialog) {
        Click(dialog, 1021);  // 7 x 7
        dialog.accept();
    };
    frame->OnCommand(ID_TOOL_OPTIONS);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(dialogsShown.size(), 2u);
    EXPECT_EQ(GameState.gridSize, 7) << "a new game of the new size";
    EXPECT_EQ(GameState.boardX, 60);
}

TEST_F(OptionsCommandTest, DuringAGameItAsksAndEndsTheGameUncounted) {
    StartPlaying();
    now = 5000;
    TapCell(0, 0);
    answers = {IDCANCEL, IDOK};
    frame->OnCommand(ID_OPTIONS);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "This will abort the current game. Continue?");
    EXPECT_EQ(asked[0].caption, "Warning");
    EXPECT_TRUE(dialogsShown.empty()) << "Cancel does nothing at all";
    EXPECT_EQ(GameState.gamePhase, Playing);
    EXPECT_EQ(frame->TimerPeriod(1), 100u);
    EXPECT_FALSE(QFile::exists(StorePath()));

    GameState.langue = 1;
    now = 9000;
    dialogAction = [](QDialog& dialog) { dialog.accept(); };
    const Board hidden = GameState.hiddenBoard;
    frame->OnCommand(ID_OPTIONS);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].text, QString::fromUtf16(u"Cela va arrêter la partie en-cours. Continuer?"));
    EXPECT_EQ(asked[1].caption, "Attention");
    EXPECT_EQ(GameState.gamePhase, Finished) << "OK without changes leaves the ended game on screen";
    EXPECT_EQ(GameState.hiddenBoard, hidden);
    EXPECT_EQ(GameState.stats1.totalplay, 0) << "not counted";
    EXPECT_EQ(frame->TimerPeriod(1), 0u);
    frame->OnCommand(ID_OPTIONS);
    EXPECT_EQ(asked.size(), 2u) << "a finished game is left without a question";
}

}  // namespace
