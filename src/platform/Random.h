#pragma once
#include <cstdint>

// The program's one pseudo-random source. The game reseeds it from the clock before a
// shuffle or a random choice; tests fix the seed, after which reseeding keeps the
// deterministic stream going instead of reading the clock.
namespace platform {

void Randomize();                 // reseed from the clock (no-op while a test seed is fixed)
int RandomInt(int n);             // uniform integer in [0, n); 0 when n <= 0
void SetFixedSeed(std::uint32_t seed);
void ClearFixedSeed();

} // namespace platform
