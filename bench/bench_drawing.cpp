// The drawing that a full game frame repeats most: item sprites, port numbers and box rectangles,
// into the 240 x 268 off-screen buffer.
#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "model/game_state.h"
#include "seam/host.h"
#include "core/render/offscreen.h"
#include "platform/qt/main_frame.h"

namespace {

// An 8 x 8 board: 64 cells with every item code in turn, some highlighted as at the end of a game.
void DrawCells(DeviceContext& dc) {
    for (int i = 0; i < 64; ++i) {
        const int x = 50 + 20 * (i % 8);
        const int y = 65 + 20 * (i / 8);
        DrawItemSprite(dc, x, y, i % 9, i % 5 == 0 ? Highlight : CellSprite);
    }
}

// 32 port boxes' two-digit counts, from the digit strip as the port labels draw them.
void DrawCounts(DeviceContext& dc) {
    const Bitmap strip = LoadBitmapW(120);
    const Bitmap replaced = Offscreen.sourceDC.SelectBitmap(strip);
    for (int i = 0; i < 32; ++i) {
        const int x = 30 + 20 * (i % 8);
        const int y = 20 + 60 * (i / 8);
        DrawNumber(dc, x, y, x + 21, y + 21, static_cast<int16_t>(10 + 3 * i % 90));
    }
    Offscreen.sourceDC.SelectBitmap(replaced);
}

// 100 board and port boxes: white outlines, purple insides.
void DrawBoxes(DeviceContext& dc) {
    for (int i = 0; i < 100; ++i) {
        const int x = 20 * (i % 10) + 10;
        const int y = 20 * (i / 10) + 40;
        dc.Rectangle(x, y, x + 21, y + 21);
    }
}

void PrepareBuffer() {
    CreateOffscreenBuffer(240, 268);
    DeviceContext& dc = Offscreen.bufferDC;
    dc.SelectPen(CreatePen(1, rgb(255, 255, 255)));
    dc.SelectBrush(CreateSolidBrush(rgb(128, 0, 128)));
    dc.SetTextColor(rgb(0, 0, 0));
}

void BM_Frame(benchmark::State& state) {
    PrepareBuffer();
    DeviceContext& dc = Offscreen.bufferDC;
    for (auto _ : state) {
        DrawBoxes(dc);
        DrawCells(dc);
        DrawCounts(dc);
        benchmark::DoNotOptimize(dc.Image().constBits());
    }
    DestroyOffscreenBuffer();
}

void BM_Sprites(benchmark::State& state) {
    PrepareBuffer();
    for (auto _ : state) DrawCells(Offscreen.bufferDC);
    DestroyOffscreenBuffer();
}

void BM_Numbers(benchmark::State& state) {
    PrepareBuffer();
    for (auto _ : state) DrawCounts(Offscreen.bufferDC);
    DestroyOffscreenBuffer();
}

void BM_Rectangles(benchmark::State& state) {
    PrepareBuffer();
    for (auto _ : state) DrawBoxes(Offscreen.bufferDC);
    DestroyOffscreenBuffer();
}

BENCHMARK(BM_Frame)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Sprites)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Numbers)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_Rectangles)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    UseQtHost();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
