#include "client/LobbySenders.h"

#include <QCoreApplication>
#include <QPointer>

#include "client/Forms.h"
#include "client/Settings.h"
#include "client/Vuesc.h"
#include "lobby/Counter.h"
#include "lobby/RequestMaker.h"

namespace client {

namespace {
QPointer<lobby::Senders>& senders() {
    static QPointer<lobby::Senders> s;
    return s;
}
} // namespace

lobby::Senders& AppLobbySenders() {
    // Deleted while the application object still exists: the components' network threads
    // must not outlive it.
    if (!senders()) {
        senders() = new lobby::Senders();
        qAddPostRoutine([] { delete senders().data(); });
    }
    return *senders();
}

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
    lobby::Senders& senders = AppLobbySenders();
    senders.ApplyProxy(s.IsProxy, s.ProxyAddress, s.ProxyPort);
    senders.Send(code, encodedUrl);
}

} // namespace client
