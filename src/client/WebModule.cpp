#include "client/WebModule.h"

#include <QFileInfo>
#include <QLibrary>
#include <cstdio>

#include "sharedwin/QtColors.h"
#include "client/WebParts.h"

namespace client {
namespace {
struct ModuleState {
    QString path;
    WebModuleState state = WebModuleState::NotTried;
};
ModuleState& module() {
    static ModuleState m;
    return m;
}

bool partsInstalled() {
    const WebParts& parts = InstalledWebParts();
    return parts.MakeBrowser && parts.OpenBanner;
}

WebModuleState load(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return WebModuleState::Absent;
    // Every symbol is bound now, so a module that does not fit this program fails here, not
    // later in the middle of a page.
    QLibrary library(path);
    library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    auto install = reinterpret_cast<void (*)()>(library.resolve(WebModuleEntry));
    if (!install) {
        std::fprintf(stderr, "morvatel: the browser engine cannot be loaded, the client stays offline: %s\n",
                     S(library.errorString()).c_str());
        return WebModuleState::Failed;
    }
    install();  // the library stays loaded for the rest of the run
    return partsInstalled() ? WebModuleState::Loaded : WebModuleState::Failed;
}
} // namespace

void SetWebModulePath(const QString& path) {
    module().path = path;
    module().state = WebModuleState::NotTried;
}

bool LoadWebModule() {
    ModuleState& m = module();
    if (m.state == WebModuleState::NotTried) m.state = partsInstalled() ? WebModuleState::Loaded : load(m.path);
    return partsInstalled();
}

WebModuleState WebModuleStatus() { return module().state; }

} // namespace client
