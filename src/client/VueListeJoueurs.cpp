#include "client/VueListeJoueurs.h"

#include <QPointer>

#include "client/Forms.h"
#include "settings/Settings.h"
#include "client/Vuesc.h"
#include "client/WindowHooks.h"

namespace client {

TForm9::TForm9(QWidget* mainWindow) : PlayerList(mainWindow) {
    BitBtn2->setEnabled(false);  // until the web site has answered
    OnWebReachable([this, alive = QPointer<TForm9>(this)] {
        if (alive) BitBtn2->setEnabled(true);
    });
}

std::array<std::string, 3> TForm9::SeatFiles() const {
    const Settings& s = AppSettings();
    return {s.LeftPlayerFile, s.MeFile, s.RightPlayerFile};
}

void TForm9::ChooseProfile(const std::string& fileName) {
    Settings& s = AppSettings();
    std::string* seats[] = {&s.LeftPlayerFile, &s.MeFile, &s.RightPlayerFile};
    if (Seat >= 0 && Seat <= 2) *seats[Seat] = fileName;
}

void TForm9::PlayProfileSound() {
    if (TForm1* main = AppForms().Form1; main && !ProfileSoundFile.empty())
        main->Voice.EmetSon(0, InProgramDir(ProfileSoundFile));
}

void TForm9::OpenDownloadPage() {
    if (TForm1* main = AppForms().Form1) main->show();
    OpenWebPage(3);
    close();
}

} // namespace client
