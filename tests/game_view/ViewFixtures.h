#pragma once
// What the table view's tests, the chain picture tool and the redraw benchmark share: an
// in-memory window surface, a game drawn on it, and chains laid out by the real rules.
#include <algorithm>
#include <array>
#include <memory>
#include <numbers>
#include <optional>
#include <random>
#include <vector>

#include "game/Jeusc.h"
#include "game/TableView.h"
#include "platform/Bitmap.h"
#include "platform/Random.h"

namespace viewtest {

// The window's drawing area, kept in memory.
class MemorySurface : public TableSurface {
public:
    MemorySurface(int width, int height) : bitmap(width, height) {}
    platform::Bitmap& Surface() override { return bitmap; }
    void SurfaceChanged() override { ++changes; }
    void PauseBriefly() override { ++pauses; }

    platform::Bitmap bitmap;
    int changes = 0;
    int pauses = 0;
};

// The camera the client starts with, and nine theme colours that differ from each other so
// that a pixel tells which one was used.
inline GameSetup TableSetup() {
    GameSetup s;
    s.TableColor = 0x005500;
    s.DominoesColor = 0xDDFFFF;
    s.DominoesDotsColor = 0x000040;
    s.DominoesBackColor = 0x800000;
    s.DominoesBorderColor = 0x008A8A;
    s.BackDominoesBorder = 0x3C3C3C;
    s.NormalTextColor = 0x008000;
    s.LightedTextColor = 0x00FF00;
    s.SelectedDominoColor = 0x0080FF;
    s.CameraX = 0;
    s.CameraY = -800;
    s.CameraZ = -2200;
    s.CameraAngleX = -std::numbers::pi / 6;
    s.CameraAngleY = -std::numbers::pi;
    return s;
}

// A game with a table view over an in-memory surface of the given size. The view is set up
// and has drawn once, as after construction in the client.
struct ViewGame {
    ViewGame(int width, int height, const GameSetup& setup = TableSetup())
        : surface(width, height),
          game(std::make_unique<Jeu>(std::make_unique<TableView>(surface), setup)),
          view(static_cast<TableView*>(game->View())) {
        // Where the first lead puts the chain on the window.
        game->ChainOriginX = width / 2;
        game->ChainOriginY = 60;
    }
    MemorySurface surface;
    std::unique_ptr<Jeu> game;
    TableView* view;
};

inline DominoJoue MoveOf(int a, int b, int end) {
    DominoJoue m;
    m.Tile.Value1 = a;
    m.Tile.Value2 = b;
    m.End = end;
    return m;
}

// `count` legal moves (1..28) from a fresh set, opening with 6-6: each further tile matches
// the end it goes to, the ends alternating where they can so that both arms grow. The same
// seed gives the same chain; empty if no such chain was found.
inline std::vector<DominoJoue> LegalChain(int count, unsigned seed) {
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        std::mt19937 rng(seed * 1000 + attempt);
        std::vector<std::pair<int, int>> pool;
        for (int a = 0; a <= 6; ++a)
            for (int b = 0; b < a; ++b) pool.push_back(rng() % 2 ? std::pair{a, b} : std::pair{b, a});
        for (int a = 0; a < 6; ++a) pool.push_back({a, a});
        std::shuffle(pool.begin(), pool.end(), rng);

        std::vector<DominoJoue> moves{MoveOf(6, 6, LeftEndSide)};
        int ends[2] = {6, 6};  // left, right
        int side = RightEndSide;
        while (static_cast<int>(moves.size()) < count) {
            bool placed = false;
            for (int tries = 0; tries < 2 && !placed; ++tries, side = 1 - side) {
                auto it = std::find_if(pool.begin(), pool.end(), [&](auto t) {
                    return t.first == ends[side] || t.second == ends[side];
                });
                if (it == pool.end()) continue;
                ends[side] = it->first == ends[side] ? it->second : it->first;
                moves.push_back(MoveOf(it->first, it->second, side));
                pool.erase(it);
                placed = true;
            }
            if (!placed) break;
        }
        if (static_cast<int>(moves.size()) == count) return moves;
    }
    return {};
}

// A round of three computer seats played by the rules from a fixed seed, stopped at the
// first turn after which both arms have turned both corners and laid a tile on the way back,
// while every seat still holds tiles.
struct LongRound {
    unsigned seed = 0;
    std::vector<DominoJoue> moves;            // in play order, as handed to PlaceDomino
    std::array<std::vector<Domino>, 3> hands;  // what the seats hold at that point
    int seatToMove = 0;
};

inline std::optional<LongRound> PlayLongRound(const GameSetup& setup, unsigned seed) {
    platform::SetFixedSeed(seed);
    struct Unfix {
        ~Unfix() { platform::ClearFixedSeed(); }
    } unfix;
    Jeu game(nullptr, setup);
    game.Seats[1] = Joueur::CreateComputer("players/" + setup.ProfileFiles[1], 1, setup.UseRules);
    game.ResetScores();
    game.Deal();
    game.FirstLead();
    bool back[2] = {false, false};
    for (int step = 0; step < 200 && !game.RoundOver; ++step) {
        const int dirs[2] = {game.LeftDirection, game.RightDirection};
        const int before = game.PlayedCount();
        game.TurnStep();
        if (game.PlayedCount() > before && dirs[game.Played.back().End] == 2)
            back[game.Played.back().End] = true;
        if (back[0] && back[1]) {
            if (game.RoundOver) return std::nullopt;
            LongRound r;
            r.seed = seed;
            for (DominoJoue m : game.Played) {
                m.Tile.LayoutX = m.Tile.LayoutY = m.Tile.Orientation = 0;
                r.moves.push_back(m);
            }
            for (int s = 0; s < 3; ++s)
                r.hands[s].assign(game.Seats[s].Hand.begin(),
                                  game.Seats[s].Hand.begin() + game.Seats[s].HandCount);
            r.seatToMove = game.SeatToMove;
            return r;
        }
    }
    return std::nullopt;
}

// The first seed from `first` on (up to `tries` of them) whose round is a long one.
inline std::optional<LongRound> FindLongRound(const GameSetup& setup, unsigned first, int tries) {
    for (int i = 0; i < tries; ++i)
        if (auto r = PlayLongRound(setup, first + static_cast<unsigned>(i))) return r;
    return std::nullopt;
}

// Lays the moves out on the view game's table, one PlaceDomino each (each redraws), and
// gives the seats the hands.
inline void LayOut(ViewGame& vg, const std::vector<DominoJoue>& moves) {
    for (const DominoJoue& m : moves) vg.game->PlaceDomino(m);
}
inline void GiveHands(Jeu& game, const std::array<std::vector<Domino>, 3>& hands) {
    for (int s = 0; s < 3; ++s) {
        game.Seats[s].ClearHand();
        for (const Domino& d : hands[s]) game.Seats[s].AddDomino(d);
    }
}

} // namespace viewtest
