#include "client/WindowHooks.h"

#include <vector>

#include "client/Forms.h"
#include "settings/Settings.h"
#include "client/Vuesc.h"
#include "client/WebParts.h"

namespace client {
namespace {

struct Hooks {
    std::vector<std::function<void()>> downloaded;
    std::vector<std::function<void()>> reachable;
    bool webReachable = false;
    std::function<bool()> loggedIn;
};

Hooks& hooks() {
    static Hooks h;
    return h;
}

} // namespace

void OnDownloadedLists(std::function<void()> refresh) { hooks().downloaded.push_back(std::move(refresh)); }

void RefreshDownloadedLists() {
    for (auto& refresh : hooks().downloaded) refresh();
    if (AppForms().Form1) AppForms().Form1->UpdateToolBar();
}

void OnWebReachable(std::function<void()> enable) {
    if (hooks().webReachable) enable();
    hooks().reachable.push_back(std::move(enable));
}

void WebBecameReachable() {
    if (hooks().webReachable) return;
    hooks().webReachable = true;
    for (auto& enable : hooks().reachable) enable();
}

bool WebReachable() { return hooks().webReachable; }

std::string WebPageUrl(int opt) {
    const Settings& s = AppSettings();
    const std::string home = AppForms().Form1 ? AppForms().Form1->WebPagesBaseUrl : std::string();
    return home + "?lg=" + s.Surname + "&pw=" + s.NetPassword + "&dwl=1&opt=" + std::to_string(opt) +
           "&lang=" + s.UniversLanguage;
}

void OpenWebPage(int opt) {
    TForm1* main = AppForms().Form1;
    WebBrowser* browser = AppBrowser();
    if (!main || !browser || !main->Web1->isEnabled()) return;
    main->BrowserHomeUrl = WebPageUrl(10);
    AppForms().Form15->show();
    main->Web1->setChecked(true);
    browser->Go(WebPageUrl(opt));
}

void SetLobbyLoggedInQuery(std::function<bool()> query) { hooks().loggedIn = std::move(query); }
bool LobbyLoggedIn() { return hooks().loggedIn && hooks().loggedIn(); }

void ResetWindowHooks() { hooks() = Hooks{}; }

} // namespace client
