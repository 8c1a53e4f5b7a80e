// The Options command around its dialog: the question, the game it ends, the save, the new game.
#include <QFile>
#include <QMenu>
#include <QMenuBar>

#include "frame_fixture.h"
#include "core/settings/options_dialog.h"
#include "core/ui/command_bar.h"

namespace {

using OptionsCommandTest = FrameTest;

TEST_F(OptionsCommandTest, BeforeTheFirstTapNothingIsAskedAndOnlyAGameChangeMakesANewGame) {
    StartPlaying();
    const Board hidden = GameState.hiddenBoard;
    dialogAction = [](QDialog& dialog) { Click(dialog, 1007), dialog.reject(); };  // Français: holds anyway
    frame->OnCommand(ID_OPTIONS);
    EXPECT_EQ(std::tuple(GameState.langue, GameState.hiddenBoard == hidden, QFile::exists(FilePath())),
              std::tuple(1, true, true))
        << "no new game; the store is written after every dialog";
    EXPECT_EQ(frame->menuBar()->actions().first()->menu()->actions().first()->text(), "Nouvelle partie");

    dialogAction = [](QDialog& dialog) { Click(dialog, 1021), dialog.accept(); };  // 7 x 7
    frame->OnCommand(ID_TOOL_OPTIONS);
    EXPECT_EQ(std::tuple(asked.size(), dialogsShown.size(), GameState.gridSize, GameState.boardX),
              std::tuple(size_t{0}, size_t{2}, 7, int16_t{60}))
        << "a new game of the new size";
    const Board seven = GameState.hiddenBoard;
    dialogAction = [](QDialog& dialog) { dialog.reject(); };
    frame->OnCommand(ID_OPTIONS);
    EXPECT_EQ(GameState.hiddenBoard, seven) << "Cancel after a change makes no new game";
}

TEST_F(OptionsCommandTest, DuringAGameItAsksAndEndsTheGameUncounted) {
    StartPlaying();
    now = 5000;
    TapCell(0, 0);
    answers = {IDCANCEL, IDOK};
    frame->OnCommand(ID_OPTIONS);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text + '|' + asked[0].caption, "This will abort the current game. Continue?|Warning");
    EXPECT_EQ(std::tuple(dialogsShown.size(), GameState.gamePhase, frame->TimerPeriod(1),
                         QFile::exists(FilePath())),
              std::tuple(size_t{0}, Playing, 100u, false))
        << "Cancel does nothing at all";

    GameState.langue = 1;
    now = 9000;
    dialogAction = [](QDialog& dialog) { dialog.accept(); };
    const Board hidden = GameState.hiddenBoard;
    frame->OnCommand(ID_OPTIONS);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].text + '|' + asked[1].caption,
              QString::fromUtf16(u"Cela va arrêter la partie en-cours. Continuer?|Attention"));
    EXPECT_EQ(std::tuple(GameState.gamePhase, GameState.hiddenBoard == hidden, GameState.stats1.totalplay,
                         frame->TimerPeriod(1), GameState.mismatchCount > 0),
              std::tuple(Finished, true, 0, 0u, true))
        << "OK without changes leaves the ended game on screen with its numbers compared, not counted";
    frame->OnCommand(ID_OPTIONS);
    EXPECT_EQ(asked.size(), 2u) << "a finished game is left without a question";

    // A game whose numbers already agree (the reflector hides behind the four absorbers) ends the same way.
    delete frame;
    StartPlaying();
    UsePuzzle({".o..", "o#o.", ".o..", "...."});
    for (const auto& [x, y] : {std::pair{1, 0}, {0, 1}, {2, 1}, {1, 2}}) TapCell(x, y);
    frame->OnCommand(ID_OPTIONS);
    EXPECT_EQ(std::tuple(GameState.gamePhase, GameState.mismatchCount), std::tuple(Finished, 0));
}

}  // namespace
