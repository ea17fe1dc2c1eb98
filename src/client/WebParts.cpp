#include "client/WebParts.h"

#include <QWidget>

#include "client/Forms.h"

namespace client {
namespace {
WebParts& parts() {
    static WebParts p;
    return p;
}
} // namespace

void InstallWebParts(WebParts p) { parts() = std::move(p); }
const WebParts& InstalledWebParts() { return parts(); }

WebBrowser* AppBrowser() { return dynamic_cast<WebBrowser*>(AppForms().Form15); }

} // namespace client
