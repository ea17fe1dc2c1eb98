#include <QDesktopServices>
#include <QUrl>

#include "lobby/GetInetFile.h"
#include "platform/HttpComponent.h"
#include "server/ServerSettings.h"
#include "platform/MessageBox.h"
#include "platform/SiteUrl.h"
#include "platform/WireUrl.h"
#include "server/ServerWindows.h"
#include "server/Vuesc.h"

namespace server {

namespace {
// As long as the blocking fetch gave a notice in all.
constexpr int NoticeDeadlineMs = 5000;
} // namespace

void FetchBlocking(const std::string& url) {
    std::string reply;
    lobby::GetInetFile(url, reply);
    if (TForm1* main = AppForms().Form1) main->LobbyReply = reply;
}

void PostNotice(QObject* owner, const std::string& url) {
    auto* http = new platform::HttpComponent(QStringLiteral("Notice"), owner);
    const ServerSettings& s = AppSettings();
    if (s.IsProxy) http->SetProxy(s.ProxyAddress, s.ProxyPort);
    http->SetTimeout(NoticeDeadlineMs);
    http->SetDeadline(NoticeDeadlineMs);
    QObject::connect(http, &platform::HttpComponent::Success, http, &QObject::deleteLater);
    QObject::connect(http, &platform::HttpComponent::Failure, http, &QObject::deleteLater);
    if (!http->Get(url)) http->deleteLater();
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
