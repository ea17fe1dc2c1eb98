#include "game/Joueursc.h"

void Joueur::AddDomino(const Domino& tile) {
    if (static_cast<int>(Hand.size()) > HandCount) Hand.resize(HandCount);
    Hand.push_back(tile);
    ++HandCount;
}

Domino Joueur::removeFromHand(int index) {
    Domino tile = Hand[index];
    for (int i = index; i + 1 < HandCount; ++i) Hand[i] = Hand[i + 1];
    --HandCount;
    return tile;
}

DominoJoue Joueur::TakeDomino(int index) {
    DominoJoue move;
    if (index < 0 || index >= HandCount) return move;
    const Domino tile = removeFromHand(index);
    move.Tile.Value1 = tile.Value1;
    move.Tile.Value2 = tile.Value2;
    return move;
}

void Joueur::ClearHand() { HandCount = 0; }

bool Joueur::HasFittingTile(int leftEnd, int rightEnd) const {
    for (int i = 0; i < HandCount; ++i)
        if (Hand[i].Fits(leftEnd) || Hand[i].Fits(rightEnd)) return true;
    return false;
}

int Joueur::HandSum() const {
    int sum = 0;
    for (int i = 0; i < HandCount; ++i) sum += Hand[i].PipSum();
    return sum;
}

DominoJoue Joueur::Play(int leftEnd, int rightEnd, const std::vector<DominoJoue>& played) {
    const bool emptyTable = leftEnd == -1 && rightEnd == -1;
    DominoJoue move;

    if (Kind == KindComputer || Kind == KindNetLocal) {
        const int i = ChooseDomino(leftEnd, rightEnd, played);
        if (i < 0 || i >= HandCount) return DominoJoue::Pass();
        ChosenIndex = i;
        if (!emptyTable) move.End = Hand[i].Fits(rightEnd) ? RightEndSide : LeftEndSide;
        move.Tile = removeFromHand(i);
        return move;
    }

    // A user or remote seat with no fitting tile passes without being asked.
    if (!emptyTable && !HasFittingTile(leftEnd, rightEnd)) return DominoJoue::Pass();

    const bool keepsOwnHand = Kind == KindHuman || SeatIndex == 1;
    if (!Chosen) {
        if (keepsOwnHand) Waiting = true;
        return DominoJoue::Waiting();
    }
    Chosen = false;
    Waiting = false;
    if (ChosenIndex < 0 || ChosenIndex >= HandCount) {
        // A choice that points outside the hand is dropped; the seat is asked again.
        if (keepsOwnHand) Waiting = true;
        return DominoJoue::Waiting();
    }
    move.End = ChosenEnd == RightEndSide ? RightEndSide : LeftEndSide;
    if (keepsOwnHand) {
        move.Tile = removeFromHand(ChosenIndex);
    } else {
        // The network game keeps this seat's hand itself.
        move.Tile = Hand[ChosenIndex];
    }
    return move;
}
