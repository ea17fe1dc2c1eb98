#pragma once
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "game/Dominosc.h"
#include "game/GameSetup.h"
#include "game/JeuView.h"
#include "game/Joueursc.h"
#include "game/Paquetsc.h"
#include "game/Statistics.h"

// One game of three seats: the set, the seats, the chain and its two open ends, the seat to
// move, the rounds won, the messages and the statistics counters. Seat 0 is the left
// opponent, seat 1 the local player, seat 2 the right opponent; turns go (seat + 1) mod 3.
class Jeu {
public:
    // Theme colour slots, in the order the table view uses them.
    enum ThemeSlot : int {
        ThemeTable = 0,
        ThemeDominoes,
        ThemeDots,
        ThemeDominoesBack,
        ThemeDominoesBorder,
        ThemeBackBorder,
        ThemeNormalText,
        ThemeLightedText,
        ThemeSelectedDomino,
        ThemeSlots
    };

    // The view may be null: the game then runs without a window. The game owns its view.
    Jeu(std::unique_ptr<JeuView> view, const GameSetup& setup);
    virtual ~Jeu() = default;
    Jeu(const Jeu&) = delete;
    Jeu& operator=(const Jeu&) = delete;

    void NewPack();
    void ResetScores();
    void SetStatistics(int played, int pigsGiven, int won, int lost);
    void SetStatistics(const Statistics& s) { Stats = s; }
    void Deal();
    void FirstLead();
    virtual void TurnStep();
    virtual void SaveStatistics();
    void SetMessage(const std::string& text) { Message = text; }
    void PaintHands(bool s0, bool s1, bool s2);
    // Puts a legal move on the chain, lays it out and updates LeftEnd and RightEnd.
    void PlaceDomino(const DominoJoue& move);

    JeuView* View() const { return View_.get(); }
    // The table view's operations, for the main window and the dialogs.
    void InitView() { if (View_) View_->InitView(*this); }
    void SetViewWidth(int w) { if (View_) View_->SetViewWidth(*this, w); }
    void SetViewHeight(int h) { if (View_) View_->SetViewHeight(*this, h); }
    void RedrawTable() { if (View_) View_->RedrawTable(*this); }
    void PaintHands() { PaintHands(HandView[0], HandView[1], HandView[2]); }
    void PaintDominoAt(const Domino& d, int x, int y, int orientation) {
        if (View_) View_->PaintDominoAt(*this, d, x, y, orientation);
    }
    void SetLeftTarget(bool on) { if (View_) View_->SetLeftTarget(on); }
    void SetRightTarget(bool on) { if (View_) View_->SetRightTarget(on); }
    bool HitLeftEnd(int x, int y) { return View_ && View_->HitLeftEnd(*this, x, y); }
    bool HitRightEnd(int x, int y) { return View_ && View_->HitRightEnd(*this, x, y); }
    void SetBackgroundTexture(const std::string& p) { BackgroundTexturePath = p; if (View_) View_->SetBackgroundTexture(*this, p); }
    void SetDominoesTexture(const std::string& p) { DominoesTexturePath = p; if (View_) View_->SetDominoesTexture(*this, p); }
    void SetBackDominoesTexture(const std::string& p) { BackDominoesTexturePath = p; if (View_) View_->SetBackDominoesTexture(*this, p); }
    int PlayedCount() const { return static_cast<int>(Played.size()); }
    bool IsEmptyTable() const { return LeftEnd == -1 && RightEnd == -1; }
    // The seats' names joined by " " + "and" + " ".
    std::string JoinNames(const std::vector<int>& seats) const;
    // The last texts drawn for the end of a round and of the game.
    const std::string& RoundText() const { return RoundText_; }
    const std::string& PigText() const { return PigText_; }

    // Seat to move and round and game flags.
    int SeatToMove = 0;
    bool TurnTaken = false;
    bool RoundOver = false;
    bool GameOver = false;
    bool AllSeatsWon = false;
    std::vector<int> Pigs;
    bool TilePlayed = false;
    bool SeatPassed = false;
    std::array<bool, 3> HandView{false, true, false};
    std::array<bool, 3> Passed{false, false, false};
    std::string Message;
    std::string StatusText;
    std::vector<int> Winners;

    // The chain: arm positions and directions, open ends, origin on the window.
    int LeftArmX = 0, LeftArmY = 0, RightArmX = 0, RightArmY = 0;
    int LeftDirection = 0, RightDirection = 0;
    int LeftEnd = -1, RightEnd = -1;
    int ChainOriginX = 0, ChainOriginY = 60;
    std::vector<DominoJoue> Played;

    Paquet Pack;
    std::array<Joueur, 3> Seats;
    std::array<int, ThemeSlots> Theme{};
    std::string BackgroundTexturePath, DominoesTexturePath, BackDominoesTexturePath;
    std::array<std::string, 3> SeatNames;
    std::array<double, 3> CameraPosition{0, 0, 0};
    double CameraAngleX = 0, CameraAngleY = 0;
    bool IsHost = false;
    int RoundsDealt = 0;
    std::array<int, 3> RoundWins{0, 0, 0};
    int LastWinner = -1;
    int IsNetworkGame = 0;
    int TileSize = 48;        // flat tile size in pixels
    int ModelTileSize = 500;  // one tile's length in model units, the chain layout's unit
    Statistics Stats;
    std::string StatisticsFile = "datas.sta";

protected:
    // For the network game, which builds its own seats.
    Jeu(std::unique_ptr<JeuView> view, const GameSetup& setup, std::array<Joueur, 3> seats);

    int WindowWidth() const { return View_ ? View_->WindowWidth() : 0; }
    // Round end, for the seat that emptied its hand or for the winners of a blocked round.
    void EndRoundWith(std::vector<int> winners);
    void ScoreBlockedRound();
    // The winners of a blocked round: the lowest pip sum, then the fewest tiles, ties shared;
    // seats compared in the given order, the first listed leading the next round.
    std::vector<int> BlockedWinners(const std::array<int, 3>& order) const;
    void GameEnd();
    void DrawText(const std::string& text, int x, int y);

    std::unique_ptr<JeuView> View_;
    std::string RoundText_, PigText_;

private:
    void Init(const GameSetup& setup);
    void LayOutRight(Domino& tile);
    void LayOutLeft(Domino& tile);
};
