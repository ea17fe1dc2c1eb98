#include "client/LobbySenders.h"

#include "client/Forms.h"
#include "settings/Settings.h"
#include "client/Vuesc.h"
#include "lobby/Counter.h"
#include "lobby/RequestMaker.h"

namespace client {

std::string NextLoginCheck() {
    const Settings& s = AppSettings();
    lobby::LobbyIdentity id;
    id.WebBaseUrl = AppForms().Form1 ? AppForms().Form1->WebBaseUrl : std::string();
    id.Surname = s.Surname;
    id.NetPassword = s.NetPassword;
    return lobby::RequestMaker(id, lobby::AppCounters()).LoginCheck();
}

void SendLobbyRequest(int code, const std::string& encodedUrl) {
    const Settings& s = AppSettings();
    lobby::Senders& senders = lobby::AppSenders();
    senders.ApplyProxy(s.IsProxy, s.ProxyAddress, s.ProxyPort);
    senders.Send(code, encodedUrl);
}

} // namespace client
