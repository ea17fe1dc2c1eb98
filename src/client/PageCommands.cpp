#include "client/PageCommands.h"

#include "client/Forms.h"
#include "client/LobbySenders.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "client/UiText.h"
#include "client/VueDownloadsc.h"
#include "client/Vuesc.h"
#include "client/WebTitles.h"
#include "client/WindowHooks.h"
#include "lobby/UrlEncode.h"
#include "platform/MessageBox.h"

namespace client {
namespace {

void logIn(const LoggingCommand& command, WebBrowser& browser) {
    Settings& s = AppSettings();
    s.Surname = command.Surname;
    s.NetPassword = command.Password;
    const std::string check = NextLoginCheck();
    TForm1* main = AppForms().Form1;
    if (!main || !main->Web1->isEnabled() || LobbyLoggedIn()) return;
    main->BrowserHomeUrl = WebPageUrl(10);
    browser.Go(main->BrowserHomeUrl);
    SendLobbyRequest(0, check);
    SaveIniFile();
}

void download(const DownloadOrder& order, WebBrowser& browser) {
    switch (order.Result) {
    case DownloadOrder::Status::KindNotANumber:
        // The platform's own conversion error, as it stands.
        platform::ShowMessage("'" + order.KindText + "' is not a valid integer value.", platform::SiteCaption);
        return;
    case DownloadOrder::Status::Refused:
        platform::ShowMessage(Ui("Impossible to download this plug-in."), platform::SiteCaption);
        return;
    default:
        break;
    }
    browser.Go(WebPageUrl(order.PageOpt));
    auto* window = new TForm10(AppForms().Form1);
    window->Label1->setText(Q(order.Label));
    window->Url = lobby::UrlEncode(order.RemoteUrl);
    window->LocalPath = order.LocalPath;
    window->ExpectedSize = order.Size;
    window->ExtractBaseDir = order.ExtractDir;
    window->ExtractOnlyBelow = order.ExtractOnlyBelow;
    // The list page again, so it shows what is installed now, and a word in the status bar.
    const std::string file = order.FileName;
    const int opt = order.PageOpt;
    QObject::connect(window, &TForm10::Finished, window, [&browser, file, opt](TForm10::Outcome outcome) {
        if (outcome != TForm10::Outcome::Saved && outcome != TForm10::Outcome::Extracted) return;
        if (TForm1* main = AppForms().Form1) main->StatusBar1->showMessage(Q(Ui("Download finished: ") + file));
        browser.Go(WebPageUrl(opt));
    });
    window->show();
    window->DownloadFile();
}

} // namespace

void RunTitleCommand(const std::string& title, bool& titleArmed, WebBrowser& browser) {
    if (!titleArmed) return;
    if (title.rfind("Logging ", 0) == 0) {
        titleArmed = false;
        // A value too long or holding a control character is not taken.
        if (auto command = ParseLoggingTitle(title)) logIn(*command, browser);
        return;
    }
    const std::string files = AppForms().Form1 ? AppForms().Form1->FilesBaseUrl : std::string();
    const DownloadOrder order = ParseDownloadingTitle(title, InProgramDir(""), files);
    if (order.Result == DownloadOrder::Status::NotACommand) return;
    titleArmed = false;
    download(order, browser);
}

} // namespace client
