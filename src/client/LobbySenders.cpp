#include "client/LobbySenders.h"

#include <QCoreApplication>
#include <QPointer>

#include "client/Forms.h"
#include "client/Settings.h"
#include "client/Vuesc.h"
#include "lobby/Counter.h"
#include "lobby/Requests.h"

namespace client {

lobby::Senders& AppLobbySenders() {
    // Owned by the application object, so it goes before Qt does.
    static QPointer<lobby::Senders> senders;
    if (!senders) senders = new lobby::Senders(QCoreApplication::instance());
    return *senders;
}

std::string NextLoginCheck() {
    const Settings& s = AppSettings();
    const int iop = ++lobby::AppCounters().LobbyRequestCounter;
    const std::string base = AppForms().Form1 ? AppForms().Form1->WebBaseUrl : std::string();
    return lobby::LoginCheckRequest(base, s.Surname, s.NetPassword, iop);
}

void SendLobbyRequest(int code, const std::string& encodedUrl) {
    const Settings& s = AppSettings();
    lobby::Senders& senders = AppLobbySenders();
    senders.ApplyProxy(s.IsProxy, s.ProxyAddress, s.ProxyPort);
    senders.Send(code, encodedUrl);
}

} // namespace client
