#include "client/ClientApp.h"

#include <QDir>

#include "client/Captions.h"
#include "client/Forms.h"
#include "client/Language.h"
#include "client/Vue3Dsc.h"
#include "client/VueApropos.h"
#include "client/VueConnexionsc.h"
#include "client/VueInfoMessage.h"
#include "client/VueMessage.h"
#include "client/VueSon.h"
#include "client/VueStatistique.h"
#include "client/VueInfoJeu.h"
#include "client/Vuesc.h"

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
    f.Form3 = placeholder(main, "TForm3", "Theme editor");
    f.Form4 = new TForm4(main);
    f.Form9 = placeholder(main, "TForm9", "Players");
    f.Form12 = new TForm12(main);
    f.Form11 = new TForm11(main);
    f.Form5 = new TForm5(main);
    f.Form6 = new TForm6(main);
    f.Form14 = new TForm14(main);
    f.Form17 = new TForm17(main);
    f.Form8 = placeholder(main, "TForm8", "Options");
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
}

} // namespace client
