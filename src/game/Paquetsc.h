#pragma once
#include <vector>

#include "game/Dominosc.h"

// The double-six set: 28 tiles in build order 0-0; 1-0, 1-1; ... 6-6, shuffled before each
// deal and drawn from the front.
class Paquet {
public:
    static constexpr int FullCount = 28;

    Paquet();

    void Shuffle();
    Domino DrawDomino();

    int Count = FullCount;
    int TileSize = 48;           // pixels per tile in the flat views
    std::vector<Domino> Tiles;   // the first Count entries are in the set
};
