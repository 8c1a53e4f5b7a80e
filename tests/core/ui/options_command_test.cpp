// The Options command around its dialog: the question, the game it ends, the save, the new game; and
// the dialog's own buttons, driven through its controls by id.
#include "core/settings/options_dialog.h"
#include "core/settings/settings.h"
#include "core/ui/command_bar.h"
#include "core/ui/game_flow.h"
#include "support/board_rows.h"
#include "support/canvas.h"
#include "support/stand_in.h"

namespace {

class OptionsCommandTest : public GameTest {
  protected:
    // Clicks `id` in the next dialogs, then closes them with `button`.
    static void ClickThenClose(int id, Answer button) {
        standIn.dialogAction = [id, button](StandInDialog& dialog) {
            if (id != 0) dialog.Click(id);
            return dialog.Close(button);
        };
    }
};

TEST_F(OptionsCommandTest, BeforeTheFirstTapNothingIsAskedAndOnlyAGameChangeMakesANewGame) {
    StartPlaying();
    const Board hidden = GameState.hiddenBoard;
    ClickThenClose(OptionsId::French, Answer::Cancel);  // the language holds anyway
    Command(ID_OPTIONS);
    EXPECT_EQ(std::tuple(GameState.langue, GameState.hiddenBoard == hidden, standIn.settingsWrites > 0),
              std::tuple(1, true, true))
        << "no new game; the store is written after every dialog";
    EXPECT_GT(standIn.commandsChanges, 0) << "the platform relabels its menus";

    ClickThenClose(1021, Answer::Ok);  // 7 x 7
    Command(ID_TOOL_OPTIONS);
    EXPECT_EQ(
        std::tuple(standIn.asked.size(), standIn.dialogsShown.size(), GameState.gridSize, GameState.boardX),
        std::tuple(size_t{0}, size_t{2}, 7, int16_t{60}))
        << "a new game of the new size";
    const Board seven = GameState.hiddenBoard;
    ClickThenClose(OptionsId::Wormhole, Answer::Cancel);
    Command(ID_OPTIONS);
    EXPECT_EQ(GameState.hiddenBoard, seven) << "Cancel after a change makes no new game";

    // Options may change the game under the screen: whatever was chosen, the screen is drawn again.
    Offscreen.bufferDC.PatBlt(0, 0, kGameWidth, kGameHeight, RasterOp::Blackness);
    Command(ID_OPTIONS);
    EXPECT_EQ(ScreenPixel(GameState.boardX + 5, GameState.boardY), kWhite) << "the grid's white lines";
}

TEST_F(OptionsCommandTest, DuringAGameItAsksAndEndsTheGameUncounted) {
    StartPlaying();
    standIn.now = 5000;
    TapCell(0, 0);
    standIn.answers = {Answer::Cancel, Answer::Ok};
    Command(ID_OPTIONS);
    ASSERT_EQ(standIn.asked.size(), 1u);
    EXPECT_EQ(standIn.asked[0].TextAndCaption(), u"This will abort the current game. Continue?|Warning");
    EXPECT_EQ(
        std::tuple(standIn.dialogsShown.size(), GameState.gamePhase, ClockPeriod(), standIn.settingsWrites),
        std::tuple(size_t{0}, Playing, 100u, 0))
        << "Cancel does nothing at all";

    GameState.langue = 1;
    standIn.now = 9000;
    ClickThenClose(0, Answer::Ok);
    const Board hidden = GameState.hiddenBoard;
    Command(ID_OPTIONS);
    ASSERT_EQ(standIn.asked.size(), 2u);
    EXPECT_EQ(standIn.asked[1].TextAndCaption(), u"Cela va arrêter la partie en-cours. Continuer?|Attention");
    EXPECT_EQ(std::tuple(GameState.gamePhase, GameState.hiddenBoard == hidden, GameState.stats1.totalplay,
                         ClockPeriod(), GameState.mismatchCount > 0),
              std::tuple(Finished, true, 0, 0u, true))
        << "OK without changes leaves the ended game on screen with its numbers compared, not counted";
    Command(ID_OPTIONS);
    EXPECT_EQ(standIn.asked.size(), 2u) << "a finished game is left without a question";

    // A game whose numbers already agree (the reflector hides behind the four absorbers) ends the same way.
    StartPlaying();
    UsePuzzle({".o..", "o#o.", ".o..", "...."});
    for (const auto& [x, y] : {std::pair{1, 0}, {0, 1}, {2, 1}, {1, 2}}) TapCell(x, y);
    Command(ID_OPTIONS);
    EXPECT_EQ(std::tuple(GameState.gamePhase, GameState.mismatchCount), std::tuple(Finished, 0));
}

// Each click, then OK or Cancel: whether OK asks for a new game, and whether the choice holds after Cancel.
TEST_F(OptionsCommandTest, OnlyTheGameDefiningChoicesAskForANewGameAndOnlyOkKeepsThem) {
    const std::tuple<int, int32_t, bool, std::function<bool()>> cases[] = {
        {1023, 1, false, [] { return GameState.damier == 8; }},
        {1000, 1, false, [] { return GameState.items == 3; }},
        {1029, 1, false, [] { return GameState.items == 13; }},
        {OptionsId::Absorbers, 1, false, [] { return GameState.useabsorbed == 0; }},
        {OptionsId::ReflectingItems, 1, false, [] { return GameState.usereflect == 0; }},
        {OptionsId::Wormhole, 1, false, [] { return GameState.useworm == 1; }},
        {OptionsId::Hints, 0, false, [] { return GameState.hint == 0; }},
        {OptionsId::French, 0, true, [] { return GameState.langue == 1; }},
        {OptionsId::Player2, 0, true, [] { return GameState.player == 1; }},
        {1019, 0, true, [] { return GameState.damier == 5; }},  // the grid size it already had
    };
    for (const auto& [click, changed, holdsOnCancel, applied] : cases) {
        for (Answer close : {Answer::Ok, Answer::Cancel}) {
            GameState = GameRecord{}, InitSettings();  // the options of a first run
            ClickThenClose(click, close);
            EXPECT_EQ(RunOptionsDialog(), close);
            EXPECT_EQ(GameState.optionsChanged, close == Answer::Ok ? changed : 0)
                << "after a click on " << click;
            EXPECT_EQ(applied(), close == Answer::Ok || holdsOnCancel)
                << "after a click on " << click << " and " << AnswerId(close);
        }
    }
}

// The player, language and reset buttons act at once, and Cancel undoes none of them; the other
// player's statistics stay as they were. The statistics of played games are in the listings of the
// dialog in tests/qt, in both languages.
TEST_F(OptionsCommandTest, ThePlayerLanguageAndResetButtonsActAtOnce) {
    GameState.player = 1, GameState.stats1 = PlayerStats{0, 2, 15, 3, 250500};
    GameState.stats2 = PlayerStats{1, 0, 4, 1, 60000};
    standIn.dialogAction = [](StandInDialog& dialog) {
        dialog.Click(OptionsId::French);
        dialog.Click(OptionsId::Reset);
        EXPECT_EQ(dialog.Text(OptionsId::Statistics), u"Pas de partie jouée");
        return dialog.Close(Answer::Cancel);
    };
    RunOptionsDialog();
    EXPECT_EQ(std::tuple(GameState.langue, GameState.stats2.totalplay, GameState.stats1.totaltime),
              std::tuple(1, 0, 250500));
    EXPECT_EQ(StatisticsText(PlayerStats{0, 0, 0, 2, 5000}, 0), u"No played games") << "games without items";
}

}  // namespace
