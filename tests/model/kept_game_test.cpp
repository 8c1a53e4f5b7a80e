// The kept game: a game in play written out and read back as it was, and every damaged, cut, foreign
// or inconsistent text refused without touching the game.
#include "model/kept_game.h"

#include <string>
#include <string_view>
#include <tuple>

#include "taps.h"

namespace {

// An 8 x 8 game of 13 items and the wormhole pair, four changes in, the last one undone.
class KeptGameTest : public ModelTest {
  protected:
    void SetUp() override {
        ModelTest::SetUp();
        UsePuzzle({"\\.......", ".../../.", "........", "/.....A-", "./\\.....", "..-..o..", "..\\.B...",
                   ".|#./..."});
        GameState.usereflect = GameState.useabsorbed = GameState.useworm = 1;
        Repaint();
        Tap(history, 0, 0);  // a slash mirror where the puzzle has a backslash mirror
        PickSlot(4);
        Tap(history, 3, 1);
        Tap(history, 0, 0);  // taken back
        Tap(history, 5, 5);
        Undo(history, GameState);
        Repaint();
        LabelAllPorts(kPlayerBoard);
        GameState.hint = 1;
        GameState.shownPort = 11;
        GameState.moveCount = 6;
        GameState.gameStartTick = 1000;
        GameState.lastTick = 84500;
    }
    History history;
};

// The text of the game of the fixture, as every later version must still read it.
constexpr std::string_view kKeptText = R"(Mirovane kept game 1
size 8
items 13
reflect 1
absorb 1
worm 1
wormholes 6 3 4 6
hidden \....... .../../. ........ /.....A- ./\..... ..-..o.. ..\.B... .|#./...
player ........ ...\.... ........ ......A. ........ ........ ....B... ........
hidden-labels 8 6 10 5 12 6a 11 7r 8 15r 8 11r 10 3a 15 4 9r 12 3a 4 11 1r 11r 15 3r 7r 6a 6 4 8 5 4
player-labels 8 8 8 6 12 8 6 8 8 6 8 7 8 8 11 8 8 12 8 6 10 8 8 8 8 7 8 8 11 8 10 8
hint 1
shown-port 11
elapsed-ms 83500
moves 6
placed 1
palette-slot 0
selected 1
remaining 5 2 1 2 1 1
undo-steps 3
undo ........ ........ ........ ......A. ........ ........ ....B... ........ 0 1
undo /....... ........ ........ ......A. ........ ........ ....B... ........ 4 2
undo /....... ...\.... ........ ......A. ........ ........ ....B... ........ 4 2
redo-steps 1
redo ........ ...\.... ........ ......A. ........ ...../.. ....B... ........ 0 1
end
)";

// `text` with its first line of key `key` (the first word) replaced by `line`.
std::string WithLine(std::string_view text, std::string_view key, std::string_view line) {
    std::string out;
    bool replaced = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view current = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const bool match = !replaced && current.substr(0, current.find(' ')) == key;
        out += match ? line : current;
        out += '\n';
        replaced = replaced || match;
    }
    return replaced ? out : std::string("no line ") + std::string(key);
}

bool Reads(std::string_view text) {
    KeptGame kept;
    return ReadKeptGame(text, kept);
}

TEST_F(KeptGameTest, AGameInPlayIsWrittenAsTheFormatSaysAndReadsBackAsItWas) {
    const KeptGame kept = CaptureGame(GameState, history);
    const std::string text = WriteKeptGame(kept);
    EXPECT_EQ(text, kKeptText);
    KeptGame read;
    ASSERT_TRUE(ReadKeptGame(text, read)) << text;
    EXPECT_EQ(read, kept);
    EXPECT_EQ(read.history.undo.size(), 3u);
    EXPECT_EQ(read.player.remaining, GameState.remaining)
        << "the counts of types 0, 7 and 8 follow the boards";

    KeptGame bare = kept;
    bare.history = History{};
    EXPECT_LT(WriteKeptGame(bare).size(), 1024u) << "an 8 x 8 game without history grew";
}

TEST_F(KeptGameTest, ARestoredGameGoesOnWhereItStoodWithItsClockAndHistory) {
    const GameRecord played = GameState;
    KeptGame kept;
    ASSERT_TRUE(ReadKeptGame(WriteKeptGame(CaptureGame(GameState, history)), kept));

    GameState = GameRecord{};
    GameState.gamePhase = Finished;
    GameState.mismatchCount = 4;
    History restored;
    RestoreGame(kept, GameState, restored);
    EXPECT_EQ(GameState.elapsedMs, 83500u) << "the clock goes on from the time played";
    EXPECT_EQ(std::tuple(GameState.gamePhase, GameState.mismatchCount), std::tuple(Playing, 0));
    EXPECT_EQ(GameState.playerLabels, played.playerLabels);
    GameState.gameStartTick = 1000;  // the clock restarted, as the game does, and stopped at once
    GameState.lastTick = 1000 + GameState.elapsedMs;
    EXPECT_EQ(CaptureGame(GameState, restored), kept) << "the restored game is not the kept one";
    EXPECT_EQ(restored, history);

    ASSERT_TRUE(Redo(restored, GameState)) << "the undone change can be redone after a restart";
    EXPECT_EQ(GameState.playerBoard[5 * 8 + 5], SlashMirror);
}

TEST_F(KeptGameTest, AGameTakenBeforeItsRepaintReadsBackAsTheRepaintShowsIt) {
    // A tap has placed an item; the palette counts and the player's labels are not yet refreshed.
    GameState.playerBoard[7 * 8 + 7] = GameState.selectedItem;
    GameState.placedCount += 1;
    GameState.selectedItem = Empty;
    KeptGame kept;
    ASSERT_TRUE(ReadKeptGame(WriteKeptGame(CaptureGame(GameState, history)), kept));
    Repaint();
    LabelAllPorts(kPlayerBoard);
    EXPECT_EQ(kept.player, TakePlayerSide(GameState));
    EXPECT_EQ(kept.playerLabels, GameState.playerLabels);
}

TEST_F(KeptGameTest, AGameWhoseClockHasNotStartedAndAFullHistoryReadBack) {
    GameState.moveCount = 0;
    KeptGame kept = CaptureGame(GameState, History{});
    EXPECT_EQ(kept.elapsedMs, 0u);
    EXPECT_TRUE(Reads(WriteKeptGame(kept)));

    GameState.moveCount = 3000;
    for (std::size_t change = 0; change < kHistoryLimit + 10; ++change) Tap(history, 7, 7);
    Undo(history, GameState);
    kept = CaptureGame(GameState, history);
    const std::string text = WriteKeptGame(kept);
    EXPECT_LT(text.size(), kKeptGameMaxBytes / 2) << "a full history leaves little room";
    KeptGame read;
    ASSERT_TRUE(ReadKeptGame(text, read));
    EXPECT_EQ(read.history.undo.size() + read.history.redo.size(), kHistoryLimit);
    EXPECT_EQ(read, kept);
}

TEST_F(KeptGameTest, WormholeEndsOnTheFirstRowAndColumnReadBack) {
    UsePuzzle({"A/.o", "....", "..#.", "B..."});
    GameState.usereflect = GameState.useabsorbed = GameState.useworm = 1;
    EXPECT_TRUE(Reads(WriteKeptGame(CaptureGame(GameState, History{}))));
}

TEST_F(KeptGameTest, ReadingLeavesTheGameRecordAndAFailedReadLeavesTheKeptGameAlone) {
    uint16_t count = 0;
    TraceRay(3, count, kPlayerBoard);
    const GameRecord before = GameState;
    KeptGame kept;
    ASSERT_TRUE(ReadKeptGame(kKeptText, kept));
    ASSERT_FALSE(ReadKeptGame(WithLine(kKeptText, "hidden-labels", "hidden-labels 1"), kept));
    EXPECT_EQ(kept, CaptureGame(GameState, history)) << "a refused text changed the kept game";
    const auto borrowed = [](const GameRecord& g) {
        return std::tie(g.rayPath, g.hiddenBoard, g.playerBoard, g.hiddenLabels, g.playerLabels, g.wormholeA,
                        g.gridSize);
    };
    EXPECT_EQ(borrowed(GameState), borrowed(before)) << "reading changed the game record";
}

TEST_F(KeptGameTest, ATextCutAnywhereOrGrownPastItsBoundIsRefused) {
    for (std::size_t length = 0; length < kKeptText.size(); ++length) {
        EXPECT_FALSE(Reads(kKeptText.substr(0, length))) << "cut after " << length << " bytes";
    }
    EXPECT_FALSE(Reads(std::string(kKeptText) + "end\n")) << "a line after the end";
    EXPECT_FALSE(Reads(std::string(kKeptText) + std::string(kKeptGameMaxBytes, '\n')));
    std::string crlf;
    for (char c : kKeptText) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_FALSE(Reads(crlf)) << "carriage returns";
    EXPECT_FALSE(Reads(std::string(kKeptText.substr(0, 4)) + '\0' + std::string(kKeptText.substr(5))));
}

// One damaged line for each rule of the reader: the shape of a line, a number's bounds, and each way
// the puzzle, the player's board, the palette, the clock and the history can disagree.
TEST_F(KeptGameTest, EveryDamagedFieldIsRefused) {
    struct Case {
        std::string_view key, line, what;
    } const cases[] = {
        {"Mirovane", "Mirovane kept game 2", "another version"},
        {"size", "size 3", "a board too small"},
        {"size", "size 7", "rows longer than the size"},
        {"size", "size 8 ", "a trailing space"},
        {"size", "size 08x", "a number with a tail"},
        {"items", "items 12", "an item count the board does not hold"},
        {"reflect", "reflect 2", "an option neither on nor off"},
        {"reflect", "reflect 0", "reflecting items without their option"},
        {"absorb", "absorb 0", "an absorber without its option"},
        {"worm", "worm 0", "a wormhole pair without its option"},
        {"wormholes", "wormholes 4 6 6 3", "the ends swapped"},
        {"wormholes", "wormholes 6 3 4 8", "an end off the board"},
        {"wormholes", "wormholes 6 3 4", "three coordinates"},
        {"hidden", R"(hidden \....... .../../. ........ /.....A- ./\..... ..-..o.. ..\.B... .|#./..x)",
         "an unknown item"},
        {"hidden", R"(hidden \....... .../../. ........ /.....A- ./\..... ..-..o.. ..\.B... .|#./..)",
         "a short row"},
        {"hidden", R"(hidden .\...... .../../. ........ /.....A- ./\..... ..-..o.. ..\.B... .|#./...)",
         "an item moved under the labels"},
        {"hidden", R"(hidden \.A..... .../../. ........ /.....A- ./\..... ..-..o.. ..\.B... .|#./...)",
         "a third wormhole end"},
        {"player", R"(player ........ ...\.... ........ ......A. ........ ........ ........ ........)",
         "a wormhole end lost by the player's board"},
        {"player", R"(player ........ ...\.... ........ ......A. ........ ........ ....B... .......B)",
         "a wormhole end added to the player's board"},
        {"player", R"(player ........ ...|.... ........ ......A. ........ ........ ....B... ........)",
         "a placed item the palette counts contradict"},
        {"hidden-labels",
         "hidden-labels 8 6 10 5 12 6r 11 7r 8 15r 8 11r 10 3a 15 4 9r 12 3a 4 11 1r 11r 15 3r 7r 6a 6 4 8 5 "
         "4",
         "an ending changed"},
        {"player-labels", "player-labels 8 8 8 6 12 8 6 8 8 6 8 7 8 8 11 8 8 12 8 6 10 8 8 8 8 7 8 8 11 8 10",
         "a player's label missing"},
        {"hint", "hint 2", "hints neither on nor off"},
        {"shown-port", "shown-port 32", "a port past the last"},
        {"shown-port", "shown-port -1", "a port before the first"},
        {"shown-port", "shown-port -100", "a port far before the first"},
        {"elapsed-ms", "elapsed-ms 4294967296", "a time past 32 bits"},
        {"moves", "moves -1", "negative moves"},
        {"moves", "moves 2147483648", "moves past 31 bits"},
        {"moves", "moves 0", "a clock running before the first move"},
        {"placed", "placed 2", "more placed than on the board"},
        {"palette-slot", "palette-slot 12", "a slot past the strip"},
        {"palette-slot", "palette-slot 64", "a slot past any strip"},
        {"palette-slot", "palette-slot 5", "a slot of another type than the selected one"},
        {"selected", "selected 7", "a wormhole end selected"},
        {"remaining", "remaining 5 2 1 2 1 2", "a count the boards contradict"},
        {"remaining", "remaining 5 2 1 2 1 -1", "a negative count"},
        {"undo-steps", "undo-steps 4", "more undo steps than lines"},
        {"undo-steps", "undo-steps 1001", "more undo steps than the history keeps"},
        {"undo", "undo ........ ........ ........ ......A. ........ ........ ....B... ........ 0 2",
         "a step selecting another type than its slot's"},
        {"undo", "undo ........ ........ ........ ........ ........ ........ ....B... ........ 0 1",
         "a step without a wormhole end"},
        {"undo", "undo ######## ........ ........ ......A. ........ ........ ....B... ........ 0 1",
         "a step with more items than the puzzle hides"},
        {"redo-steps", "redo-steps 998", "more steps in all than the history keeps"},
        {"redo", "redo ........ ...\\.... ........ ......A. ........ ...../.. ....B... ........ 13 1",
         "a redo step's slot past its strip"},
        {"end", "end.", "a damaged end"},
    };
    ASSERT_TRUE(Reads(kKeptText));
    for (const Case& c : cases) {
        const std::string text = WithLine(kKeptText, c.key, c.line);
        ASSERT_NE(text.substr(0, 8), "no line ") << c.key;
        EXPECT_FALSE(Reads(text)) << c.what << ": " << c.line;
    }
}

}  // namespace
