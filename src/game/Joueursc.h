#pragma once
#include <array>
#include <string>
#include <vector>

#include "game/Dominosc.h"

// One seat at the table: its kind, its hand, what its player profile gives it, and the slots
// through which the mouse or the network hands in the seat's next move.
class Joueur {
public:
    enum Kinds : int {
        KindComputer = 0,  // computer seat of a local game
        KindHuman = 1,     // the local user in a local game
        KindRemote = 2,    // a seat of a network game whose moves come from outside
        KindNetLocal = 3,  // the computer seat of a network game
    };
    static constexpr int MediaBlocks = 10;
    static constexpr int MaxMediaEntries = 10;
    static constexpr int RuleLists = 4;
    static constexpr int MaxRules = 9;

    // Media blocks, in file order.
    enum MediaEvent : int {
        MediaGameBegins = 0,
        MediaTilePlayed = 1,
        MediaPass = 2,
        MediaComment1 = 3,
        MediaComment2 = 4,
        MediaRoundWon1 = 5,
        MediaRoundWon2 = 6,
        MediaOnePig1 = 7,
        MediaOnePig2 = 8,
        MediaTwoPigs = 9,
    };

    // The constructors read "players/" + the profile file name, relative to the current
    // directory (the program's folder); an unreadable profile gives the built-in defaults.
    static Joueur CreateComputer(const std::string& profilePath, int seatIndex, bool useRules);
    static Joueur CreateHuman(const std::string& profilePath, int seatIndex, bool useRules);
    static Joueur CreateRemote(const std::string& profilePath, const std::string& name,
                               const std::string& address, int seatIndex, bool useRules);
    static Joueur CreateNetLocal(const std::string& profilePath, const std::string& name,
                                 const std::string& address, int seatIndex, bool useRules);

    void AddDomino(const Domino& tile);
    DominoJoue TakeDomino(int index);
    void ClearHand();
    // Answers a turn: a tile on an end, a pass, or no move yet. Both ends -1: empty table.
    DominoJoue Play(int leftEnd, int rightEnd, const std::vector<DominoJoue>& played);
    // The computer's decision: a hand index, or -1 to pass.
    int ChooseDomino(int leftEnd, int rightEnd, const std::vector<DominoJoue>& played) const;

    bool HasFittingTile(int leftEnd, int rightEnd) const;
    int HandSum() const;
    int MediaCount(int block) const { return static_cast<int>(Media[block].size()); }
    int RuleCount(int list) const { return static_cast<int>(Rules[list].size()); }

    int HandCount = 0;
    std::string Name;
    std::string Description;
    std::string PicturePath;   // "players/" + folder + "/" + picture file; empty when unreadable
    int Kind = KindComputer;
    int ProfileNumber = 0;
    std::string Folder;
    int SeatIndex = 0;
    std::string SeatAddress;
    bool Waiting = false;
    bool Chosen = false;
    int ChosenEnd = 0;
    int ChosenIndex = 0;
    std::vector<Domino> Hand;  // the first HandCount entries are the hand
    std::array<std::vector<std::string>, MediaBlocks> Media;
    std::array<std::vector<std::string>, RuleLists> Rules;
    std::array<int, 2> ThinkThresholds{0, 0};
    bool UseRules = true;

private:
    Domino removeFromHand(int index);
};
