#include "client/LoginCheck.h"

#include "client/Settings.h"
#include "lobby/Senders.h"

namespace client {

lobby::Senders& LoginCheckSenders() {
    static lobby::Senders* senders = new lobby::Senders;  // lives as long as the program
    return *senders;
}

void SendThroughLobby(const std::string& encodedUrl) {
    const Settings& s = AppSettings();
    platform::HttpComponent& http = LoginCheckSenders().Component(0);
    if (s.IsProxy) http.SetProxy(s.ProxyAddress, s.ProxyPort);
    else http.ClearProxy();
    LoginCheckSenders().Send(0, encodedUrl);
}

} // namespace client
