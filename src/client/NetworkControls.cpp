// The main window's side of network games: listening as the host, connecting as a guest,
// closing the game sockets.
#include "client/Forms.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "client/UiText.h"
#include "client/Vuesc.h"

namespace client {

namespace {
std::string trimmed(const std::string& s) {
    const auto b = s.find_first_not_of(' ');
    if (b == std::string::npos) return {};
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}
} // namespace

void TForm1::CloseGameSockets() {
    if (GameGuest && GameGuest->IsConnected()) GameGuest->Close();
    if (GameHost) GameHost->Close();
}

void TForm1::PlaceNetworkButtons() {
    BitBtn1->move(BitBtn1->x(), H() - 188);
    Button1->move(W() / 2 - 52, H() - 130);
}

bool TForm1::ServerEntameJeu(const std::array<net::LobbySlot, 2>& opponents, const std::string& ownAddress) {
    const Settings& s = AppSettings();
    if (!GameHost) GameHost = std::make_unique<net::GameLinkHost>(Link);
    GameHost->Close();
    GameHost->Setup = CurrentGameSetup();
    GameHost->StatisticsFile = s.StatsFilePath;
    GameHost->PlayWithCpu = s.PlayWithCpu != 0;
    GameHost->Opponents = opponents;
    GameHost->OwnName = s.Surname;
    GameHost->OwnAddress = ownAddress;
    if (!GameHost->Listen(s.ServerPort)) {
        setStatus(" " + Ui("The game server could not listen on its port.") + " " + GameHost->LastError());
        return false;
    }
    setStatus(" " + Ui("Waiting for connection") + "...");
    if (AppForms().Form14) AppForms().Form14->hide();
    if (AppForms().Form15) AppForms().Form15->hide();
    TimerError->start();
    return true;
}

void TForm1::ClientEntameJeu(const std::string& hostAddress, int hostPort, const std::string& ownAddress) {
    const Settings& s = AppSettings();
    if (!GameGuest) GameGuest = std::make_unique<net::GameLinkGuest>(Link);
    GameGuest->Close();
    GameGuest->Setup = CurrentGameSetup();
    GameGuest->StatisticsFile = s.StatsFilePath;
    GameGuest->LobbyAddress = ownAddress;
    GameGuest->LobbyNickname = s.Surname;
    GameGuest->FetchNetPictures = true;
    platform::SocksProxy socks;
    if (s.IsSocksProxy) {
        socks.Host = trimmed(s.ProxySocksAddress);
        socks.Port = s.ProxySocksPort;
        socks.Authenticate = s.IsAuthentificationSocks;
        socks.User = trimmed(s.ProxySocksLogin);
        socks.Password = trimmed(s.ProxySocksPassword);
    }
    // The lobby is left: its window no longer stands over the table (the host's hides too).
    if (AppForms().Form14) AppForms().Form14->hide();
    GameGuest->Connect(trimmed(hostAddress), hostPort, socks);
}

} // namespace client

// The network controls of the main window.
#include "client/VueConnexionsc.h"
#include "client/VueOptions.h"
#include "client/VueInfoMessage.h"
#include "platform/MessageBox.h"

#include <QMenuBar>

namespace client {

namespace {
TForm14* lobbyWindow() { return static_cast<TForm14*>(AppForms().Form14); }
} // namespace

void TForm1::SendChat(const std::string& text) {
    Jeu* g = CurrentGame.get();
    if (!g || !g->IsNetworkGame) return;
    if (g->IsHost) {
        if (GameHost) GameHost->SendChat(text);
    } else if (GameGuest) {
        GameGuest->SendChat(text);
    }
}

void TForm1::TimeUpTimer() {
    TimeUp->stop();
    GameAborted = true;
    if (CurrentGame) CurrentGame->GameOver = true;
    LocalAbandon = true;
    if (TForm14* lobby = lobbyWindow()) lobby->PostTimeOutAbandon();
    platform::ShowMessage(Ui("You have lost the game because you took too much time to play."),
                          platform::SiteCaption);
}

void TForm1::TimerErrorTimer() {
    TimerError->stop();
    GameAborted = false;
    HideCompetitionPictures();
    fillClientArea(CurrentTableColor);
    BitBtn1->hide();
    // Nobody is waited for any more: a late guest finds no host, a late host no guest.
    CloseGameSockets();
    if (TForm14* lobby = lobbyWindow()) lobby->ToolButton6Click();
    platform::ShowMessage(Ui("Impossible to establish the connection with at least one of your opponents."),
                          platform::SiteCaption);
}

void TForm1::HideCompetitionPictures() {
    imgComp0->hide();
    imgComp1->hide();
    imgComp2->hide();
    imgCompx->hide();
    titreJeu->clear();
}

namespace {
void showLobby(TForm1& w) {
    if (TForm14* lobby = lobbyWindow()) lobby->show();
    if (AppForms().Form15) AppForms().Form15->hide();
    w.NouvellePartie1->setChecked(false);
    w.Seconnecter1->setChecked(true);
    w.Web1->setChecked(false);
}
} // namespace

void TForm1::Connect1Click() {
    showLobby(*this);
    if (TForm14* lobby = lobbyWindow()) lobby->ToolButton5Click();
}

void TForm1::Disconnect1Click() {
    showLobby(*this);
    if (TForm14* lobby = lobbyWindow()) lobby->ToolButton6Click();
}

void TForm1::UpdateNetOptionsForm(bool enable) {
    if (TForm8* options = AppForms().Form8) options->UpdateNetOptionsForm(enable);
}

void TForm1::OpenNetworkOptions() {
    TForm8* options = AppForms().Form8;
    if (!options) return;
    // Shown or not, the window shows the settings and the account counts as unedited.
    options->UpdateComponent();
    options->AccountEdited = false;
    options->ShowPage(TForm8::RowNetwork);
    options->show();
    options->raise();
    Options1->setChecked(true);
}

void TForm1::SetInputEnabled(bool enabled) {
    Area->setEnabled(enabled);
    menuBar()->setEnabled(enabled);
    if (auto* panel = findChild<QWidget*>("Panel3")) panel->setEnabled(enabled);
}

} // namespace client
