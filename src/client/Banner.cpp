// The main window's web banner: its page's arrival enables the online controls once, offers
// a newer version, and sends the lobby's login check.
#include <QDir>
#include <QHBoxLayout>
#include <QTimer>
#include <QToolBar>

#include "sharedwin/Captions.h"
#include "sharedwin/Latin1Input.h"
#include "client/ClientApp.h"
#include "client/LobbySenders.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "client/UiText.h"
#include "client/VueApropos.h"
#include "client/VueDownloadsc.h"
#include "client/Vuesc.h"
#include "client/WebModule.h"
#include "client/WebParts.h"
#include "client/WebTitles.h"
#include "client/WindowHooks.h"
#include "lobby/UrlEncode.h"
#include "platform/MessageBox.h"

namespace client {

void TForm1::buildBannerPanel(QToolBar* panel) {
    auto* spacer = new QWidget(panel);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    panel->addWidget(spacer);
    PubArea = new QWidget(panel);
    PubArea->setObjectName("PubArea");
    PubArea->setFixedSize(BannerWidth, BannerHeight);
    panel->addWidget(PubArea);
    // Panel4 covers the banner until its page has arrived.
    Panel4 = new QLabel(PubArea);
    Panel4->setObjectName("Panel4");
    Panel4->setGeometry(0, 0, BannerWidth, BannerHeight);
    Panel4->setAutoFillBackground(true);
}

void TForm1::AreaPainted() {
    if (bannerStarted_) return;
    bannerStarted_ = true;
    // After the first paint, so neither the browser engine's libraries nor the banner ever
    // hold the window back.
    QTimer::singleShot(0, this, [this] {
        if (LoadWebModule()) AttachWebBrowser();
        GoPub(BannerUrl + "?lang=" + AppSettings().UniversLanguage);
    });
}

void TForm1::GoPub(const std::string& address) {
    const WebParts& parts = InstalledWebParts();
    if (PUB || !parts.OpenBanner) return;
    PUB = parts.OpenBanner(PubArea, address, [this](const std::string& title) { PUBProgressChange(title); });
    if (PUB) {
        PUB->setObjectName("PUB");
        PUB->setGeometry(0, 0, BannerWidth, BannerHeight);
        if (!BannerDone) Panel4->raise();
    }
}

void TForm1::PUBProgressChange(const std::string& title) {
    const auto version = BannerVersion(title);
    if (!version || BannerDone) return;
    BannerDone = true;
    EnableOnlineControls();
    if (AppSettings().CheckNewVersion > 0 && IsNewerVersion(*version, TForm2::Version)) OfferUpdate(*version);
    SendLobbyRequest(0, NextLoginCheck());
}

void TForm1::EnableOnlineControls() {
    for (QAction* a : {Community1, heOnlineGuide1, lchargerdesjoueurs1, hmes1, Downloadlanguages1, Connect1,
                       VOREKGAMESHomePage1, Seconnecter1, Web1})
        a->setEnabled(true);
    Disconnect1->setEnabled(false);
    UpdateNetOptionsForm(true);
    ToolButton2->setEnabled(true);
    ToolButton3->setEnabled(true);
    Panel4->hide();
    WebBecameReachable();
}

void TForm1::OfferUpdate(const std::string& version) {
    const std::string question = "MORVATEL " + version + " " + Ui("is currently available. Do you want to download it ?");
    if (platform::ShowMessage(question, platform::SiteCaption, platform::MsgButtons::YesNo) !=
        platform::MsgAnswer::Yes)
        return;
    const QString temp = QDir::tempPath();
    const std::optional<std::string> tempFolder = ChosenPath(temp);
    if (!tempFolder) return;
    QDir().mkpath(temp);
    auto* download = new TForm10(this);
    download->LocalPath = *tempFolder + "/morvatelSetup.exe";
    download->Url = lobby::UrlEncode(FilesBaseUrl + "software/morvatel/morvatelSetup.exe");
    download->ExtractBaseDir = *tempFolder;
    download->ExpectedSize = 2500000;
    download->IsUpdate = true;
    download->Label1->setText(Q("Filename : morvatelSetup.exe"));
    download->show();
    download->DownloadFile();
}

} // namespace client
