#include "game/Jeusc.h"

#include "game/JeuMessages.h"
#include "platform/MessageBox.h"

JeuMessages& GameTexts() {
    static JeuMessages texts;
    return texts;
}

namespace {
std::array<Joueur, 3> localSeats(const GameSetup& setup) {
    return {Joueur::CreateComputer("players/" + setup.ProfileFiles[0], 0, setup.UseRules),
            Joueur::CreateHuman("players/" + setup.ProfileFiles[1], 1, setup.UseRules),
            Joueur::CreateComputer("players/" + setup.ProfileFiles[2], 2, setup.UseRules)};
}
} // namespace

Jeu::Jeu(std::unique_ptr<JeuView> view, const GameSetup& setup)
    : Jeu(std::move(view), setup, localSeats(setup)) {}

Jeu::Jeu(std::unique_ptr<JeuView> view, const GameSetup& setup, std::array<Joueur, 3> seats)
    : View_(std::move(view)) {
    Seats = std::move(seats);
    Init(setup);
    if (View_) View_->GameCreated(*this);
}

void Jeu::Init(const GameSetup& setup) {
    IsNetworkGame = 0;
    BackgroundTexturePath = setup.BackgroundTexturePath;
    DominoesTexturePath = setup.DominoesTexturePath;
    BackDominoesTexturePath = setup.BackDominoesTexturePath;
    TileSize = Pack.TileSize;
    ModelTileSize = 500;
    ChainOriginX = 0;
    ChainOriginY = 60;
    LeftArmX = LeftArmY = RightArmX = RightArmY = LeftDirection = RightDirection = 0;
    LeftEnd = RightEnd = -1;
    Played.clear();
    Theme[ThemeTable] = setup.TableColor;
    Theme[ThemeDominoes] = setup.DominoesColor;
    Theme[ThemeDots] = setup.DominoesDotsColor;
    Theme[ThemeDominoesBack] = setup.DominoesBackColor;
    Theme[ThemeDominoesBorder] = setup.DominoesBorderColor;
    Theme[ThemeBackBorder] = setup.BackDominoesBorder;
    Theme[ThemeNormalText] = setup.NormalTextColor;
    Theme[ThemeLightedText] = setup.LightedTextColor;
    Theme[ThemeSelectedDomino] = setup.SelectedDominoColor;
    for (int i = 0; i < 3; ++i) SeatNames[i] = Seats[i].Name;
    GameOver = false;
    CameraPosition = {setup.CameraX, setup.CameraY, setup.CameraZ};
    CameraAngleX = setup.CameraAngleX;
    CameraAngleY = setup.CameraAngleY;
}

void Jeu::NewPack() {
    Pack = Paquet();
    ChainOriginX = WindowWidth() / 2;
    ChainOriginY = 40;
    LeftArmX = LeftArmY = RightArmX = RightArmY = LeftDirection = RightDirection = 0;
    LeftEnd = RightEnd = -1;
    Played.clear();
    GameOver = false;
    HandView[0] = HandView[2] = false;
}

void Jeu::ResetScores() {
    RoundsDealt = 0;
    LastWinner = -1;
    RoundWins = {0, 0, 0};
}

void Jeu::SetStatistics(int played, int pigsGiven, int won, int lost) {
    Stats = Statistics{played, pigsGiven, won, lost};
}

void Jeu::PaintHands(bool s0, bool s1, bool s2) {
    if (View_) View_->PaintHands(*this, s0, s1, s2);
}

void Jeu::DrawText(const std::string& text, int x, int y) {
    if (View_) View_->DrawGameText(*this, text, x, y);
}

void Jeu::Deal() {
    Message.clear();
    RoundOver = false;
    LeftEnd = RightEnd = -1;
    ++RoundsDealt;
    for (Joueur& seat : Seats) seat.ClearHand();
    Pack.Shuffle();
    for (int n = 0; n < 7; ++n)
        for (Joueur& seat : Seats) seat.AddDomino(Pack.DrawDomino());
    PaintHands(HandView[0], true, HandView[2]);
    Message = GameTexts().AllTaken;
    StatusText = GameTexts().AllReceiving;
    TurnTaken = false;
}

void Jeu::FirstLead() {
    Message.clear();
    StatusText.clear();
    ChainOriginX = WindowWidth() / 2;
    ChainOriginY = 60;
    Passed = {false, false, false};
    if (TurnTaken) return;

    if (RoundsDealt != 1) {
        SeatToMove = LastWinner >= 0 && LastWinner <= 2 ? LastWinner : 0;
        HandView[0] = HandView[2] = false;
        return;
    }

    // The holder of the highest double leads it.
    int leadSeat = -1, leadIndex = -1;
    for (int v = 6; v >= 0 && leadSeat < 0; --v)
        for (int s = 0; s < 3 && leadSeat < 0; ++s)
            for (int i = 0; i < Seats[s].HandCount; ++i)
                if (Seats[s].Hand[i].Value1 == v && Seats[s].Hand[i].Value2 == v) {
                    leadSeat = s;
                    leadIndex = i;
                    break;
                }

    const JeuMessages& t = GameTexts();
    if (leadSeat >= 0) {
        Message = Seats[leadSeat].Name + " " + t.PlaysDouble + " " +
                  std::to_string(Seats[leadSeat].Hand[leadIndex].Value1);
    } else {
        // No double in any hand (all seven are among the unused tiles): the heaviest tile
        // leads, the first found in seat and hand order on a tie.
        int best = -1;
        for (int s = 0; s < 3; ++s)
            for (int i = 0; i < Seats[s].HandCount; ++i)
                if (Seats[s].Hand[i].PipSum() > best) {
                    best = Seats[s].Hand[i].PipSum();
                    leadSeat = s;
                    leadIndex = i;
                }
        const Domino& d = Seats[leadSeat].Hand[leadIndex];
        Message = Seats[leadSeat].Name + " " + t.Plays + " " + std::to_string(d.Value1) + " " +
                  t.Of + " " + std::to_string(d.Value2);
    }
    PlaceDomino(Seats[leadSeat].TakeDomino(leadIndex));
    PaintHands(HandView[0], true, HandView[2]);
    if (View_) View_->PauseAfterFirstLead(*this);
    SeatToMove = (leadSeat + 1) % 3;
}

void Jeu::TurnStep() {
    Message.clear();
    StatusText.clear();
    TurnTaken = true;
    SeatPassed = false;
    if (RoundOver || GameOver) return;

    Joueur& seat = Seats[SeatToMove];
    const DominoJoue move = seat.Play(LeftEnd, RightEnd, Played);
    const JeuMessages& t = GameTexts();
    if (move.IsTile()) {
        PlaceDomino(move);
        Message = seat.Name + " " + t.Plays + " " + std::to_string(move.Tile.Value1) + " " + t.Of +
                  " " + std::to_string(move.Tile.Value2);
        TilePlayed = true;
    }
    Passed[SeatToMove] = false;
    if (move.Passed) {
        Passed[SeatToMove] = true;
        Message = seat.Name + " " + t.Sulks;
        TilePlayed = false;
        SeatPassed = true;
    }
    if (!(seat.Waiting && move.NoMoveYet)) PaintHands(HandView[0], true, HandView[2]);

    if (seat.HandCount == 0) {
        EndRoundWith({SeatToMove});
        return;
    }
    if (Passed[0] && Passed[1] && Passed[2]) {
        ScoreBlockedRound();
        return;
    }
    if (!move.NoMoveYet) SeatToMove = (SeatToMove + 1) % 3;
}

void Jeu::ScoreBlockedRound() { EndRoundWith(BlockedWinners({0, 1, 2})); }

std::vector<int> Jeu::BlockedWinners(const std::array<int, 3>& order) const {
    std::array<int, 3> sums{};
    for (int s = 0; s < 3; ++s) sums[s] = Seats[s].HandSum();
    std::vector<int> winners{order[0]};
    for (int i = 1; i < 3; ++i) {
        const int s = order[i];
        const int w = winners.front();
        if (sums[s] < sums[w] ||
            (sums[s] == sums[w] && Seats[s].HandCount < Seats[w].HandCount))
            winners = {s};
        else if (sums[s] == sums[w] && Seats[s].HandCount == Seats[w].HandCount)
            winners.push_back(s);
    }
    return winners;
}

void Jeu::EndRoundWith(std::vector<int> winners) {
    Winners = std::move(winners);
    for (int w : Winners) RoundWins[w] += 1;
    const JeuMessages& t = GameTexts();
    RoundText_ = JoinNames(Winners) + " " +
                 (Winners.size() == 1 ? t.HasWonTheRound : t.HaveWonTheRound);
    RoundOver = true;
    // The hand panels are cleared as they are painted: the round's message comes after
    // them, so that it stays whole where it reaches over the side panels.
    PaintHands(true, true, true);
    LastWinner = Winners.front();
    if (RoundWins[0] == 3 || RoundWins[1] == 3 || RoundWins[2] == 3) GameEnd();
    const int len = static_cast<int>(RoundText_.size());
    DrawText(RoundText_, static_cast<int>(WindowWidth() / 2.0 - 10.0 * len / 2.0), 130);
    AllSeatsWon = RoundWins[0] > 0 && RoundWins[1] > 0 && RoundWins[2] > 0;
}

std::string Jeu::JoinNames(const std::vector<int>& seats) const {
    std::string text;
    for (std::size_t i = 0; i < seats.size(); ++i) {
        if (i > 0) text += " " + GameTexts().And + " ";
        text += Seats[seats[i]].Name;
    }
    return text;
}

void Jeu::GameEnd() {
    Pigs.clear();
    for (int s = 0; s < 3; ++s)
        if (RoundWins[s] == 0) Pigs.push_back(s);
    PigText_.clear();
    if (!Pigs.empty()) {
        PigText_ = JoinNames(Pigs) + " " +
                   (Pigs.size() == 1 ? GameTexts().IsThePig : GameTexts().AreThePigs);
        const int len = static_cast<int>(PigText_.size());
        DrawText(PigText_, ChainOriginX - static_cast<int>(10.0 * len / 2.0), 160);
    }
    SaveStatistics();
    GameOver = true;
}

void Jeu::SaveStatistics() {
    bool localIsPig = false;
    for (int p : Pigs)
        if (Seats[p].SeatIndex == 1) localIsPig = true;
    if (localIsPig) {
        Stats.Played += 1;
        Stats.Lost += 1;
    } else if (RoundWins[1] == 3) {
        Stats.Played += 1;
        Stats.Won += 1;
        Stats.PigsGiven += Pigs.size() == 2 ? 2 : 1;
    } else {
        Stats.Played += 1;
    }
    if (!WriteStatisticsFile(StatisticsFile, Stats))
        platform::ShowMessage("The statistics file " + StatisticsFile + " could not be written.",
                              platform::SiteCaption);
}
