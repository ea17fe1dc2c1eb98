#pragma once
#include <functional>
#include <string>

// What windows built apart from each other ask of one another without knowing each
// other's classes: the lists to refresh after a download has unpacked files, the controls
// to enable once the web site has answered, and opening a page of the site.
namespace client {

// Registers a refresh run by RefreshDownloadedLists, in registration order.
void OnDownloadedLists(std::function<void()> refresh);
// Runs every registered refresh, then the main window's tool bar update.
void RefreshDownloadedLists();

// Registers what to enable once the web site is reachable; runs it at once when the site
// has already answered.
void OnWebReachable(std::function<void()> enable);
// Called once per run, when the banner page has arrived.
void WebBecameReachable();
bool WebReachable();

// The site's page `opt` with the player's nickname, password and language.
std::string WebPageUrl(int opt);
// Opens that page in the web browser window.
void OpenWebPage(int opt);

// Whether the player is logged into the lobby; false until the lobby window answers it.
void SetLobbyLoggedInQuery(std::function<bool()> query);
bool LobbyLoggedIn();

// Forgets every registration (tests).
void ResetWindowHooks();

} // namespace client
