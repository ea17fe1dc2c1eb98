// The chain is laid out as a snake: from the first tile two arms grow, each running
// straight, turning a corner and coming back, with doubles set crosswise. Positions are in
// model units of ModelTileSize (S); tiles in a row are 30 units apart.
#include "game/Jeusc.h"

namespace {
constexpr int Gap = 30;
int trunc(double v) { return static_cast<int>(v); }
} // namespace

void Jeu::PlaceDomino(const DominoJoue& move) {
    Played.push_back(move);
    Domino& tile = Played.back().Tile;
    const double S = ModelTileSize;

    // The opening double sits across the middle of the table. The coordinates alone can
    // come back to the opening's values late in a long round, so the test also asks for the
    // round's first tile; otherwise a late double would reset both ends.
    if (PlayedCount() == 1 && LeftArmX == 0 && RightArmY == 0 && tile.IsDouble()) {
        tile.LayoutX = 0;
        tile.LayoutY = 0;
        tile.Orientation = 1;
        LeftArmX -= trunc(3 * S / 4);
        RightArmX += trunc(3 * S / 4);
        LeftEnd = tile.Value1;
        RightEnd = tile.Value2;
        RightArmX += Gap;
        LeftArmX -= Gap;
    } else if (move.End == RightEndSide) {
        LayOutRight(tile);
    } else {
        LayOutLeft(tile);
    }
    if (View_) View_->TilePlaced(*this, tile);
}

void Jeu::LayOutRight(Domino& tile) {
    const double S = ModelTileSize;
    int& x = RightArmX;
    int& y = RightArmY;
    int& dir = RightDirection;
    auto store = [&](int orientation) {
        tile.LayoutX = x;
        tile.LayoutY = y;
        tile.Orientation = orientation;
    };

    if (tile.IsDouble()) {
        if (dir == 1) {
            y -= trunc(S / 4);
            store(0);
            y -= trunc(S / 4);
        } else {
            const int step = dir == 0 ? -trunc(S / 4) : trunc(S / 4);
            x += step;
            store(1);
            x += step;
        }
        RightEnd = tile.Value1;
    } else if (tile.Value1 == RightEnd) {
        store(dir);
        RightEnd = tile.Value2;
    } else {
        store(dir == 0 ? 2 : dir == 2 ? 0 : 3);
        RightEnd = tile.Value1;
    }

    const int advance = trunc(S) + Gap;
    if (dir == 0) x += advance;
    else if (dir == 1) y += advance;
    else x -= advance;

    if (tile.LayoutX >= trunc(11 * S / 4) && tile.LayoutY == 0) {
        x = trunc(x - S / 4);
        y = trunc(y + S / 4);
        if (tile.IsDouble()) {
            const int lx = tile.LayoutX, ly = tile.LayoutY;
            tile.LayoutX = trunc(lx - S / 2);
            tile.LayoutY = trunc(ly + S / 2);
            tile.Orientation = 0;
            x = tile.LayoutX;
            y = tile.LayoutY + trunc(3 * S / 4);
        }
        dir = 1;
    }
    if (tile.LayoutY >= 3 * S && tile.LayoutX >= trunc(11 * S / 4) && tile.Orientation == 1 &&
        !tile.IsDouble()) {
        x = trunc(x - 3 * S / 4);
        y = trunc(y - 3 * S / 4);
        dir = 2;
    }
    if (PlayedCount() == 1) {
        LeftArmX = trunc(LeftArmX - S);
        LeftEnd = tile.Value2;
    }
}

void Jeu::LayOutLeft(Domino& tile) {
    const double S = ModelTileSize;
    int& x = LeftArmX;
    int& y = LeftArmY;
    int& dir = LeftDirection;
    auto store = [&](int orientation) {
        tile.LayoutX = x;
        tile.LayoutY = y;
        tile.Orientation = orientation;
    };

    if (tile.IsDouble()) {
        if (dir == 3) {
            y -= trunc(S / 4);
            store(0);
            y -= trunc(S / 4);
        } else {
            const int step = dir == 0 ? trunc(S / 4) : -trunc(S / 4);
            x += step;
            store(1);
            x += step;
        }
        LeftEnd = tile.Value1;
    } else if (tile.Value2 == LeftEnd) {
        store(dir);
        LeftEnd = tile.Value1;
    } else {
        store(dir == 0 ? 2 : dir == 2 ? 0 : 1);
        LeftEnd = tile.Value2;
    }

    const int advance = trunc(S) + Gap;
    if (dir == 0) x -= advance;
    else if (dir == 3) y += advance;
    else x += advance;

    if (tile.LayoutX < trunc(-11 * S / 4) && tile.LayoutY == 0) {
        x = trunc(x + S / 4);
        y = trunc(y + S / 4);
        if (tile.IsDouble()) {
            const int lx = tile.LayoutX, ly = tile.LayoutY;
            tile.LayoutX = trunc(lx + S / 2);
            tile.LayoutY = trunc(ly + S / 2);
            tile.Orientation = 0;
            x = tile.LayoutX;
            y = tile.LayoutY + trunc(3 * S / 4);
        }
        dir = 3;
    }
    if (tile.LayoutY >= 2 * S && tile.LayoutX < trunc(-11 * S / 4) && tile.Orientation == 1 &&
        !tile.IsDouble()) {
        x = trunc(x + 3 * S / 4);
        y = trunc(y - 3 * S / 4);
        dir = 2;
    }
    if (PlayedCount() == 1) {
        RightArmX = trunc(RightArmX + S);
        RightEnd = tile.Value1;
    }
}
