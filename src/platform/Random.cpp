#include "Random.h"

#include <chrono>
#include <random>

namespace platform {
namespace {
struct Source {
    std::mt19937 engine{std::random_device{}()};
    bool fixed = false;
};
Source& source() {
    static Source s;
    return s;
}
} // namespace

void Randomize() {
    Source& s = source();
    if (s.fixed) return;
    const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    std::seed_seq seq{static_cast<std::uint32_t>(now), static_cast<std::uint32_t>(now >> 32),
                      static_cast<std::uint32_t>(std::random_device{}())};
    s.engine.seed(seq);
}

int RandomInt(int n) {
    if (n <= 0) return 0;
    std::uniform_int_distribution<int> dist(0, n - 1);
    return dist(source().engine);
}

void SetFixedSeed(std::uint32_t seed) {
    source().engine.seed(seed);
    source().fixed = true;
}

void ClearFixedSeed() { source().fixed = false; }

} // namespace platform
