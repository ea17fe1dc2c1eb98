#include <QDesktopServices>
#include <QUrl>

#include "lobby/GetInetFile.h"
#include "server/ServerWindows.h"
#include "server/Vuesc.h"

namespace server {

void FetchBlocking(const std::string& url) {
    std::string reply;
    lobby::GetInetFile(url, reply);
    if (TForm1* main = AppForms().Form1) main->LobbyReply = reply;
}

std::function<bool(const std::string&)> OpenInBrowser = [](const std::string& url) {
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
};

} // namespace server
