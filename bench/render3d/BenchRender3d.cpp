#include <benchmark/benchmark.h>

#include "ChainScene.h"
#include "game_view/ViewFixtures.h"
#include "render3d/Raster.h"
#include "render3d/Render.h"

namespace {

// Clearing a frame: the bitmap filled with the table colour and the depth buffer zeroed,
// at the sizes the table view gives them for a window of width x height.
void BM_ClearBuffers(benchmark::State& state) {
    render3d::RenderTarget target;
    chainscene::SetUpView(target, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    target.RenderBitmap.GetCanvas().SetBrushColor(0x206020);
    for (auto _ : state) {
        render3d::ClearBitmap(target);
        target.ClearDepth();
        benchmark::ClobberMemory();
    }
    state.counters["pixels"] = target.RenderBitmap.Width() * target.RenderBitmap.Height();
}
BENCHMARK(BM_ClearBuffers)->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// A full redraw of a 21-tile chain: clear both buffers, then render every model (bodies,
// bars and pips) in creation order.
void BM_RenderBoxes(benchmark::State& state) {
    render3d::RenderTarget target;
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    chainscene::SetUpView(target, w, h);
    chainscene::Scene scene = chainscene::Build(target, w, h);
    target.RenderBitmap.GetCanvas().SetBrushColor(0x206020);
    long drawn = 0;
    for (auto _ : state) {
        render3d::ClearBitmap(target);
        target.ClearDepth();
        render3d::RenderModels(target, scene.models);
        benchmark::ClobberMemory();
    }
    for (int y = 0; y < target.DepthBuffer.Height(); ++y)
        for (int x = 0; x < target.DepthBuffer.Width(); ++x) drawn += target.DepthBuffer[y][x] != 0;
    state.counters["models"] = static_cast<double>(scene.models.size());
    state.counters["covered"] = static_cast<double>(drawn);
}
BENCHMARK(BM_RenderBoxes)->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// The game's full redraw of the table (Jeu::RedrawTable through its TableView): clear both
// buffers, build the models of every tile from its laid-out position, render them in
// creation order and draw the render bitmap on the window surface. The chain is 21 legal
// moves laid out by the rules' PlaceDomino, with the client's starting camera.
void BM_RedrawTable(benchmark::State& state) {
    const int w = static_cast<int>(state.range(0)), h = static_cast<int>(state.range(1));
    viewtest::ViewGame vg(w, h);
    const std::vector<DominoJoue> chain = viewtest::LegalChain(21, 7);
    if (chain.size() != 21) {
        state.SkipWithError("no 21-tile chain");
        return;
    }
    viewtest::LayOut(vg, chain);
    for (auto _ : state) {
        vg.game->RedrawTable();
        benchmark::ClobberMemory();
    }
    state.counters["tiles"] = static_cast<double>(vg.game->PlayedCount());
    state.counters["models"] = static_cast<double>(vg.view->Models.size());
}
BENCHMARK(BM_RedrawTable)->Args({1024, 768})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
