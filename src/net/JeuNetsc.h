#pragma once
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "game/Jeusc.h"
#include "net/GameLine.h"

namespace net {

// What a new network game takes: the settings of a local game (colours, the three profile
// files, textures, camera and the tactic switch the seats are built with) and the seats of
// the link.
struct NetGameSetup : GameSetup {
    std::array<std::string, 3> Names;      // seats 0, 1, 2 in this program's numbering
    std::array<std::string, 3> Addresses;  // the seats' IP addresses, same order
    int ComputerSeat = -1;  // the seat the host's computer plays, in the HOST's numbering
    int OwnSeat = 1;        // this program's seat in the host's numbering: 1 host, 0 or 2 guest
    // This program's own seat is played by its computer player (a host with nobody at the
    // keyboard) instead of waiting for the local user.
    bool OwnSeatPlaysItself = false;
};

// A game played over the game link. The seat this program plays (seat 1) and, on the host,
// the computer seat move through the game loop's turn step, which sends the move to the
// peers; the other seats' moves arrive as lines and are applied by the link's reader. The
// end of each hand is scored here, and the end of the game reports the result and writes
// the statistics file.
class JeuNet : public Jeu {
public:
    JeuNet(std::unique_ptr<JeuView> view, const NetGameSetup& setup);

    void TurnStep() override { PlayTurnNet(); }
    void SaveStatistics() override { PostGameResult(); }

    // One step of the game loop for a seat this program plays; nothing for another seat.
    void PlayTurnNet();
    // End of a move: repaint, end of the hand, and on the host the next seat (with MsgTurn
    // after a tile).
    void ScoreHandNet(bool noMoveYet, bool passed);
    // End of the game: the result code, the counters, the result request, the file.
    void PostGameResult();
    // The result code of the game for the local player: 0 won with two pigs, 1 won, 2 lost
    // without being a pig, 3 the pig.
    int ResultCode() const;

    // The host's seat h as this program numbers it, and back.
    int ToLocal(int hostSeat) const;
    int ToHost(int localSeat) const;
    // Seat 1, and on the host the computer seat.
    bool PlaysHere(int localSeat) const;
    // Whether a move that arrived for a seat can be applied: the seat is to move, is not one
    // this program plays, the round runs, the index is inside the hand and the tile fits
    // that end.
    bool CanApplyRemoteTile(int localSeat, int handIndex, int end) const;
    // Applies such a move (the reader then ends it with ScoreHandNet).
    void ApplyRemoteTile(int localSeat, int handIndex, int end);
    // The hands as the host numbers the seats (the deal the host sends), and a received deal
    // put into the hands.
    DealTiles HandsByHostSeat() const;
    void TakeDeal(const DealTiles& deal);

    std::array<std::string, 3> SeatAddresses;
    int NetSeat = 1;
    int ComputerSeat = -1;  // this program's numbering; -1 none
    int LastResult = -1;    // the result code posted at the end of the game

    // Sends a line (no line end) to the peers: from the host to every guest, from a guest to
    // the host. Unset: nothing is sent.
    std::function<void(const std::string&)> Send;
    // The result request to the web site. Its failures are ignored.
    std::function<void(int resultCode)> PostResult;
    // Told when the statistics file could not be written.
    std::function<void(const std::string&)> Warn;

private:
    void send(const std::string& line) {
        if (Send) Send(line);
    }
    std::string moveText(const Joueur& seat, const Domino& tile) const;
    void endHand(std::vector<int> winners);
    std::string joinNet(const std::vector<int>& seats) const;
};

} // namespace net
