#include "client/LoginCheck.h"

#include "settings/Settings.h"
#include "lobby/Senders.h"

namespace client {

void SendThroughLobby(const std::string& encodedUrl) {
    const Settings& s = AppSettings();
    lobby::Senders& senders = lobby::AppSenders();
    senders.ApplyProxy(0, s.IsProxy, s.ProxyAddress, s.ProxyPort);
    senders.Send(0, encodedUrl);
}

} // namespace client
