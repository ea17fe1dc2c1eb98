#include "client/MainGameLink.h"

#include "client/Forms.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "client/UiText.h"
#include "client/VueConnexionsc.h"
#include "client/VueInfoJeu.h"
#include "client/VueInfoMessage.h"
#include "client/VueSon.h"
#include "client/Vuesc.h"

namespace client {

namespace {
TForm14* lobbyWindow() { return static_cast<TForm14*>(AppForms().Form14); }
} // namespace

net::JeuNet* MainGameLink::CurrentNetGame() { return dynamic_cast<net::JeuNet*>(w_.CurrentGame.get()); }

void MainGameLink::SetCurrentGame(std::unique_ptr<net::JeuNet> game) {
    if (w_.CurrentGame) w_.Stats = w_.CurrentGame->Stats;
    w_.CurrentGame = std::move(game);
    w_.FinalResultShown = false;
}

std::unique_ptr<JeuView> MainGameLink::MakeView() { return w_.MakeTableView(); }

Statistics MainGameLink::CurrentStatistics() {
    if (w_.CurrentGame) w_.Stats = w_.CurrentGame->Stats;
    return w_.Stats;
}

bool MainGameLink::LocalAbandon() const { return w_.LocalAbandon; }

std::string MainGameLink::Translate(const std::string& english) { return Ui(english); }

void MainGameLink::Ecriremessage(std::string& text) { w_.Ecriremessage(text); }

void MainGameLink::ShowStatus(const std::string& text) { w_.StatusBar1->showMessage(Q(text)); }

void MainGameLink::ClearGameLog() {
    if (AppForms().Form4) AppForms().Form4->Clear();
}

void MainGameLink::FillTable() { w_.FillTable(); }

void MainGameLink::Repaint() { w_.SurfaceChanged(); }

void MainGameLink::ShowChat(const std::string& line) {
    if (auto* chat = static_cast<TForm12*>(AppForms().Form12)) chat->AddReceived(line);
}

void MainGameLink::JoinAccepted() {
    w_.TimerError->stop();
    if (auto* lobby = lobbyWindow()) lobby->PostHostLeavesList();
}

void MainGameLink::PostResult(int resultCode) {
    if (auto* lobby = lobbyWindow()) lobby->PostResult(resultCode);
}

void MainGameLink::StartReceived() { w_.TimerError->stop(); }

void MainGameLink::GameCreated(net::JeuNet& game) {
    game.Theme[Jeu::ThemeTable] = w_.CurrentTableColor;
    w_.GameAborted = false;
    w_.SelectedHandIndex = -1;
    w_.Voice.DireDebuterPartie(game);
    if (w_.Voice.SoundOn && w_.Voice.SoundDevicesPresent && AppForms().Form5)
        static_cast<TForm5*>(AppForms().Form5)->IPlayClick();
}

void MainGameLink::GameStarted(net::JeuNet& game, bool fetchPictures) {
    w_.PlaceNetworkButtons();
    // The chat button serves the competitions whose kind is " (C)".
    auto* lobby = lobbyWindow();
    w_.BitBtn1->show();
    w_.BitBtn1->setEnabled(lobby && lobby->CompetitionSuffix() == " (C)");
    if (fetchPictures) w_.FetchNetPictures(game);
    w_.Timer1->start();
    w_.CpuDelayCountdown = AppSettings().CpuDelayTicks;
    w_.SelectedHandIndex = -1;
}

void MainGameLink::HandDealt(net::JeuNet& game) {
    w_.ReloadNetPictures(game);
    w_.Timer1->start();
    w_.CpuDelayCountdown = AppSettings().CpuDelayTicks;
    w_.SelectedHandIndex = -1;
}

void MainGameLink::Connected() { w_.PlaceNetworkButtons(); }

void MainGameLink::LinkLost() {
    w_.TimeUp->stop();
    w_.GameAborted = true;
}

} // namespace client
