// The main window's menus and tool buttons.
#include <QDesktopServices>
#include <QDir>
#include <QMenuBar>
#include <QProcess>
#include <QToolBar>
#include <QUrl>

#include "sharedwin/Captions.h"
#include "sharedwin/Controls.h"
#include "client/Forms.h"
#include "settings/Language.h"
#include "sharedwin/QtColors.h"
#include "platform/ProgramFolder.h"
#include "settings/Settings.h"
#include "settings/ThemeFile.h"
#include "settings/Themes.h"
#include "client/Shell.h"
#include "client/UiText.h"
#include "client/Vue3Dsc.h"
#include "client/VueApropos.h"
#include "client/VueListeJoueurs.h"
#include "client/VueOptions.h"
#include "client/VueStatistique.h"
#include "client/VueInfoJeu.h"
#include "client/Vuesc.h"
#include "client/WebParts.h"
#include "client/WindowHooks.h"
#include "platform/MessageBox.h"

namespace client {

namespace {
const QString RingName = QStringLiteral("The Ring");

QAction* item(QMenu* menu, const char* name, const std::string& caption,
              const QKeySequence& key = {}, bool checkable = false,
              const std::string& suffix = {}) {
    QAction* a = menu->addAction(QString());
    a->setObjectName(name);
    SetCaption(a, caption, suffix);
    if (!key.isEmpty()) {
        a->setShortcut(key);
        // The tool windows belong to the main window: its short cuts work from them too.
        a->setShortcutContext(Qt::ApplicationShortcut);
    }
    a->setCheckable(checkable);
    return a;
}

void toggleWindow(QWidget* window, QAction* tick) {
    if (!window) return;
    tick->setChecked(!window->isVisible());
    window->setVisible(tick->isChecked());
}
} // namespace

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    Partie1 = bar->addMenu(QString());
    SetCaption(Partie1, "Game");
    Partie1->setObjectName("Partie1");
    NewGame1 = item(Partie1, "NewGame1", "New Game", QKeySequence("Ctrl+N"));
    Connect1 = item(Partie1, "Connect1", "Connect", QKeySequence("Ctrl+C"));
    Disconnect1 = item(Partie1, "Disconnect1", "Disconnect", QKeySequence("Ctrl+D"));
    Partie1->addSeparator();
    Statistiques1 = item(Partie1, "Statistiques1", "Statistics", {}, false, "...");
    Options1 = item(Partie1, "Options1", "Preferences", QKeySequence("Ctrl+G"), true, "...");
    Partie1->addSeparator();
    Quitter1 = item(Partie1, "Quitter1", "Exit");

    Vue1 = bar->addMenu(QString());
    SetCaption(Vue1, "View");
    Vue1->setObjectName("Vue1");
    Vuedesinformations1 =
        item(Vue1, "Vuedesinformations1", "Information View", QKeySequence("Ctrl+I"), true);
    // The network game's name is the same in every language.
    Seconnecter1 = Vue1->addAction(RingName);
    Seconnecter1->setObjectName("Seconnecter1");
    Seconnecter1->setShortcut(QKeySequence(Qt::Key_F2));
    Seconnecter1->setShortcutContext(Qt::ApplicationShortcut);
    Seconnecter1->setCheckable(true);
    Web1 = item(Vue1, "Web1", "Web Browser", QKeySequence(Qt::Key_F3), true);
    NouvellePartie1 = item(Vue1, "NouvellePartie1", "3D View", QKeySequence(Qt::Key_F4), true);
    Controleduson1 = item(Vue1, "Controleduson1", "Sound Control", QKeySequence(Qt::Key_F5), true);
    thmes1 = Vue1->addMenu(QString());
    SetCaption(thmes1, "Themes");
    thmes1->setObjectName("thmes1");
    thmes1->addSeparator();
    hmes1 = item(thmes1, "hmes1", "Download themes");
    Language1 = Vue1->addMenu(QString());
    SetCaption(Language1, "Language");
    Language1->setObjectName("Language1");
    Language1->addSeparator();
    Downloadlanguages1 = item(Language1, "Downloadlanguages1", "Download languages");

    Plug1 = bar->addMenu(QString());
    SetCaption(Plug1, "Players");
    Plug1->setObjectName("Plug1");
    lchargerdesjoueurs1 = item(Plug1, "lchargerdesjoueurs1", "Download players");
    Editiondesjoueurs1 = item(Plug1, "Editiondesjoueurs1", "Launch VOREK Editor");
    QAction* playersList = item(Plug1, "Listedesjoueurs1", "Players list");
    connect(playersList, &QAction::triggered, this, [] {
        TForm9* list = AppForms().Form9;
        if (!list) return;
        list->Mode = 0;
        list->CurrentProfile = AppForms().Form8 ? AppForms().Form8->SelectedProfile : std::string();
        OpenInFrontOf(list, AppForms().Form1);
    });

    Aproposdenous1 = bar->addMenu(QString());
    SetCaption(Aproposdenous1, "Help");
    Aproposdenous1->setObjectName("Aproposdenous1");
    RglesCommandes1 = item(Aproposdenous1, "RglesCommandes1", "Help", QKeySequence(Qt::Key_F1));
    heOnlineGuide1 = item(Aproposdenous1, "heOnlineGuide1", "The online guide");
    VOREKGAMESHomePage1 = item(Aproposdenous1, "VOREKGAMESHomePage1", "Home page");
    Community1 = item(Aproposdenous1, "Community1", "Community");
    VOREKDomino1 = item(Aproposdenous1, "VOREKDomino1", "About", {}, false, "...");

    connect(NewGame1, &QAction::triggered, this, &TForm1::NouvellePartieLocal);
    connect(Connect1, &QAction::triggered, this, &TForm1::Connect1Click);
    connect(Disconnect1, &QAction::triggered, this, &TForm1::Disconnect1Click);
    connect(Quitter1, &QAction::triggered, this, &TForm1::Quitter1Click);
    connect(Vuedesinformations1, &QAction::triggered, this, &TForm1::Vuedesinformations1Click);
    connect(NouvellePartie1, &QAction::triggered, this, &TForm1::NouvellePartie1Click);
    connect(Controleduson1, &QAction::triggered, this, &TForm1::Controleduson1Click);
    connect(RglesCommandes1, &QAction::triggered, this, &TForm1::RglesCommandes1Click);
    connect(Editiondesjoueurs1, &QAction::triggered, this, &TForm1::Editiondesjoueurs1Click);
    connect(Statistiques1, &QAction::triggered, this, &TForm1::Statistiques1Click);
    connect(VOREKDomino1, &QAction::triggered, this, [] {
        if (auto* about = static_cast<QDialog*>(AppForms().Form2)) about->open();
    });
    connect(Options1, &QAction::triggered, this, [] {
        if (TForm8* options = AppForms().Form8) options->OpenFromMenu();
    });
    connect(Seconnecter1, &QAction::triggered, this, [this] {
        if (Seconnecter1->isEnabled()) toggleWindow(AppForms().Form14, Seconnecter1);
    });
    connect(Web1, &QAction::triggered, this, [this] {
        if (!Web1->isEnabled()) return;
        toggleWindow(AppForms().Form15, Web1);
        if (BrowserHomeUrl.empty()) {
            BrowserHomeUrl = WebPageUrl(10);
            if (WebBrowser* browser = AppBrowser()) browser->Go(BrowserHomeUrl);
        }
    });
    // The site's pages, each in the web browser window.
    const std::pair<QAction*, int> pages[] = {{hmes1, 1}, {lchargerdesjoueurs1, 3}, {Downloadlanguages1, 4},
                                              {heOnlineGuide1, 6}, {VOREKGAMESHomePage1, 7}, {Community1, 10}};
    for (auto [action, opt] : pages)
        connect(action, &QAction::triggered, this, [opt = opt] { OpenWebPage(opt); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] {
        if (QWidget* w = AppForms().Form12) w->show();
    });
    UpdateToolBar();
}

void TForm1::buildToolBar() {
    QToolBar* panel = addToolBar("Panel3");
    panel->setObjectName("Panel3");
    panel->setMovable(false);
    auto button = [&](const char* name, QAction* action) {
        auto* b = new QToolButton(panel);
        b->setObjectName(name);
        connect(b, &QToolButton::clicked, action, &QAction::trigger);
        panel->addWidget(b);
        return b;
    };
    ToolButton2 = button("ToolButton2", Seconnecter1);
    ToolButton2->setText(RingName);
    ToolButton2->setToolTip(RingName);
    ToolButton3 = button("ToolButton3", Web1);
    ToolButton4 = button("ToolButton4", NouvellePartie1);
    ToolButton7 = button("ToolButton7", Controleduson1);
    // The sound control button is offered exactly when its menu item is.
    ToolButton7->setEnabled(Controleduson1->isEnabled());
    connect(Controleduson1, &QAction::changed, ToolButton7,
            [this] { ToolButton7->setEnabled(Controleduson1->isEnabled()); });
    for (auto [b, key] : {std::pair{ToolButton3, "Web Browser"}, std::pair{ToolButton4, "3D View"},
                          std::pair{ToolButton7, "Sound Control"}}) {
        SetCaption(b, key);
        SetHint(b, key);
    }
    buildBannerPanel(panel);
}

void TForm1::Statistiques1Click() {
    auto* stats = static_cast<TForm6*>(AppForms().Form6);
    if (!stats) return;
    if (!stats->UpdateStat()) {
        platform::ShowMessage(Ui("The statistics file could not be read."), platform::SiteCaption);
        return;
    }
    stats->open();  // modal to the main window
}

void TForm1::Vuedesinformations1Click() {
    if (TForm4* info = AppForms().Form4) info->setVisible(Vuedesinformations1->isChecked());
}

void TForm1::NouvellePartie1Click() {
    if (TForm17* camera = AppForms().Form17) camera->setVisible(NouvellePartie1->isChecked());
}

void TForm1::Controleduson1Click() {
    if (QWidget* sound = AppForms().Form5) sound->setVisible(Controleduson1->isChecked());
}

namespace {
// The themes in the themes folder, by name, in name order (the listing leaves out names
// no settings file could hold).
QStringList themeNames() {
    QStringList names;
    for (const std::string& name : thmList()) names << Q(name);
    return names;
}
} // namespace

void TForm1::UpdateToolBar() {
    // The options window's lists first, so that they and the menus show the same.
    if (TForm8* options = AppForms().Form8) {
        options->Update_DonneesT();
        options->Update_listLng();
        options->selectCurrentLanguage();
    }
    while (thmes1->actions().size() >= 3) {
        QAction* first = thmes1->actions().first();
        thmes1->removeAction(first);
        first->deleteLater();
    }
    const QStringList names = themeNames();
    QAction* before = thmes1->actions().value(0);
    for (int i = 0; i < names.size(); ++i) {
        auto* a = new QAction(names[i], thmes1);
        a->setCheckable(true);
        a->setChecked(S(names[i]) + ".thm" == AppSettings().ThemeFilePath);
        connect(a, &QAction::triggered, this, [this, i] { ChangeTheme(i); });
        thmes1->insertAction(before, a);
    }
    while (Language1->actions().size() >= 3) {
        QAction* first = Language1->actions().first();
        Language1->removeAction(first);
        first->deleteLater();
    }
    const auto languages = ListLanguages();
    QAction* beforeLanguages = Language1->actions().value(0);
    for (int i = 0; i < static_cast<int>(languages.size()); ++i) {
        auto* a = new QAction(Q(languages[i].Name), Language1);
        a->setCheckable(true);
        a->setChecked(languages[i].FileName == AppSettings().LngFilePath);
        connect(a, &QAction::triggered, this, [this, i] { ChangeLanguage(i); });
        Language1->insertAction(beforeLanguages, a);
    }
}

// The menu applies a theme as the themes page's apply button does (a bad file keeps the
// theme in force and is told there).
void TForm1::ChangeTheme(int index) {
    const QStringList names = themeNames();
    TForm8* options = AppForms().Form8;
    if (index < 0 || index >= names.size() || !options) return;
    options->UpdateComponent();
    options->ApplyTheme(S(names[index]));
    UpdateToolBar();
}

void TForm1::ChangeLanguage(int index) {
    const auto languages = ListLanguages();
    if (index >= 0 && index < static_cast<int>(languages.size()) &&
        SwitchLanguage(languages[index].FileName, "The selected LNG file is erroneous or non-existent"))
        FormPaint();  // the listener has retranslated every window
    UpdateToolBar();
}

void TForm1::RglesCommandes1Click() {
    const std::string help = InProgramDir("doc/morvatel.html");
    if (!QFileInfo::exists(platform::FileSystemPath(help))) {
        platform::ShowMessage(Ui("Problem in calling the help file."), platform::SiteCaption);
        return;
    }
    OpenWithDesktopOrTell(help, [](const std::string& why) {
        platform::ShowMessage(Ui("Problem in calling the help file.") + " " + why, platform::SiteCaption);
    });
}

void TForm1::Editiondesjoueurs1Click() {
    const QString editor = platform::FileSystemPath(InProgramDir("MVT Player Editor"));
    if (QFileInfo(editor).isExecutable() && QProcess::startDetached(editor, {})) return;
    if (Web1->isEnabled()) {
        if (platform::ShowMessage(Ui("Vrk Editor not found. Do you want to download it now ?"),
                                  platform::SiteCaption, platform::MsgButtons::YesNo) == platform::MsgAnswer::Yes)
            OpenWebPage(11);
    } else {
        platform::ShowMessage(Ui(std::string("Vrk Editor not found. You can download it at ") +
                                 platform::SiteCaption + "."),
                              platform::SiteCaption);
    }
}

} // namespace client
