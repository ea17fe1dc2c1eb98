// The main window's game-loop tick, repaints included: whole local games with the mouse
// player scripted, reporting the mean and the slowest tick.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <chrono>

#include "client/ClientFixture.h"
#include "client/ScriptedUser.h"

namespace {

void BM_GameTick(benchmark::State& state) {
    ClientWindows windows(true, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    client::AppSettings().CpuSpeed = 12;
    client::TForm1& w = windows.main();
    ScriptedUser user{w};
    double slowest = 0, total = 0;
    long ticks = 0;
    platform::SetFixedSeed(21);
    for (auto _ : state) {
        w.CurrentGame.reset();
        w.NouvellePartieLocal();
        for (int step = 0; step < 5000; ++step) {
            Jeu& g = *w.CurrentGame;
            if (g.GameOver && g.RoundOver && !w.Timer1->isActive()) break;
            if (g.RoundOver && !w.Timer1->isActive()) {
                w.Button1Click();
                continue;
            }
            if (g.SeatToMove == 1 && g.Seats[1].Waiting && !g.Seats[1].Chosen) user.playOnce();
            const auto start = std::chrono::steady_clock::now();
            w.Timer1Timer();
            w.Area->repaint();
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            slowest = std::max(slowest, ms);
            total += ms;
            ++ticks;
        }
    }
    state.counters["slowest_tick_ms"] = slowest;
    state.counters["mean_tick_ms"] = ticks ? total / ticks : 0;
}
BENCHMARK(BM_GameTick)->Args({1024, 768})->Args({1920, 1080})->Iterations(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
