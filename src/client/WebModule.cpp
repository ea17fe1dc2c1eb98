#include "client/WebModule.h"

#include <QCoreApplication>
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

// The engine's windows share OpenGL contexts with the application's; the engine makes the
// shared context when the module installs it (BrowserEngine.cpp). Set while the module
// loads rather than before the application object, where it would cost every start a
// context of its own; Qt's notes that it comes late (ours and the engine's) say nothing of
// use here and are kept off the standard error.
struct LateContextSharing {
    static inline QtMessageHandler previous = nullptr;
    static void filter(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (!text.contains(QLatin1String("AA_ShareOpenGLContexts"))) previous(type, context, text);
    }
    LateContextSharing() {
        previous = qInstallMessageHandler(filter);
        QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    }
    ~LateContextSharing() { qInstallMessageHandler(previous); }
};

WebModuleState load(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return WebModuleState::Absent;
    LateContextSharing sharing;
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
