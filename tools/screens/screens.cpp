// Renders the screens a player meets into PNG files, offscreen, from the real painting code:
//
//   mirovane-screens OUTPUT_FOLDER [--scale N]
//
// The title screen at a few moments, a fresh 5 x 5 game, a game in play with hints and a shown ray,
// the learn-rules board in both languages, every end-of-game result in both languages and the broken
// screen. Each screen is set up the way the game gets there: a puzzle from GeneratePuzzle with a
// seeded random source, the player's items put on the board, the boards compared. --scale N writes
// every picture N times larger, pixel for pixel, for looking at it closely.
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "core/face.h"
#include "core/render/offscreen.h"
#include "core/render/paint.h"
#include "core/ui/game_flow.h"
#include "model/game_state.h"
#include "model/model.h"
#include "model/random.h"
#include "platform/qt/main_frame.h"
#include "platform/qt/qt_bitmap.h"
#include "platform/qt/services.h"

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 268;
constexpr uint32_t kTitleStart = 50000;

// A cell of a board set up by hand, and its item.
struct Placed {
    int x;
    int y;
    int16_t item;
};

QString outputFolder;
int scale = 1;
bool failed = false;

uint32_t SeededRandom(void* context) {
    return static_cast<uint32_t>((*static_cast<std::mt19937*>(context))());
}

void Save(const QImage& screen, const char* name) {
    const QImage picture =
        scale == 1 ? screen
                   : screen.scaled(screen.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QString path = QDir(outputFolder).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    if (!picture.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        failed = true;
    }
}

void PaintAndSave(const char* name) {
    PaintFrame(Rect32{0, 0, kWidth, kHeight});
    Save(ImageView(Offscreen.bufferDC.Image()), name);
}

// The options every screen starts from: English, hints off, all item kinds, no wormhole.
void ResetGame() {
    GameState = GameRecord{};
    GameState.usereflect = 1;
    GameState.useabsorbed = 1;
    GameState.shownPort = -99;
}

void NewGame(int n, int k, bool wormhole, uint32_t seed) {
    std::mt19937 engine(seed);
    SetRandomSource(&SeededRandom, &engine);
    GameState.damier = n;
    GameState.items = k;
    GameState.useworm = wormhole ? 1 : 0;
    GeneratePuzzle();
    SetRandomSource(nullptr, nullptr);
}

// Puts the item of hidden cell `from` on player cell `to`, as the player would.
void PlaceFromPuzzle(int fromX, int fromY, int toX, int toY) {
    GameState.playerBoard[toX * 8 + toY] = GameState.hiddenBoard[fromX * 8 + fromY];
    ++GameState.placedCount;
}

// The hidden items, in board order, as (x, y) cells.
int HiddenItems(Point32* cells) {
    int count = 0;
    for (int x = 0; x < GameState.gridSize; ++x) {
        for (int y = 0; y < GameState.gridSize; ++y) {
            const int16_t item = GameState.hiddenBoard[x * 8 + y];
            if (item >= SlashMirror && item <= TotalReflector) cells[count++] = Point32{x, y};
        }
    }
    return count;
}

// Ends the game as the show-solution command does: the result, the clock stopped, the longest ray.
void Finish(uint32_t elapsed) {
    int32_t misplaced = 0;
    const int16_t mismatches = CompareBoards(misplaced);
    GameState.moveCount = misplaced;
    GameState.mismatchCount = mismatches;
    GameState.gameStartTick = 1000;
    GameState.lastTick = 1000 + elapsed;
    GameState.gamePhase = Finished;
    int best = 0;
    for (int p = 1; p < 4 * GameState.gridSize; ++p) {
        if ((GameState.hiddenLabels[p] & 0xFF) > (GameState.hiddenLabels[best] & 0xFF)) best = p;
    }
    GameState.shownPort = static_cast<int16_t>(best);
}

// The title screen as the window shows it at period t: the whole set-up frame, then one frame per
// 60 ms period of which the window takes only the animation's rectangle.
void TitleAt(uint32_t t, const char* name) {
    ResetGame();
    std::mt19937 engine(7);
    SetRandomSource(&SeededRandom, &engine);
    uint32_t now = kTitleStart;
    SetTickSource([&now] { return now; });
    GameState.titleStartTick = kTitleStart;

    QImage window(kWidth, kHeight, QImage::Format_RGB32);
    window.fill(Qt::black);
    PaintFrame(Rect32{0, 0, kWidth, kHeight});  // the first paint draws nothing
    PaintFrame(Rect32{0, 0, kWidth, kHeight});
    window = ImageView(Offscreen.bufferDC.Image()).copy();
    const Rect32& area = GameState.animationRect;
    const QRect animation(area.left, area.top, area.right - area.left, area.bottom - area.top);
    for (uint32_t period = 1; period <= t; ++period) {
        now = kTitleStart + 60 * period;
        PaintFrame(area);
        QPainter copy(&window);
        copy.drawImage(animation, ImageView(Offscreen.bufferDC.Image()), animation);
    }
    Save(window, name);
    SetTickSource({});
    SetRandomSource(nullptr, nullptr);
}

void FreshGame() {
    ResetGame();
    NewGame(5, 4, false, 11);
    PaintAndSave("game_new_5x5");
}

// Six items on a 6 x 6 board with the wormhole pair; the player has put three, one of them wrong,
// and probes a port with hints on. The clock runs.
void GameInPlay() {
    ResetGame();
    NewGame(6, 6, true, 5);
    Point32 cells[13];
    const int count = HiddenItems(cells);
    PlaceFromPuzzle(cells[0].x, cells[0].y, cells[0].x, cells[0].y);
    PlaceFromPuzzle(cells[1].x, cells[1].y, cells[1].x, cells[1].y);
    // The third item goes one cell away from where the puzzle has it, to an empty cell.
    for (int x = 0; x < 6 && count > 2; ++x) {
        const int y = cells[2].y;
        if (GameState.hiddenBoard[x * 8 + y] == Empty && GameState.playerBoard[x * 8 + y] == Empty) {
            PlaceFromPuzzle(cells[2].x, cells[2].y, x, y);
            break;
        }
    }
    int32_t misplaced = 0;
    CompareBoards(misplaced);
    RecountPalette(-1);
    GameState.hint = 1;
    GameState.moveCount = 9;
    GameState.gameStartTick = 1000;
    GameState.lastTick = 1000 + 83400;
    // Show a port whose label the player's board gets wrong, if there is one.
    GameState.shownPort = 1;
    for (int p = 0; p < 24; ++p) {
        if (GameState.hiddenLabels[p] != GameState.playerLabels[p]) {
            GameState.shownPort = static_cast<int16_t>(p);
            break;
        }
    }
    PaintAndSave("game_hints_ray");
}

// The learn-rules demonstration, reached from a 5 x 5 game as the player reaches it.
void LearnRules(int langue, const char* name) {
    ResetGame();
    NewGame(5, 4, false, 3);
    GameState.langue = langue;
    OnLearn();
    PaintAndSave(name);
}

// An exact solution: the player's board is the puzzle.
void ExactSolution(int langue, const char* name) {
    ResetGame();
    NewGame(5, 4, false, 21);
    GameState.langue = langue;
    GameState.playerBoard = GameState.hiddenBoard;
    GameState.placedCount = GameState.itemCount;
    Finish(42300);
    PaintAndSave(name);
}

// Another arrangement with the same numbers: the slash mirror at (2, 2) is walled in by four
// absorbers, so no ray ever reaches it, and the player's backslash mirror there gives the same labels.
void AcceptedSolution(int langue, const char* name) {
    ResetGame();
    GameState.langue = langue;
    GameState.damier = 5;
    GameState.items = 6;
    GameState.gridSize = 5;
    GameState.itemCount = 6;
    ComputeLayout();
    const Placed hidden[] = {{2, 1, Absorber}, {1, 2, Absorber},    {3, 2, Absorber},
                             {2, 3, Absorber}, {2, 2, SlashMirror}, {0, 4, BackslashMirror}};
    for (const Placed& item : hidden) GameState.hiddenBoard[item.x * 8 + item.y] = item.item;
    LabelAllPorts(kHiddenBoard);
    GameState.playerBoard = GameState.hiddenBoard;
    GameState.playerBoard[2 * 8 + 2] = BackslashMirror;
    GameState.placedCount = 6;
    Finish(95000);
    PaintAndSave(name);
}

// The player moved `moved` items one cell down (or up at the bottom row) before asking for the solution.
void WrongSolution(int langue, int moved, const char* name) {
    ResetGame();
    NewGame(6, 5, false, 9);
    GameState.langue = langue;
    GameState.playerBoard = GameState.hiddenBoard;
    GameState.placedCount = GameState.itemCount;
    Point32 cells[13];
    const int count = HiddenItems(cells);
    for (int i = 0; i < moved && i < count; ++i) {
        const Point32 from = cells[i];
        for (const int dy : {1, -1, 2, -2}) {
            const int y = from.y + dy;
            if (y < 0 || y >= GameState.gridSize || GameState.playerBoard[from.x * 8 + y] != Empty) continue;
            if (GameState.hiddenBoard[from.x * 8 + y] != Empty) continue;
            GameState.playerBoard[from.x * 8 + y] = GameState.playerBoard[from.x * 8 + from.y];
            GameState.playerBoard[from.x * 8 + from.y] = Empty;
            break;
        }
    }
    Finish(187600);
    if (GameState.mismatchCount == 0) std::fprintf(stderr, "%s: the moved items change no number\n", name);
    PaintAndSave(name);
}

// A game in play that painting found broken: the panic text over the last frame.
void BrokenGame() {
    ResetGame();
    NewGame(7, 8, true, 13);
    GameState.hint = 1;
    GameState.shownPort = 3;
    PaintFrame(Rect32{0, 0, kWidth, kHeight});
    GameState.gamePhase = Broken;
    PaintAndSave("broken");
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    for (int i = 1; i < arguments.size(); ++i) {
        if (arguments[i] == QStringLiteral("--scale") && i + 1 < arguments.size()) {
            scale = arguments[++i].toInt();
        } else if (outputFolder.isEmpty()) {
            outputFolder = arguments[i];
        }
    }
    if (outputFolder.isEmpty() || scale < 1) {
        std::fprintf(stderr, "usage: mirovane-screens OUTPUT_FOLDER [--scale N]\n");
        return 2;
    }
    QDir().mkpath(outputFolder);
    UseQtHost();
    SetDialogActions([](QDialog& dialog) { dialog.reject(); });  // the rules dialog before the demonstration
    SetMessageBoxAnswers([](const AskedMessageBox& box) {
        std::fprintf(stderr, "message box: %s\n", qPrintable(box.text));
        failed = true;
        return Answer::Ok;
    });
    CreateOffscreenBuffer(kWidth, kHeight);

    TitleAt(4, "title_1_flash");
    TitleAt(20, "title_2_ring");
    TitleAt(36, "title_3_band");
    TitleAt(45, "title_4_band_opening");
    FreshGame();
    GameInPlay();
    LearnRules(0, "learn_rules_en");
    LearnRules(1, "learn_rules_fr");
    ExactSolution(0, "end_exact_en");
    ExactSolution(1, "end_exact_fr");
    AcceptedSolution(0, "end_accepted_en");
    AcceptedSolution(1, "end_accepted_fr");
    WrongSolution(0, 1, "end_one_wrong_en");
    WrongSolution(1, 1, "end_one_wrong_fr");
    WrongSolution(0, 3, "end_several_wrong_en");
    WrongSolution(1, 3, "end_several_wrong_fr");
    BrokenGame();

    DestroyOffscreenBuffer();
    return failed ? 1 : 0;
}
