#pragma once
#include <functional>
#include <string>

class QWidget;

// The parts of the client that need the browser engine. The main block installs them
// (BrowserEngine.h); without them the client has no banner and no browser, and stays
// offline, as it does when the site cannot be reached.
namespace client {

// What every window that opens a page asks of the web browser window.
class WebBrowser {
public:
    virtual ~WebBrowser() = default;
    virtual void Go(const std::string& address) = 0;
};

struct WebParts {
    // Makes the web browser window (a WebBrowser) as a tool window of the main window.
    std::function<QWidget*(QWidget* mainWindow)> MakeBrowser;
    // Makes the banner view inside `panel`, starts loading `address` and reports the
    // document title on every progress event.
    std::function<QWidget*(QWidget* panel, const std::string& address,
                           std::function<void(const std::string& title)> onProgress)>
        OpenBanner;
};

void InstallWebParts(WebParts parts);
const WebParts& InstalledWebParts();

// The browser window as a WebBrowser; null when the client runs without the engine.
WebBrowser* AppBrowser();

} // namespace client
