#include "net/JeuNetsc.h"

#include "game/JeuMessages.h"
#include "net/NetSeat.h"
#include "platform/ProgramFolder.h"

namespace net {

namespace {

// The computer seat as this program numbers it; -1 when none. A program's own seat is never
// the computer's, whatever the host wrote.
int localComputerSeat(const NetGameSetup& setup) {
    if (setup.ComputerSeat != 0 && setup.ComputerSeat != 2) return -1;
    const int local = HostToLocal(setup.ComputerSeat, setup.OwnSeat);
    return local == 1 ? -1 : local;
}

std::array<Joueur, 3> netSeats(const NetGameSetup& setup) {
    platform::ChangeToProgramFolder();
    const int computer = localComputerSeat(setup);
    std::array<Joueur, 3> seats;
    for (int i = 0; i < 3; ++i) {
        const std::string path = "players/" + setup.ProfileFiles[i];
        const bool playsItself = i == computer || (i == 1 && setup.OwnSeatPlaysItself);
        seats[i] = playsItself ? Joueur::CreateNetLocal(path, setup.Names[i], setup.Addresses[i],
                                                          i, setup.UseRules)
                                 : Joueur::CreateRemote(path, setup.Names[i], setup.Addresses[i], i,
                                                        setup.UseRules);
    }
    return seats;
}

} // namespace

JeuNet::JeuNet(std::unique_ptr<JeuView> view, const NetGameSetup& setup)
    : Jeu(std::move(view), setup, netSeats(setup)) {
    IsNetworkGame = 1;
    NetSeat = setup.OwnSeat == 0 || setup.OwnSeat == 2 ? setup.OwnSeat : 1;
    IsHost = NetSeat == 1;
    ComputerSeat = localComputerSeat(setup);
    SeatAddresses = setup.Addresses;
    GameOver = false;
}

int JeuNet::ToLocal(int hostSeat) const { return HostToLocal(hostSeat, NetSeat); }
int JeuNet::ToHost(int localSeat) const { return LocalToHost(localSeat, NetSeat); }

bool JeuNet::PlaysHere(int localSeat) const {
    return localSeat == 1 || (IsHost && localSeat == ComputerSeat);
}

std::string JeuNet::moveText(const Joueur& seat, const Domino& tile) const {
    const JeuMessages& t = GameTexts();
    return seat.Name + " " + t.Plays + " " + std::to_string(tile.Value1) + " " + t.Of + " " +
           std::to_string(tile.Value2);
}

void JeuNet::PlayTurnNet() {
    Message.clear();
    StatusText.clear();
    TurnTaken = true;
    SeatPassed = false;
    if (RoundOver || GameOver) return;
    // The other seats move over the link; asking them here would pass for them.
    if (!PlaysHere(SeatToMove)) return;

    const int mover = SeatToMove;
    Joueur& seat = Seats[mover];
    const DominoJoue move = seat.Play(LeftEnd, RightEnd, Played);

    if (IsHost) {
        if (move.IsTile()) {
            PlaceDomino(move);
            Message = moveText(seat, move.Tile);
            TilePlayed = true;
            send(TilePlayedLine(mover, seat.ChosenIndex, move.End));
            Passed[mover] = false;
        } else if (move.Passed) {
            Passed[mover] = true;
            Message = seat.Name + " boude";
            TilePlayed = false;
            SeatPassed = true;
            send(HostPassLine(mover));
        }
        ScoreHandNet(move.NoMoveYet, move.Passed);
        return;
    }

    if (move.NoMoveYet) {
        ScoreHandNet(true, false);
        return;
    }
    if (move.Passed) {
        Message = seat.Name + " " + GameTexts().Sulks + " ";
        Passed[1] = true;
        send(GuestPassLine());
        ScoreHandNet(false, true);
    } else {
        PlaceDomino(move);
        Message = moveText(seat, move.Tile);
        TilePlayed = true;
        send(TilePlayedLine(NetSeat, seat.ChosenIndex, move.End));
        Passed[mover] = false;
        ScoreHandNet(false, false);
    }
    SeatToMove = (SeatToMove + 1) % 3;
}

bool JeuNet::CanApplyRemoteTile(int localSeat, int handIndex, int end) const {
    if (RoundOver || GameOver) return false;
    if (localSeat < 0 || localSeat > 2 || localSeat != SeatToMove || PlaysHere(localSeat))
        return false;
    const Joueur& seat = Seats[localSeat];
    if (handIndex < 0 || handIndex >= seat.HandCount ||
        handIndex >= static_cast<int>(seat.Hand.size()))
        return false;
    if (IsEmptyTable()) return true;
    return seat.Hand[handIndex].Fits(end == RightEndSide ? RightEnd : LeftEnd);
}

void JeuNet::ApplyRemoteTile(int localSeat, int handIndex, int end) {
    Joueur& seat = Seats[localSeat];
    DominoJoue move = seat.TakeDomino(handIndex);
    move.End = end == RightEndSide ? RightEndSide : LeftEndSide;
    seat.ChosenIndex = handIndex;
    seat.ChosenEnd = move.End;
    PlaceDomino(move);
    TilePlayed = true;
    Message = moveText(Seats[SeatToMove], move.Tile);
    Passed[SeatToMove] = false;
}

DealTiles JeuNet::HandsByHostSeat() const {
    DealTiles deal{};
    for (int h = 0; h < 3; ++h) {
        const Joueur& seat = Seats[ToLocal(h)];
        for (int i = 0; i < 7 && i < seat.HandCount; ++i) deal[h][i] = seat.Hand[i];
    }
    return deal;
}

void JeuNet::TakeDeal(const DealTiles& deal) {
    for (int h = 0; h < 3; ++h) {
        Joueur& seat = Seats[ToLocal(h)];
        seat.ClearHand();
        for (const Domino& d : deal[h]) {
            Domino tile;
            tile.Value1 = d.Value1;
            tile.Value2 = d.Value2;
            seat.AddDomino(tile);
        }
    }
}

std::string JeuNet::joinNet(const std::vector<int>& seats) const {
    std::string text;
    for (std::size_t i = 0; i < seats.size(); ++i) {
        if (i > 0) text += " et ";
        text += Seats[seats[i]].Name;
    }
    return text;
}

void JeuNet::ScoreHandNet(bool noMoveYet, bool passed) {
    const Joueur& seat = Seats[SeatToMove];
    if (!(seat.Waiting && noMoveYet)) PaintHands(false, true, false);

    if (seat.HandCount == 0) {
        endHand({SeatToMove});
        return;
    }
    if (Passed[0] && Passed[1] && Passed[2]) {
        // Seats are compared in the host's order on every side, so that a shared hand lists
        // its winners, and so picks the next leader, the same way everywhere.
        endHand(BlockedWinners({ToLocal(0), ToLocal(1), ToLocal(2)}));
        return;
    }
    if (IsHost && !noMoveYet) {
        SeatToMove = (SeatToMove + 1) % 3;
        if (!passed) send(TurnLine(SeatToMove));
    }
}

void JeuNet::endHand(std::vector<int> winners) {
    Winners = std::move(winners);
    for (int w : Winners) RoundWins[w] += 1;
    const JeuMessages& t = GameTexts();
    RoundText_ = joinNet(Winners) + " " +
                 (Winners.size() == 1 ? t.HasWonTheRound : t.HaveWonTheRound);
    RoundOver = true;
    PaintHands(true, true, true);
    LastWinner = Winners.front();
    if (RoundWins[0] >= 3 || RoundWins[1] >= 3 || RoundWins[2] >= 3) {
        // In this program's own seat order, as every list of names on its table.
        Pigs.clear();
        for (int s = 0; s < 3; ++s)
            if (RoundWins[s] == 0) Pigs.push_back(s);
        PostGameResult();
        PigText_.clear();
        if (!Pigs.empty()) {
            PigText_ = joinNet(Pigs) + " " + (Pigs.size() == 1 ? t.IsThePig : t.AreThePigs);
            const int len = static_cast<int>(PigText_.size());
            DrawText(PigText_, ChainOriginX - static_cast<int>(len * 10 / 2.0), 160);
        }
        GameOver = true;
    }
    // After the hand panels, which are cleared as they are painted: the line stays whole.
    const int len = static_cast<int>(RoundText_.size());
    DrawText(RoundText_, ChainOriginX - static_cast<int>(len * 10 / 2.0), 130);
    AllSeatsWon = RoundWins[0] > 0 && RoundWins[1] > 0 && RoundWins[2] > 0;
}

int JeuNet::ResultCode() const {
    for (int p : Pigs)
        if (p == 1) return 3;
    if (RoundWins[1] >= 3) return Pigs.size() == 2 ? 0 : 1;
    return 2;
}

void JeuNet::PostGameResult() {
    const int wres = ResultCode();
    Stats.Played += 1;
    if (wres == 0) {
        Stats.Won += 1;
        Stats.PigsGiven += 2;
    } else if (wres == 1) {
        Stats.Won += 1;
        Stats.PigsGiven += 1;
    } else if (wres == 3) {
        Stats.Lost += 1;
    }
    LastResult = wres;
    if (PostResult) {
        try {
            PostResult(wres);
        } catch (...) {
            // The result request may fail in any way; the game goes on.
        }
    }
    platform::ChangeToProgramFolder();
    if (!WriteStatisticsFile(StatisticsFile, Stats) && Warn)
        Warn("The statistics file " + StatisticsFile + " could not be written.");
}

} // namespace net
