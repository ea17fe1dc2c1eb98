// The main window's side of network games: listening as the host, connecting as a guest,
// closing the game sockets.
#include "client/Forms.h"
#include "client/QtColors.h"
#include "client/Settings.h"
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
    GameGuest->Connect(trimmed(hostAddress), hostPort, socks);
}

} // namespace client
