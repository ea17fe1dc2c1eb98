// The options window's themes page.
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "sharedwin/Captions.h"
#include "sharedwin/Controls.h"
#include "client/Forms.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "settings/ThemeFile.h"
#include "settings/Themes.h"
#include "client/UiText.h"
#include "client/VueOptions.h"
#include "client/VuePreferences.h"
#include "client/Vuesc.h"
#include "client/WindowHooks.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"

namespace client {

namespace {
std::string selectedTheme(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item ? S(item->text()) : std::string();
}

TForm3* editor() { return static_cast<TForm3*>(AppForms().Form3); }

// A theme file that reads whole; the settings never name another one.
bool readable(const std::string& file) {
    ThemeValues theme;
    return platform::IsSafeFileName(file) && ReadThemeFile(InProgramDir("themes/" + file), theme);
}
} // namespace

void TForm8::badTheme() {
    platform::ShowMessage(Ui("The selected theme file is erroneous or non-existent"), platform::SiteCaption);
    Update_DonneesT();
}

void TForm8::buildThemesPage() {
    ListBoxC2 = Named<QListWidget>(GroupBoxC1, "ListBoxC2");
    ListBoxC2->setSortingEnabled(true);
    BitBtnC1 = IconButton(GroupBoxC1, "BitBtnC1", QStyle::SP_DialogApplyButton, "Apply the selected theme");
    BitBtnC4 = IconButton(GroupBoxC1, "BitBtnC4", QStyle::SP_TrashIcon, "Delete selected theme");
    BitBtnC6 = IconButton(GroupBoxC1, "BitBtnC6", QStyle::SP_FileDialogDetailedView, "Edit", "...");
    BitBtnC5 = Captioned<QPushButton>(GroupBoxC1, "BitBtnC5", "Download", "...");
    SetHint(BitBtnC5, "Download themes", "...");
    BitBtnC5->setEnabled(false);  // until the web site has answered
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {BitBtnC1, BitBtnC4, BitBtnC6}) buttons->addWidget(b, 0, Qt::AlignLeft);
    buttons->addStretch();
    buttons->addWidget(BitBtnC5);
    auto* page = new QHBoxLayout;
    page->addWidget(ListBoxC2, 1);
    page->addLayout(buttons);
    static_cast<QVBoxLayout*>(GroupBoxC1->layout())->addLayout(page);
    // Arrow keys choose a theme as a click does.
    connect(ListBoxC2, &QListWidget::currentRowChanged, this, [this] {
        if (!loading_) ListBoxC2Click();
    });
    connect(ListBoxC2, &QListWidget::itemDoubleClicked, this, &TForm8::ListBoxC2DblClick);
    connect(BitBtnC1, &QPushButton::clicked, this, &TForm8::Button2Click);
    connect(BitBtnC6, &QPushButton::clicked, this, &TForm8::ListBoxC2DblClick);
    connect(BitBtnC4, &QPushButton::clicked, this, &TForm8::BitBtnC4Click);
    connect(BitBtnC5, &QPushButton::clicked, this, &TForm8::BitBtnC5Click);
}

void TForm8::Update_DonneesT() {
    const bool wasLoading = loading_;
    loading_ = true;
    ListBoxC2->clear();
    for (const std::string& name : thmList()) ListBoxC2->addItem(Q(name));
    const std::string& current = AppSettings().ThemeFilePath;
    const std::string name = current.size() > 4 ? current.substr(0, current.size() - 4) : std::string();
    const auto found = ListBoxC2->findItems(Q(name), Qt::MatchExactly);
    ListBoxC2->setCurrentItem(found.isEmpty() ? nullptr : found.first());
    BitBtnC4->setEnabled(ListBoxC2->count() > 0);
    loading_ = wasLoading;
}

// Applies the selected theme to the settings and the running game. A theme file that cannot
// be read keeps the theme in force: the user is told and nothing is saved, as from the menu.
void TForm8::Button2Click() {
    const std::string name = selectedTheme(ListBoxC2);
    if (name.empty()) return;
    const std::string file = name + ".thm";
    if (!readable(file)) return badTheme();
    Settings& s = AppSettings();
    s.ThemeFilePath = file;
    LoadTheme(s.ThemeFilePath);
    if (TForm3* e = editor()) {
        e->ThemeFileName = s.ThemeFilePath;
        e->Update_Donnees();
        e->UpdateComponent();
        e->Button3Click();
    }
    SaveIniFile();
    Update_DonneesT();
}

void TForm8::ApplyTheme(const std::string& name) {
    Update_DonneesT();
    const auto found = ListBoxC2->findItems(Q(name), Qt::MatchExactly);
    if (found.isEmpty()) return;
    loading_ = true;
    ListBoxC2->setCurrentItem(found.first());
    loading_ = false;
    Button2Click();
}

void TForm8::ListBoxC2Click() {
    const std::string name = selectedTheme(ListBoxC2);
    if (name.empty()) return;
    // A theme that cannot be read stays selected (to edit or delete it) but never becomes the
    // theme of the next start: that start would lose every setting to the default theme.
    if (!readable(name + ".thm")) return;
    AppSettings().ThemeFilePath = name + ".thm";
    Update_DonneesT();
}

void TForm8::ListBoxC2DblClick() {
    const std::string name = selectedTheme(ListBoxC2);
    TForm3* e = editor();
    if (name.empty() || !e) return;
    e->ThemeFileName = name + ".thm";
    e->Update_Donnees();
    e->UpdateComponent();
    OpenInFrontOf(e, this);
}

void TForm8::BitBtnC4Click() {
    const std::string name = selectedTheme(ListBoxC2);
    if (name.empty()) return;
    if (platform::ShowMessage(Ui("Do you really want to delete this theme ?") + "\n" + name, platform::SiteCaption,
                              platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
        return;
    const int index = ListBoxC2->currentRow();
    DeleteTheme(name);
    const bool left = TakeRowAndSelectNext(ListBoxC2, index);
    BitBtnC4->setEnabled(left);
    if (left) {
        AppSettings().ThemeFilePath = selectedTheme(ListBoxC2) + ".thm";
        Update_DonneesT();
        UpdateComponent();
    }
    if (TForm1* main = AppForms().Form1) main->UpdateToolBar();
}

void TForm8::BitBtnC5Click() { OpenWebPage(1); }

} // namespace client
