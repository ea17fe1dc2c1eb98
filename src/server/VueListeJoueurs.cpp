// The server's player list.
#include "settings/Settings.h"
#include "platform/ProgramFolder.h"
#include "server/ServerSettings.h"
#include "server/ServerWindows.h"

namespace server {

TForm9::TForm9(QWidget* mainWindow) : PlayerList(mainWindow) {}

std::array<std::string, 3> TForm9::SeatFiles() const {
    const ServerSettings& s = AppSettings();
    return {platform::FileNamePart(s.LeftPlayerFile), platform::FileNamePart(s.MeFile),
            platform::FileNamePart(s.RightPlayerFile)};
}

void TForm9::ChooseProfile(const std::string& fileName) {
    if (Seat >= 0 && Seat <= 2) SeatProfileSetting(AppSettings(), Seat) = fileName;
}

void TForm9::OpenDownloadPage() { OpenInBrowserOrTell(CommunityPlayersUrl()); }

void TForm9::BeforeListVrk() {
    // The profiles are read from the program's folder, whatever the current folder.
    platform::ChangeToProgramFolder();
    client::SetProgramDir(platform::ProgramFolder());
}

} // namespace server
