// The game loop of the main window: starting a local game, the 100 ms tick, the
// next-round button and the game log.
#include "sharedwin/Captions.h"
#include "client/Forms.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "client/UiText.h"
#include "client/VueConnexionsc.h"
#include "client/VueInfoJeu.h"
#include "client/VueSon.h"
#include "client/Vuesc.h"
#include "game/JeuMessages.h"
#include "platform/MessageBox.h"

namespace client {

void TForm1::Ecriremessage(std::string& text) {
    if (!text.empty() && AppForms().Form4) AppForms().Form4->AppendLine(Q(text));
    text.clear();
}

GameSetup TForm1::CurrentGameSetup() const {
    const Settings& s = AppSettings();
    GameSetup setup;
    setup.TableColor = s.TableColor;
    setup.DominoesColor = s.DominoesColor;
    setup.DominoesDotsColor = s.DominoesDotsColor;
    setup.DominoesBackColor = s.DominoesBackColor;
    setup.BackDominoesBorder = s.BackDominoesBorder;
    setup.DominoesBorderColor = s.DominoesBorderColor;
    setup.NormalTextColor = s.NormalTextColor;
    setup.LightedTextColor = s.LightedTextColor;
    setup.SelectedDominoColor = s.SelectedDominoColor;
    setup.ProfileFiles = {s.LeftPlayerFile, s.MeFile, s.RightPlayerFile};
    setup.BackgroundTexturePath = s.BackgroundTexturePath;
    setup.DominoesTexturePath = s.DominoesTexturePath;
    setup.BackDominoesTexturePath = s.BackDominoesTexturePath;
    setup.UseRules = s.ApplyTactic;
    setup.CameraX = s.CameraPositionX;
    setup.CameraY = s.CameraPositionY;
    setup.CameraZ = s.CameraPositionZ;
    setup.CameraAngleX = s.CameraAngleX;
    setup.CameraAngleY = s.CameraAngleY;
    return setup;
}

std::unique_ptr<JeuView> TForm1::MakeTableView() {
    resizeSurface();
    return std::make_unique<TableView>(*this);
}

std::unique_ptr<Jeu> TForm1::newLocalGame() {
    auto game = std::make_unique<Jeu>(MakeTableView(), CurrentGameSetup());
    game->StatisticsFile = AppSettings().StatsFilePath;
    return game;
}

void TForm1::NouvellePartieLocal() {
    Settings& s = AppSettings();
    // 1. A running game is only stopped on the user's Yes.
    if (CurrentGame && !CurrentGame->GameOver) {
        if (platform::ShowMessage(Ui("Do you really want to stop the game ?"), platform::SiteCaption,
                                  platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
            return;
        if (CurrentGame->IsNetworkGame) {
            if (auto* lobby = static_cast<TForm14*>(AppForms().Form14)) lobby->PostAbandon();
            GameAborted = true;
            LocalAbandon = true;
        }
    }
    // The counters the finished game has updated carry over to the next one.
    if (CurrentGame) Stats = CurrentGame->Stats;

    // 2-4.
    TimerError->stop();
    s.CpuDelayTicks = ComputeCpuDelayTicks(s.CpuSpeed);
    Button1->move(W() / 2 - 52, H() - 130);
    Button1->hide();
    CloseGameSockets();
    if (AppForms().Form4) AppForms().Form4->Clear();
    if (AppForms().Form2) AppForms().Form2->hide();
    BitBtn1->hide();
    Timer1->stop();
    CurrentGame.reset();

    // 5-6.
    fillClientArea(CurrentTableColor);
    SetCaption(titreJeu, "Locally game");
    CurrentGame = newLocalGame();
    FinalResultShown = false;
    SelectedHandIndex = -1;
    CurrentGame->SetStatistics(Stats);
    CurrentGame->Theme[Jeu::ThemeTable] = CurrentTableColor;
    CurrentGame->ResetScores();

    // 7-8.
    NouvellePartie1->setEnabled(true);
    ToolButton4->setEnabled(true);
    GameAborted = false;
    imgComp0->hide();
    imgComp1->hide();
    imgComp2->hide();
    imgCompx->show();
    Voice.DireDebuterPartie(*CurrentGame);

    // 9.
    CurrentGame->Deal();
    Ecriremessage(CurrentGame->Message);
    setStatus(CurrentGame->StatusText);
    CurrentGame->FirstLead();
    Ecriremessage(CurrentGame->Message);
    setStatus(CurrentGame->StatusText);

    // 10-12.
    if (AppForms().Form15) AppForms().Form15->hide();
    NouvellePartie1->setChecked(false);
    Seconnecter1->setChecked(false);
    Web1->setChecked(false);
    LocalAbandon = false;
    Timer1->start();
    // 11. The background music.
    if (Voice.SoundOn && Voice.SoundDevicesPresent && AppForms().Form5)
        static_cast<TForm5*>(AppForms().Form5)->IPlayClick();
    CpuDelayCountdown = s.CpuDelayTicks;
    SelectedHandIndex = -1;
    SurfaceChanged();
}

void TForm1::drawSeatNames() {
    Jeu& g = *CurrentGame;
    platform::Canvas& c = Surface_.GetCanvas();
    const int t = (H() - 250) / 2;
    const int l = (W() - 270) / 2;
    const auto previous = c.GetTextBackground();
    c.SetTextBackground(platform::TextBackground::Transparent);
    for (int seat = 0; seat < 3; ++seat) {
        const std::string& name = g.Seats[seat].Name;
        c.SetFontSize(6);
        c.SetFontColor(g.SeatToMove == seat ? g.Theme[Jeu::ThemeLightedText]
                                            : g.Theme[Jeu::ThemeNormalText]);
        if (seat == 0) c.TextOut(20, t + 10, name);
        else if (seat == 1) c.TextOut(l + 190, H() - 120, name);
        else c.TextOut(W() - 34 - c.TextWidth(name), t + 10, name);
        c.SetFontSize(10);
        c.SetFontColor(0);
    }
    c.SetTextBackground(previous);
    if (g.SeatToMove == 0 || g.SeatToMove == 2)
        setStatus(" " + Ui("We are wainting for") + " " + g.Seats[g.SeatToMove].Name + " ...");
    else
        setStatus(" ");
}

void TForm1::Timer1Timer() {
    if (!CurrentGame) return;
    Jeu& g = *CurrentGame;
    Settings& s = AppSettings();

    // 1. A finished game only keeps its sockets closed; an aborted one is dropped.
    if (g.GameOver) {
        // A finished network game keeps its sockets closed.
        if (g.IsNetworkGame) {
            if (g.IsHost && GameHost) GameHost->StopListening();
            else if (!g.IsHost && GameGuest && GameGuest->IsConnected()) GameGuest->Close();
        }
        // The step that ended the game also ended its last round: that round's result and
        // the pigs are shown once before the game only waits.
        if (!GameAborted && g.RoundOver && !FinalResultShown) {
            FinalResultShown = true;
            logResult();
            return;
        }
        BitBtn1->hide();
        if (GameAborted) {
            Timer1->stop();
            TimeUp->stop();
            Stats = g.Stats;
            CurrentGame.reset();
            GameAborted = false;
            imgComp0->hide();
            imgComp1->hide();
            imgComp2->hide();
            imgCompx->hide();
            ForgetCaption(titreJeu);
            titreJeu->clear();
            fillClientArea(CurrentTableColor);
            BitBtn1->hide();
        }
        return;
    }

    // 2.
    drawSeatNames();

    // 3. A turn.
    Joueur& seat = g.Seats[g.SeatToMove];
    if (!g.RoundOver || seat.Chosen) {
        // The turn clock runs from the moment the local player's turn comes until it ends.
        if (g.IsNetworkGame && g.SeatToMove == 1) {
            if (!TimeUp->isActive()) TimeUp->start();
        } else {
            TimeUp->stop();
        }
        const bool computer = seat.Kind == Joueur::KindComputer ||
                              (seat.Kind == Joueur::KindNetLocal && g.IsHost);
        if (computer && CpuDelayCountdown > 0) {
            Voice.DireComment(g);
            CpuDelayCountdown = std::max(0, CpuDelayCountdown - 1);
            SurfaceChanged();
            return;
        }
        Voice.DireComment(g);
        CpuDelayCountdown = s.CpuDelayTicks;
        if (!g.IsNetworkGame || (g.IsHost && seat.Kind == Joueur::KindNetLocal) || g.SeatToMove == 1)
            g.TurnStep();
        Ecriremessage(g.Message);
        if (g.TilePlayed) {
            Voice.DireDomino(g);
            g.TilePlayed = false;
        }
        if (g.SeatPassed) {
            Voice.DireBouder(g);
            g.SeatPassed = false;
        }
        SurfaceChanged();
        return;
    }

    // 4. The round's result.
    logResult();
}

void TForm1::logResult() {
    Jeu& g = *CurrentGame;
    const JeuMessages& t = GameTexts();
    std::string line = " *" + g.JoinNames(g.Winners) + " " +
                       (g.Winners.size() == 1 ? t.HasWonTheRound : t.HaveWonTheRound);
    Ecriremessage(line);
    Timer1->stop();
    Button1->move(W() / 2 - 52, H() - 130);
    Button1->setVisible(!g.IsNetworkGame || !g.IsHost);
    Button1->raise();
    if (g.IsNetworkGame && !g.IsHost) TimeUp->start();
    else TimeUp->stop();

    if (!g.Pigs.empty()) {
        std::string pigs = g.JoinNames(g.Pigs);
        if (g.Pigs.size() == 1) {
            Voice.DireUnCochon(g);
            pigs += " " + t.IsThePig;
        } else {
            Voice.DireDeuxCochons(g);
            pigs += " " + t.AreThePigs;
        }
        Ecriremessage(pigs);
        Button1->hide();
        TimeUp->stop();
        BitBtn1->hide();
        GameAborted = false;
        g.GameOver = true;
    } else {
        Voice.DireGagnerManche(g);
    }
    if (g.GameOver) Stats = g.Stats;
    setStatus(!Button1->isHidden()
                  ? " " + Ui("Click on Following round button.")
                  : " " + Ui("The game is over. Click on New Game to begin another."));
    SurfaceChanged();
}

void TForm1::Button1Click() {
    if (!CurrentGame) return;
    fillClientArea(CurrentTableColor);
    if (CurrentGame->IsNetworkGame) {
        // A guest asks its host for the next hand, or for a new game after every seat won.
        TimeUp->stop();
        Button1->hide();
        if (GameGuest) GameGuest->NextRound();
        return;
    }
    Button1->hide();
    if (CurrentGame->AllSeatsWon) {
        // Every seat has won a round: the game starts over with the same counters.
        Stats = CurrentGame->Stats;
        CurrentGame = newLocalGame();
        FinalResultShown = false;
        CurrentGame->SetStatistics(Stats);
        CurrentGame->NewPack();
        CurrentGame->ResetScores();
    } else {
        CurrentGame->NewPack();
    }
    SelectedHandIndex = -1;
    Jeu& g = *CurrentGame;
    g.RedrawTable();
    g.Theme[Jeu::ThemeTable] = CurrentTableColor;
    if (AppForms().Form4) AppForms().Form4->Clear();
    g.Deal();
    Ecriremessage(g.Message);
    g.FirstLead();
    Ecriremessage(g.Message);
    g.TurnStep();
    Ecriremessage(g.Message);
    CpuDelayCountdown = AppSettings().CpuDelayTicks;
    Timer1->start();
    SurfaceChanged();
}

} // namespace client
