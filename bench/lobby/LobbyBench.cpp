// The lobby's reply readers on a full user list, and one blocking fetch on loopback (the
// time the window thread is held by a game-start notice when the site answers at once).
#include <benchmark/benchmark.h>

#include "lobby/GetInetFile.h"
#include "lobby/Replies.h"
#include "support/TestHttpServer.h"

namespace {

void BM_ReadUserList(benchmark::State& state) {
    std::string reply = "*03:";
    for (int i = 0; i < state.range(0); ++i)
        reply += "#user" + std::to_string(i) + " (C);user" + std::to_string(i) +
                 ";FR;Cl;fr;14:02;10.0.0." + std::to_string(i % 250) + ";" + std::to_string(5000 + i) + ";";
    reply += "*";
    for (auto _ : state) benchmark::DoNotOptimize(lobby::ReadUserList(reply).Records.size());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(reply.size()));
}
BENCHMARK(BM_ReadUserList)->Arg(10)->Arg(1000);

void BM_GetInetFileLoopback(benchmark::State& state) {
    TestHttpServer server([](const std::string&) { return TestHttpServer::Answer("*04:ok"); });
    lobby::InetOptions options;
    options.Proxy = platform::HttpProxyAddress{};
    std::string reply;
    for (auto _ : state) {
        if (!lobby::GetInetFile(server.Url() + "all/page0.php?req=04&wtype=7", reply, options))
            state.SkipWithError("fetch failed");
    }
}
BENCHMARK(BM_GetInetFileLoopback)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
