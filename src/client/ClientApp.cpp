#include "client/ClientApp.h"

#include <QDir>

#include "client/Captions.h"
#include "client/Forms.h"
#include "client/Language.h"
#include "client/Vue3Dsc.h"
#include "client/VueApropos.h"
#include "client/VueListeJoueurs.h"
#include "client/VueOptions.h"
#include "client/VuePreferences.h"
#include "client/VueSon.h"
#include "client/VueStatistique.h"
#include "client/VueInfoJeu.h"
#include "client/Vuesc.h"
#include "client/WindowHooks.h"

namespace client {

std::unique_ptr<QLockFile> TakeInstanceLock() {
    auto lock = std::make_unique<QLockFile>(QDir::temp().filePath("A_MUTEX_MORVATEL"));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

namespace {
// A window whose contents come later: it exists in its place in the creation order.
QWidget* placeholder(QWidget* main, const char* name, const char* caption) {
    auto* w = new QWidget(main, Qt::Tool);
    w->setObjectName(name);
    w->setWindowTitle(caption);
    w->resize(320, 200);
    return w;
}
} // namespace

QWidget* CreateClientWindows() {
    Forms& f = AppForms();
    auto* main = new TForm1();
    f.Form15 = placeholder(main, "TForm15", "Web browser");
    f.Form2 = new TForm2(main);
    f.Form3 = new TForm3(main);
    f.Form4 = new TForm4(main);
    f.Form9 = new TForm9(main);
    f.Form12 = placeholder(main, "TForm12", "Chat");
    f.Form11 = placeholder(main, "TForm11", "Message");
    f.Form5 = new TForm5(main);
    f.Form6 = new TForm6(main);
    f.Form14 = placeholder(main, "TForm14", "Connection");
    f.Form17 = new TForm17(main);
    f.Form8 = new TForm8(main);
    // The language named in the settings, applied once every window exists.
    StartLanguage();
    RetranslateCaptions(main);
    main->UpdateToolBar();
    return main;
}

void DestroyClientWindows() {
    Forms& f = AppForms();
    delete f.Form1;  // the other windows are its children
    f = Forms{};
    ResetWindowHooks();
}

} // namespace client
