#include <QDesktopServices>
#include <QUrl>

#include "lobby/GetInetFile.h"
#include "platform/MessageBox.h"
#include "platform/SiteUrl.h"
#include "platform/WireUrl.h"
#include "server/ServerWindows.h"
#include "server/Vuesc.h"

namespace server {

void FetchBlocking(const std::string& url) {
    std::string reply;
    lobby::GetInetFile(url, reply);
    if (TForm1* main = AppForms().Form1) main->LobbyReply = reply;
}

std::function<bool(const std::string&)> OpenInBrowser = [](const std::string& url) {
    return QDesktopServices::openUrl(platform::ToQUrl(url));
};

std::string CommunityPlayersUrl() { return platform::SiteBaseUrl() + "us/community/players"; }

bool OpenInBrowserOrTell(const std::string& url) {
    if (OpenInBrowser && OpenInBrowser(url)) return true;
    platform::ShowMessage("Cannot invoke any Web Browser. Please go to " + platform::SiteBaseUrl() + " when you can.",
                          platform::SiteCaption);
    return false;
}

} // namespace server
