// The server's player list.
#include "client/Settings.h"
#include "platform/ProgramFolder.h"
#include "server/ServerSettings.h"
#include "server/ServerWindows.h"

namespace server {

namespace {
std::string fileNamePart(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
} // namespace

TForm9::TForm9(QWidget* mainWindow) : PlayerList(mainWindow) {}

std::array<std::string, 3> TForm9::SeatFiles() const {
    const ServerSettings& s = AppSettings();
    return {fileNamePart(s.LeftPlayerFile), fileNamePart(s.MeFile), fileNamePart(s.RightPlayerFile)};
}

void TForm9::ChooseProfile(const std::string& fileName) {
    ServerSettings& s = AppSettings();
    std::string* seats[] = {&s.LeftPlayerFile, &s.MeFile, &s.RightPlayerFile};
    if (Seat >= 0 && Seat <= 2) *seats[Seat] = fileName;
}

void TForm9::OpenDownloadPage() { OpenInBrowserOrTell(CommunityPlayersUrl()); }

void TForm9::BeforeListVrk() {
    // The profiles are read from the program's folder, whatever the current folder.
    platform::ChangeToProgramFolder();
    client::SetProgramDir(platform::ProgramFolder());
}

} // namespace server
