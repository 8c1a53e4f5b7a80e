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

TEST_F(OptionsCommandTest, BeforeTheFirstTapNothingIsAskedAndANewGridSizeReplacesThePuzzle) {
    StartPlaying();
    dialogAction = [](QDialog& dialog) {
        Click(dialog, 1021);  // 7 x 7
        dialog.accept();
    };
    frame->OnCommand(ID_TOOL_OPTIONS);
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(dialogsShown.size(), 1u);
    EXPECT_EQ(GameState.damier, 7);
    EXPECT_EQ(GameState.gridSize, 7) << "a new game of the new size";
    EXPECT_EQ(GameState.boardX, 60);
    EXPECT_TRUE(QFile::exists(StorePath())) << "the store is written after every dialog";
}

TEST_F(OptionsCommandTest, CancelOnTheQuestionLeavesTheGameRunning) {
    StartPlaying();
    TapCell(0, 0);
    answers = {IDCANCEL};
    frame->OnCommand(ID_OPTIONS);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, "This will abort the current game. Continue?");
    EXPECT_EQ(asked[0].caption, "Warning");
    EXPECT_TRUE(dialogsShown.empty());
    EXPECT_EQ(GameState.gamePhase, Playing);
    EXPECT_EQ(GameState.moveCount, 1);
    EXPECT_EQ(frame->TimerPeriod(1), 100u);
    EXPECT_FALSE(QFile::exists(StorePath()));
}

TEST_F(OptionsCommandTest, OkWithoutChangesLeavesTheEndedGameOnScreenUncounted) {
    StartPlaying();
    GameState.langue = 1;
    now = 5000;
    TapCell(0, 0);
    now = 9000;
    answers = {IDOK};
    dialogAction = [](QDialog& dialog) { dialog.accept(); };
    const Board hidden = GameState.hiddenBoard;
    frame->OnCommand(ID_OPTIONS);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text, QString::fromUtf16(u"Cela va arrêter la partie en-cours. Continuer?"));
    EXPECT_EQ(asked[0].caption, "Attention");
    EXPECT_EQ(GameState.gamePhase, Finished);
    EXPECT_EQ(GameState.hiddenBoard, hidden) << "no new game";
    EXPECT_EQ(GameState.stats1.totalplay, 0) << "not counted";
    EXPECT_EQ(frame->TimerPeriod(1), 0u);

    // A finished game is left without a question.
    frame->OnCommand(ID_OPTIONS);
    EXPECT_EQ(asked.size(), 1u);
}

TEST_F(OptionsCommandTest, ALanguageSwitchRelabelsTheMenuEvenWhenTheDialogIsCancelled) {
    StartPlaying();
    dialogAction = [](QDialog& dialog) {
        Click(dialog, 1007);  // Français
        dialog.reject();
    };
    const Board hidden = GameState.hiddenBoard;
    frame->OnCommand(ID_OPTIONS);
    EXPECT_EQ(GameState.langue, 1);
    EXPECT_EQ(frame->menuBar()->actions().first()->menu()->actions().first()->text(), "Nouvelle partie");
    EXPECT_EQ(GameState.hiddenBoard, hidden);
}

}  // namespace
