#include "client/Voices.h"

#include <algorithm>

#include "game/Jeusc.h"
#include "platform/Random.h"
#include "platform/TextFile.h"

namespace client {

namespace {
int random(int n) { return platform::RandomInt(n); }
int mediaCount(const Jeu& game, int seat, int block) { return game.Seats[seat].MediaCount(block); }
} // namespace

void Voices::EmetSon(int kind, const std::string& file) {
    if (!enabled() || kind < 0 || kind > 2 || file.empty() || !players_[kind]) return;
    if (!platform::FileExists(file)) return;
    players_[kind]->Play(file);
}

void Voices::say(const Jeu& game, int seat, int block, int k) {
    if (seat < 0 || seat > 2) return;
    if (k >= 0 && k < mediaCount(game, seat, block)) EmetSon(seat, game.Seats[seat].Media[block][k]);
}

void Voices::DireDebuterPartie(const Jeu& game) {
    if (!enabled()) return;
    platform::Randomize();
    for (int s = 0; s < 3; ++s) {
        const int n = mediaCount(game, s, 0);
        if (n > 0) say(game, s, 0, random(n + 1));
    }
}

void Voices::DireDomino(const Jeu& game) {
    if (!enabled()) return;
    platform::Randomize();
    const int p = (game.SeatToMove + 2) % 3;
    const int n = mediaCount(game, p, 1);
    if (n > 0) say(game, p, 1, random(n));
}

void Voices::DireBouder(const Jeu& game) {
    if (!enabled()) return;
    platform::Randomize();
    const int p = (game.SeatToMove + 2) % 3;
    const int n = mediaCount(game, p, 2);
    if (n > 0) say(game, p, 2, random(n));
}

void Voices::DireComment(const Jeu& game) {
    if (!enabled()) return;
    platform::Randomize();
    if (random(5) > 2) {
        const int q = random(3);
        const int n = mediaCount(game, q, 4);
        if (n > 0) say(game, q, 4, random(n + 500));
    } else {
        const int q = random(3);
        const int n = mediaCount(game, q, 3);
        if (n > 0) say(game, q, 3, random(n + 400));
    }
}

void Voices::winnersOrOthers(const Jeu& game, int won, int reaction) {
    if (random(5) > 2) {
        std::vector<int> others;
        for (int s = 0; s < 3; ++s)
            if (std::find(game.Winners.begin(), game.Winners.end(), s) == game.Winners.end())
                others.push_back(s);
        if (others.empty()) return;
        const int seat = others[random(static_cast<int>(others.size()))];
        const int n = mediaCount(game, seat, reaction);
        if (n >= 1) say(game, seat, reaction, random(n));
    } else {
        if (game.Winners.empty()) return;
        const int seat = game.Winners[random(static_cast<int>(game.Winners.size()))];
        const int n = mediaCount(game, seat, won);
        if (n >= 1) say(game, seat, won, random(n));
    }
}

void Voices::DireGagnerManche(const Jeu& game) {
    if (!enabled()) return;
    platform::Randomize();
    winnersOrOthers(game, 5, 6);
}

void Voices::DireUnCochon(const Jeu& game) {
    if (!enabled()) return;
    platform::Randomize();
    winnersOrOthers(game, 7, 8);
}

void Voices::DireDeuxCochons(const Jeu& game) {
    if (!enabled()) return;
    platform::Randomize();
    const int seat = game.SeatToMove;
    const int n = mediaCount(game, seat, 9);
    if (n > 0) say(game, seat, 9, random(n + 1));
}

} // namespace client
