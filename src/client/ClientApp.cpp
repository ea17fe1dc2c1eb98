#include "client/ClientApp.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

#include "sharedwin/Captions.h"
#include "sharedwin/Latin1Input.h"
#include "client/Forms.h"
#include "settings/Language.h"
#include "client/Vue3Dsc.h"
#include "client/VueApropos.h"
#include "client/VueConnexionsc.h"
#include "client/VueInfoMessage.h"
#include "client/VueMessage.h"
#include "client/VueListeJoueurs.h"
#include "client/VueOptions.h"
#include "client/VuePreferences.h"
#include "client/VueSon.h"
#include "client/VueStatistique.h"
#include "client/VueInfoJeu.h"
#include "client/Vuesc.h"
#include "client/WebParts.h"
#include "client/WindowHooks.h"

namespace client {

QString InstanceLockPath() {
    // The user's runtime folder belongs to the user's session; without one the name carries
    // the user's id, so that no other user's copy or left-over lock is ever met.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
        if (!runtime.isEmpty() && QDir().mkpath(runtime)) return QDir(runtime).filePath("A_MUTEX_MORVATEL");
    }
    return QDir::temp().filePath(QString("A_MUTEX_MORVATEL-%1").arg(::getuid()));
}

std::unique_ptr<QLockFile> TakeInstanceLock(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    // A running copy holds its lock however long it runs; a lock whose process has died is
    // stale at once (QLockFile checks the process named in the file) and is taken over.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

std::unique_ptr<QLockFile> TakeInstanceLock() { return TakeInstanceLock(InstanceLockPath()); }

namespace {
// A window whose contents come later: it exists in its place in the creation order.
QWidget* placeholder(QWidget* main, const char* name, const char* caption) {
    auto* w = new QWidget(main, Qt::Tool);
    w->setObjectName(name);
    SetCaption(w, caption);
    w->resize(320, 200);
    return w;
}
} // namespace

QWidget* CreateClientWindows() {
    Forms& f = AppForms();
    auto* main = new TForm1();
    const WebParts& web = InstalledWebParts();
    f.Form15 = web.MakeBrowser ? web.MakeBrowser(main) : placeholder(main, "TForm15", "Web Browser");
    f.Form2 = new TForm2(main);
    f.Form3 = new TForm3(main);
    f.Form4 = new TForm4(main);
    f.Form9 = new TForm9(main);
    f.Form12 = new TForm12(main);
    f.Form11 = new TForm11(main);
    f.Form5 = new TForm5(main);
    f.Form6 = new TForm6(main);
    f.Form14 = new TForm14(main);
    f.Form17 = new TForm17(main);
    f.Form8 = new TForm8(main);
    KeepLatin1(main);  // every field of every window: texts are Latin-1
    // The language named in the settings, applied once every window exists.
    StartLanguage();  // the main window's listener retranslates every window
    main->UpdateToolBar();
    return main;
}

void AttachWebBrowser() {
    Forms& f = AppForms();
    const WebParts& web = InstalledWebParts();
    if (!f.Form1 || !web.MakeBrowser || AppBrowser()) return;
    QWidget* stand = f.Form15;
    f.Form15 = web.MakeBrowser(f.Form1);  // its captions come in the language in force
    KeepLatin1(f.Form15);
    delete stand;
}

void DestroyClientWindows() {
    Forms& f = AppForms();
    delete f.Form1;  // the other windows are its children
    f = Forms{};
    ResetWindowHooks();
}

} // namespace client
