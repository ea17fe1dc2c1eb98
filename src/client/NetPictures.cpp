// The opponents' pictures of a network game: downloaded from the site's community folder
// into "players/net" and shown on seats 0 and 2.
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "settings/Settings.h"
#include "client/Vuesc.h"
#include "lobby/Counter.h"
#include "lobby/UrlEncode.h"
#include "platform/ProgramFolder.h"

namespace client {

namespace {

constexpr qint64 SmallestPicture = 70;  // a reply this short is an error page, not a picture
constexpr qint64 LargestPicture = 1 << 20;
const char* const NetFolder = "players/net/";
// The stock picture: the classic place first, then the shipped standard player's picture.
const char* const StockPictures[] = {"players/standard player/standard player.jpg", "players/standard/standard.jpg"};

// A seat name from the other side is a file name only when it cannot leave its folder.
bool safeName(const std::string& name) {
    return !name.empty() && name.find_first_of("/\\") == std::string::npos && name.find("..") == std::string::npos &&
           name.find(':') == std::string::npos;
}

TableView* tableOf(Jeu* game) { return game ? dynamic_cast<TableView*>(game->View()) : nullptr; }

qint64 GetFileSize(const std::string& path) {
    const QFileInfo info(platform::FileSystemPath(path));
    return info.exists() && info.isFile() ? info.size() : 0;
}

} // namespace

void TForm1::ApplyPictureProxy() {
    const Settings& s = AppSettings();
    for (platform::HttpComponent* c : {NMHTTPA, NMHTTPB}) {
        if (s.IsProxy) c->SetProxy(s.ProxyAddress, s.ProxyPort);
        else c->ClearProxy();
    }
}

void TForm1::FetchNetPictures(Jeu& game) {
    const int seats[2] = {0, 2};
    platform::HttpComponent* components[2] = {NMHTTPA, NMHTTPB};
    for (int i = 0; i < 2; ++i) {
        const std::string& name = game.Seats[seats[i]].Name;
        NetPictureFile[i].clear();
        if (game.IsHost) lobby::AppCounters().Take(lobby::CounterStepOf(lobby::LobbyRow::PictureFetch));
        if (!safeName(name)) continue;
        NetPictureFile[i] = name + ".jpg";
        components[i]->SetMaxBody(LargestPicture);
        components[i]->Get(lobby::UrlEncode(FilesBaseUrl + "players/community/" + NetPictureFile[i]));
    }
}

void TForm1::ReloadNetPictures(Jeu& game) {
    TableView* view = tableOf(&game);
    if (!view) return;
    const int seats[2] = {0, 2};
    for (int i = 0; i < 2; ++i) {
        if (NetPictureFile[i].empty()) continue;
        const std::string path = InProgramDir(NetFolder + NetPictureFile[i]);
        if (GetFileSize(path) > SmallestPicture)
            if (auto picture = platform::LoadJpeg(path)) view->SeatPictures[seats[i]] = std::move(picture);
    }
}

void TForm1::netPictureArrived(int slot, const QByteArray& body) {
    if (NetPictureFile[slot].empty()) return;
    QDir().mkpath(platform::FileSystemPath(InProgramDir(NetFolder)));
    const std::string path = InProgramDir(NetFolder + NetPictureFile[slot]);
    QFile file(platform::FileSystemPath(path));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    // Saved as one line of text, as the pictures always were.
    file.write(body);
    file.write("\r\n");
    file.close();
    if (GetFileSize(path) <= SmallestPicture) return;
    if (TableView* view = tableOf(CurrentGame.get()))
        if (auto picture = platform::LoadJpeg(path)) {
            view->SeatPictures[slot == 0 ? 0 : 2] = std::move(picture);
            SurfaceChanged();
        }
}

void TForm1::netPictureFailed(int slot) {
    TableView* view = tableOf(CurrentGame.get());
    if (!view) return;
    auto& picture = view->SeatPictures[slot == 0 ? 0 : 2];
    picture.reset();
    for (const char* stock : StockPictures) {
        const std::string path = InProgramDir(stock);
        if (QFileInfo::exists(platform::FileSystemPath(path))) {
            picture = platform::LoadJpeg(path);
            break;
        }
    }
    SurfaceChanged();
}

void TForm1::NMHTTPASuccess(const QByteArray& body) { netPictureArrived(0, body); }
void TForm1::NMHTTPBSuccess(const QByteArray& body) { netPictureArrived(1, body); }
void TForm1::NMHTTPAFailure() { netPictureFailed(0); }
void TForm1::NMHTTPBFailure() { netPictureFailed(1); }

} // namespace client
