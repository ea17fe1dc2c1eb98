#pragma once
#include <cctype>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "game/Joueursc.h"

inline Domino D(int a, int b) {
    Domino d;
    d.Value1 = a;
    d.Value2 = b;
    return d;
}

inline void GiveHand(Joueur& seat, const std::vector<std::pair<int, int>>& tiles) {
    seat.ClearHand();
    for (auto [a, b] : tiles) seat.AddDomino(D(a, b));
}

inline DominoJoue Move(int a, int b, int end = LeftEndSide) {
    DominoJoue m;
    m.Tile = D(a, b);
    m.End = end;
    return m;
}

// A computer seat with one rule list for every phase, thresholds that always pick list 1
// on a non-empty table, and no profile behind it.
inline Joueur RuleSeat(std::vector<std::string> rules, bool useRules = true) {
    Joueur seat;
    seat.Kind = Joueur::KindComputer;
    seat.UseRules = useRules;
    for (auto& list : seat.Rules) list = rules;
    seat.ThinkThresholds = {7, 7};
    return seat;
}

// A test name made from a case's description: every character that is not a letter or a
// digit becomes "_".
struct CaseName {
    template <class Info>
    std::string operator()(const Info& info) const {
        std::string n = info.param.name;
        for (char& ch : n)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return n;
    }
};
