// Cost of painting: a full frame of an 8 x 8 game in play with a ray shown, the clock tick's repaint
// of the clock strip alone, and one frame of the title animation at a few moments.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <random>

#include "core/face.h"
#include "core/render/offscreen.h"
#include "core/render/paint.h"
#include "core/title/title_screen.h"
#include "model/game_state.h"
#include "model/model.h"
#include "model/random.h"
#include "platform/qt/main_frame.h"
#include "platform/qt/qt_bitmap.h"
#include "platform/qt/services.h"

namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 268;

uint32_t SeededRandom(void* context) {
    return static_cast<uint32_t>((*static_cast<std::mt19937*>(context))());
}

// An 8 x 8 puzzle of 13 items with the wormhole pair; the player has placed half of them, one wrong,
// the clock runs and hints show the ray of a port.
void SetUpGameInPlay() {
    GameState = GameRecord{};
    std::mt19937 engine(8);
    SetRandomSource(&SeededRandom, &engine);
    GameState.damier = 8;
    GameState.items = 13;
    GameState.usereflect = 1;
    GameState.useabsorbed = 1;
    GameState.useworm = 1;
    GeneratePuzzle();
    SetRandomSource(nullptr, nullptr);
    int placed = 0;
    for (int cell = 0; cell < 64 && placed < 6; ++cell) {
        const int16_t item = GameState.hiddenBoard[cell];
        if (item >= SlashMirror && item <= TotalReflector) {
            GameState.playerBoard[cell] = placed == 0 ? static_cast<int16_t>(TotalReflector) : item;
            ++placed;
        }
    }
    GameState.placedCount = placed;
    GameState.hint = 1;
    GameState.shownPort = 3;
    GameState.moveCount = 12;
    GameState.gameStartTick = 1000;
    GameState.lastTick = 61300;
}

void BM_FullRepaintOfAGameInPlayWithARay(benchmark::State& state) {
    SetUpGameInPlay();
    const Rect32 whole{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        PaintFrame(whole);
        benchmark::DoNotOptimize(Offscreen.bufferDC.Image().constBits());
    }
}
BENCHMARK(BM_FullRepaintOfAGameInPlayWithARay);

// What the window does at zoom k: the full frame, then the buffer scaled k times into the client area.
void BM_FullRepaintAtZoom(benchmark::State& state) {
    SetUpGameInPlay();
    const int zoom = static_cast<int>(state.range(0));
    ClientArea area(nullptr);
    area.resize(area.SizeForZoom(zoom));
    QImage window(area.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        area.render(&window);
        benchmark::DoNotOptimize(window.constBits());
    }
}
BENCHMARK(BM_FullRepaintAtZoom)->Arg(1)->Arg(3);

void BM_ClockOnlyRepaint(benchmark::State& state) {
    SetUpGameInPlay();
    PaintFrame(Rect32{0, 0, kWidth, kHeight});
    const Rect32 clock{150, 0, 240, 15};
    for (auto _ : state) {
        GameState.lastTick += 100;
        PaintFrame(clock);
        benchmark::DoNotOptimize(Offscreen.bufferDC.Image().constBits());
    }
}
BENCHMARK(BM_ClockOnlyRepaint);

// One animated frame at period t: 4 the largest flash, 20 the ring, 36 the water band.
void BM_TitleFrame(benchmark::State& state) {
    GameState = GameRecord{};
    const auto t = static_cast<uint32_t>(state.range(0));
    uint32_t now = 70000;
    SetTickSource([&now] { return now; });
    GameState.titleStartTick = now;
    DrawTitleFrame();
    DrawTitleFrame();  // the set-up frame
    now += 60 * t;
    for (auto _ : state) {
        GameState.titleFrame = 2;  // every round draws an animated frame
        DrawTitleFrame();
        benchmark::DoNotOptimize(Offscreen.bufferDC.Image().constBits());
    }
    SetTickSource({});
}
BENCHMARK(BM_TitleFrame)->Arg(4)->Arg(20)->Arg(36);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    UseQtHost();
    SetMessageBoxAnswers([](const AskedMessageBox&) { return Answer::Ok; });
    CreateOffscreenBuffer(kWidth, kHeight);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DestroyOffscreenBuffer();
    return 0;
}
