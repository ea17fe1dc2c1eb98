// The computer seats' decision: the profile's rule lists applied as filters over the
// playable tiles until a rule picks one.
#include <algorithm>
#include <functional>

#include "game/Joueursc.h"
#include "platform/Random.h"

namespace {

using Candidates = std::vector<int>;

struct Context {
    const Joueur& seat;
    int L;
    int R;
    const std::vector<DominoJoue>& played;
    const Domino& tile(int i) const { return seat.Hand[i]; }
};

// A filter never empties the candidates: where it finds nothing they stay as they were.
void keepIfAny(Candidates& K, Candidates kept) {
    if (!kept.empty()) K = std::move(kept);
}

Candidates fitting(const Context& c, const Candidates& K, int end) {
    Candidates out;
    for (int i : K)
        if (c.tile(i).Fits(end)) out.push_back(i);
    return out;
}

// Keeps the candidates whose score is the highest (or lowest).
void keepExtreme(Candidates& K, const std::function<int(int)>& score, bool highest) {
    if (K.empty()) return;
    int best = score(K.front());
    for (int i : K) best = highest ? std::max(best, score(i)) : std::min(best, score(i));
    Candidates out;
    for (int i : K)
        if (score(i) == best) out.push_back(i);
    keepIfAny(K, std::move(out));
}

int handShareCount(const Context& c, int i) {
    int n = 0;
    for (int j = 0; j < c.seat.HandCount; ++j)
        if (c.tile(i).SharesValueWith(c.seat.Hand[j])) ++n;
    return n;
}

int playedShareCount(const Context& c, int i) {
    int n = 0;
    for (const DominoJoue& m : c.played)
        if (c.tile(i).SharesValueWith(m.Tile)) ++n;
    return n;
}

int playedCountOf(const Context& c, int end) {
    int n = 0;
    for (const DominoJoue& m : c.played)
        if (m.Tile.Fits(end)) ++n;
    return n;
}

// Splits the candidates by end. Equal groups: the left group followed by the right one,
// so a tile that fits both ends stands in the list twice.
void keepGroupBySize(const Context& c, Candidates& K, bool larger) {
    Candidates right = fitting(c, K, c.R);
    Candidates left = fitting(c, K, c.L);
    const auto r = right.size(), l = left.size();
    if (r != l) {
        keepIfAny(K, (r > l) == larger ? std::move(right) : std::move(left));
        return;
    }
    left.insert(left.end(), right.begin(), right.end());
    keepIfAny(K, std::move(left));
}

// Picks the double of highest (or lowest) value; no effect without a double.
int pickDouble(const Context& c, const Candidates& K, bool highest) {
    int chosen = -1;
    for (int i : K) {
        if (!c.tile(i).IsDouble()) continue;
        if (chosen < 0 || (highest ? c.tile(i).Value1 > c.tile(chosen).Value1
                                   : c.tile(i).Value1 < c.tile(chosen).Value1))
            chosen = i;
    }
    return chosen;
}

// Applies one rule. Returns the picked hand index, or -1 when the rule only filtered.
int applyRule(const Context& c, const std::string& rule, Candidates& K) {
    if (rule == "&biggestDouble" || rule == "&smallestDouble")
        return pickDouble(c, K, rule == "&biggestDouble");
    if (rule == "&biggestDomino" || rule == "&smallestDomino") {
        keepExtreme(K, [&](int i) { return c.tile(i).PipSum(); }, rule == "&biggestDomino");
        return -1;
    }
    if (rule == "&onBiggestEnd") {
        keepIfAny(K, fitting(c, K, c.R > c.L ? c.R : c.L));
        return -1;
    }
    if (rule == "&onSmallestEnd") {
        keepIfAny(K, fitting(c, K, c.R < c.L ? c.R : c.L));
        return -1;
    }
    if (rule == "&onEndHasMost" || rule == "&onEndHasLeast") {
        keepGroupBySize(c, K, rule == "&onEndHasMost");
        return -1;
    }
    if (rule == "&endHasMost" || rule == "&endHasLeast") {
        keepExtreme(K, [&](int i) { return handShareCount(c, i); }, rule == "&endHasMost");
        return -1;
    }
    if (rule == "&onMostPlayedEnd" || rule == "&onLeastPlayedEnd") {
        const int onLeft = playedCountOf(c, c.L), onRight = playedCountOf(c, c.R);
        const bool useLeft = rule == "&onMostPlayedEnd" ? onLeft > onRight : onLeft < onRight;
        keepIfAny(K, fitting(c, K, useLeft ? c.L : c.R));
        return -1;
    }
    if (rule == "&mostPlayedEnd" || rule == "&leastPlayedEnd") {
        keepExtreme(K, [&](int i) { return playedShareCount(c, i); }, rule == "&mostPlayedEnd");
        return -1;
    }
    if (rule == "&jamGame") {
        Candidates last;
        for (int i : K) {
            const Domino& t = c.tile(i);
            if ((t.Value1 == c.L && t.Value2 == c.R) || (t.Value1 == c.R && t.Value2 == c.L))
                last = {i};
        }
        keepIfAny(K, std::move(last));
        return -1;
    }
    // "&anything" and every other text: a random candidate.
    platform::Randomize();
    return K[platform::RandomInt(static_cast<int>(K.size()))];
}

} // namespace

int Joueur::ChooseDomino(int leftEnd, int rightEnd, const std::vector<DominoJoue>& played) const {
    const bool emptyTable = leftEnd == -1 && rightEnd == -1;
    Context c{*this, leftEnd, rightEnd, played};

    Candidates K;
    for (int i = 0; i < HandCount; ++i)
        if (emptyTable || Hand[i].Fits(leftEnd) || Hand[i].Fits(rightEnd)) K.push_back(i);
    if (K.empty()) return -1;

    int list = 0;
    if (!emptyTable) {
        const int n = HandCount;
        if (n <= ThinkThresholds[1]) list = 1;
        else if (n > ThinkThresholds[0]) list = 3;
        else list = 2;
    }

    for (const std::string& rule : Rules[list]) {
        if (K.empty()) break;
        const int picked = applyRule(c, UseRules ? rule : std::string("&anything"), K);
        if (picked >= 0) return picked;
    }
    return -1;
}
