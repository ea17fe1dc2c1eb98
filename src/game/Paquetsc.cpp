#include "game/Paquetsc.h"

#include <utility>

#include "platform/Random.h"

Paquet::Paquet() {
    Tiles.reserve(FullCount);
    for (int j = 0; j <= 6; ++j)
        for (int k = 0; k <= j; ++k) {
            Domino d;
            d.Value1 = j;
            d.Value2 = k;
            Tiles.push_back(d);
        }
}

void Paquet::Shuffle() {
    platform::Randomize();
    // Every position is visited; the swap target is drawn from the first 27 places only.
    for (int i = 0; i < FullCount; ++i) {
        const int r = platform::RandomInt(27);
        std::swap(Tiles[i], Tiles[r]);
    }
}

Domino Paquet::DrawDomino() {
    if (Count <= 0) return Domino{};
    Domino first = Tiles[0];
    for (int i = 0; i + 1 < Count; ++i) Tiles[i] = Tiles[i + 1];
    --Count;
    return first;
}
