// Hosting the game over the game link, and the game driver Timer1.
#include <QDateTime>

#include "platform/Latin1.h"
#include "lobby/Stamps.h"
#include "platform/Random.h"
#include "server/ServerLanguage.h"
#include "server/ServerSettings.h"
#include "server/ServerWindows.h"
#include "server/Vuesc.h"

namespace server {

using platform::Q;
using platform::S;

namespace {
} // namespace

void TForm1::hideCompetition() {
    imgComp0->hide();
    imgComp1->hide();
    imgComp2->hide();
    titreJeu->clear();
}

void TForm1::ServerEntameJeu() {
    const ServerSettings& s = AppSettings();
    // 1. The lobby controls rest while the game opens.
    ComboBox1->setEnabled(true);
    GridUsers->setEnabled(false);
    resetUserGrid(Srv("Not connected"));
    MemoReceived->clear();
    clearMessageControls();

    // 2. The competition's title and kind.
    const std::string item = S(ComboBox1->currentText());
    const std::string suffix = item.size() >= 4 ? item.substr(item.size() - 4) : std::string();
    titreJeu->setText(Q(item.size() >= 4 ? item.substr(0, item.size() - 4) : item));
    imgComp0->setVisible(suffix == " (C)");
    imgComp1->setVisible(suffix == " (T)");
    imgComp2->setVisible(suffix == " (W)");

    // 3. The seats of the coming game, and the listening socket. Listening comes before any
    // notice: a guest told to connect to a port nobody listens on would wait in vain.
    platform::Randomize();
    acked_ = {};
    net::GameLinkHost& host = *WSocketServer1;
    host.Close();
    host.PlayWithCpu = s.PlayWithCpu == 1;
    host.OwnName = HostSeatName;
    host.OwnAddress = HostSeatAddress;
    host.Opponents = {Opponents[0], Opponents[1]};
    host.Setup.ProfileFiles = {s.LeftPlayerFile, s.MeFile, s.RightPlayerFile};
    host.Setup.UseRules = s.ApplyTactic;
    host.StatisticsFile = StatsFilePath;
    if (!host.Listen(s.ServerPort, "0.0.0.0")) {
        const std::string why = "Cannot listen on port " + std::to_string(s.ServerPort) + " (" +
                                host.LastError() + "); choose a port of 1024 or more in the options.";
        AddHistory(why);
        StatusBar1->showMessage(Q(" " + why));
        hideCompetition();
        // Back to the lobby with no game announced.
        ToolButton5Click();
        StatusBar1->showMessage(Q(" " + why));
        return;
    }

    // 4 to 7: the game-start notices, one per human opponent.
    const QDateTime now = QDateTime::currentDateTime();
    if (s.PlayWithCpu != 1) GetInetFile(requests().Notice(lobby::MessageKind::GameStart, Opponents[0].IP, Opponents[0].Port, now));
    GetInetFile(requests().Notice(lobby::MessageKind::GameStart, Opponents[1].IP, Opponents[1].Port, now));

    // 8.
    StatusBar1->showMessage(Q(" " + Srv("Waiting for connection...")));
    TimerError->start();
}

void TForm1::ServerACK(const std::string& address, const std::string& port) {
    int p = 0;
    try {
        p = std::stoi(port);
    } catch (...) {
        return;
    }
    GetInetFile(requests().Notice(lobby::MessageKind::HostAck, address, p, QDateTime::currentDateTime()));
}

void TForm1::serverSendText(int index, const std::string& text) { WSocketServer1->serverSendText(index, text); }

void TForm1::TimeUpTimer() {
    TimeUp->stop();
    GameAborted = true;
    if (CurrentGame) CurrentGame->GameOver = true;
    if (!resultReported_) {
        resultReported_ = true;
        sendLobby(8, requests().TimeOutAbandon());
    }
    TimeUpFired = true;
    GameEnded();
}

void TForm1::ReportAbandon() {
    if (resultReported_) return;
    resultReported_ = true;
    sendLobby(8, requests().TimeOutAbandon());
}

void TForm1::GameEnded() {
    // Between two hands Timer1 rests; it runs again for the one tick that drops the game.
    if (CurrentGame && !Timer1->isActive()) Timer1->start();
}

void TForm1::TimerErrorTimer() {
    TimerError->stop();
    GameAborted = false;
    hideCompetition();
    ToolButton6Click();
    ToolButton5Click();
}

void TForm1::WSocketServer1ClientDisconnect() {
    if (!CurrentGame || CurrentGame->GameOver) return;
    CurrentGame->GameOver = true;
    LinkLost();
    if (!TimeUpFired) ShowStatus(Srv("One of the players have left the game."));
}

// GameLinkWindow ---------------------------------------------------------------------------

void TForm1::SetCurrentGame(std::unique_ptr<net::JeuNet> game) { CurrentGame = std::move(game); }

Statistics TForm1::CurrentStatistics() { return AppStatistics(); }

std::string TForm1::Translate(const std::string& english) { return Srv(english); }

bool TForm1::LocalAbandon() const { return TimeUpFired; }

void TForm1::Ecriremessage(std::string& text) {
    if (!text.empty())
        if (TForm4* info = AppForms().Form4) info->Memo1->appendPlainText(Q(text));
    text.clear();
}

void TForm1::ShowStatus(const std::string& text) { StatusBar1->showMessage(Q(" " + text)); }

void TForm1::ClearGameLog() {
    if (TForm4* info = AppForms().Form4) info->Memo1->clear();
}

void TForm1::ShowChat(const std::string& line) {
    if (TForm12* chat = AppForms().Form12) chat->AddLine(line, isVisible());
}

void TForm1::JoinAccepted() {
    TimerError->stop();
    Timer4->stop();
    TimerRetry->stop();
    // The polls still on their way answer a lobby the robot has left.
    newLobbyRound();
    sendLobby(2, requests().LeaveCompetition());
}

void TForm1::GameCreated(net::JeuNet& game) {
    // The game writes datas_ds.sta at its end; a failure is told as every write error is.
    game.Warn = [this, log = game.Warn](const std::string& text) {
        if (log) log(text);
        if (text.find(StatsFilePath) != std::string::npos) WriteResult(StatsFileName, false);
    };
    GameAborted = false;
    TimeUpFired = false;
    resultReported_ = false;
}

void TForm1::GameStarted(net::JeuNet&, bool) {
    // A fresh game (also one the guest starts after a hand every seat has won) starts with
    // a fresh turn clock.
    TimeUp->stop();
    SelectedHandIndex = -1;
    Timer1->start();
    CpuDelayCountdown = CpuDelayTicks;
}

void TForm1::HandDealt(net::JeuNet&) {
    SelectedHandIndex = -1;
    TimeUp->stop();
    Timer1->start();
    CpuDelayCountdown = CpuDelayTicks;
}

void TForm1::LinkLost() {
    TimeUp->stop();
    GameAborted = true;
    // The guest left: the site learns the game was abandoned, and the robot goes back.
    ReportAbandon();
    GameEnded();
}

void TForm1::PostResult(int resultCode) {
    if (CurrentGame) AppStatistics() = CurrentGame->Stats;
    if (resultReported_) return;
    resultReported_ = true;
    sendLobby(8, requests().Result(resultCode));
}

void TForm1::dropGame() {
    Timer1->stop();
    TimeUp->stop();
    if (CurrentGame && CurrentGame->IsHost) WSocketServer1->Close();
    // The game's lines go nowhere once it is dropped.
    CurrentGame.reset();
    hideCompetition();
}

// The game driver ------------------------------------------------------------------------------

void TForm1::Timer1Timer() {
    if (!CurrentGame) return;
    net::JeuNet& g = *CurrentGame;

    // 1. A game that is over is dropped, and the robot goes back to the lobby.
    if (g.GameOver) {
        if (g.IsNetworkGame == 1) dropGame();
        ToolButton5Click();
        return;
    }

    // 2. Whom the server waits for.
    if (g.SeatToMove == 0 || g.SeatToMove == 2)
        StatusBar1->showMessage(Q(" " + Srv("We are wainting for") + " " + g.Seats[g.SeatToMove].Name + " ..."));

    Joueur& seat = g.Seats[g.SeatToMove];
    if (!g.RoundOver || seat.Chosen) {
        // 3.1 The move clock runs while a guest is to move: a guest that never answers ends
        // the game instead of holding the server for ever.
        if (!g.PlaysHere(g.SeatToMove)) {
            if (!TimeUp->isActive()) TimeUp->start();
        } else {
            TimeUp->stop();
        }
        // 3.2 The computer's pause.
        const bool computer = seat.Kind == Joueur::KindComputer ||
                              (seat.Kind == Joueur::KindNetLocal && g.IsHost);
        if (computer && CpuDelayCountdown > 0) {
            --CpuDelayCountdown;
            return;
        }
        // 3.3 A step for the seats this program plays.
        CpuDelayCountdown = CpuDelayTicks;
        if (g.IsNetworkGame == 0 || g.PlaysHere(g.SeatToMove)) g.TurnStep();
        // 3.4
        Ecriremessage(g.Message);
        g.TilePlayed = false;
        g.SeatPassed = false;
        return;
    }

    // 4. The round has ended: its winners, then wait for the guest's next-hand line.
    std::string text = " *";
    for (std::size_t i = 0; i < g.Winners.size(); ++i) {
        if (i > 0) text += " " + Srv("and") + " ";
        text += g.Seats[g.Winners[i]].Name;
    }
    text += " " + Srv(g.Winners.size() == 1 ? "has won the round" : "have won the round");
    Ecriremessage(text);
    Timer1->stop();
    // The guest has a minute to ask for the next hand.
    TimeUp->start();
}

} // namespace server
