#pragma once

// One tile, and one answer of a seat: a tile on a chain end, a pass, or no move yet.

struct Domino {
    int Value1 = 0;       // first pip value, 0..6
    int Value2 = 0;       // second pip value, 0..6
    int LayoutX = 0;      // tile centre along the chain's first row, model units, from the chain origin
    int LayoutY = 0;      // tile centre across the first row
    int Orientation = 0;  // 0..3: 1 and 3 lie across the x axis; 2 and 3 show the values swapped

    bool IsDouble() const { return Value1 == Value2; }
    int PipSum() const { return Value1 + Value2; }
    bool Fits(int end) const { return Value1 == end || Value2 == end; }
    // Any of the four value pairs equal.
    bool SharesValueWith(const Domino& other) const {
        return Value1 == other.Value1 || Value1 == other.Value2 || Value2 == other.Value1 ||
               Value2 == other.Value2;
    }
};

enum ChainEnd : int { LeftEndSide = 0, RightEndSide = 1 };

struct DominoJoue {
    Domino Tile;             // the tile played
    int End = LeftEndSide;   // 0 left, 1 right
    bool Passed = false;     // the seat passes ("sulks"); no tile
    bool NoMoveYet = false;  // the seat has not chosen yet; the turn stays with it

    static DominoJoue Pass() {
        DominoJoue m;
        m.Passed = true;
        return m;
    }
    static DominoJoue Waiting() {
        DominoJoue m;
        m.NoMoveYet = true;
        return m;
    }
    bool IsTile() const { return !Passed && !NoMoveYet; }
};
