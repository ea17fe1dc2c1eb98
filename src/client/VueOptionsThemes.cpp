// The options window's themes page.
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "sharedwin/Captions.h"
#include "sharedwin/Controls.h"
#include "client/Forms.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "settings/Themes.h"
#include "client/UiText.h"
#include "client/VueOptions.h"
#include "client/VuePreferences.h"
#include "client/Vuesc.h"
#include "client/WindowHooks.h"
#include "platform/MessageBox.h"

namespace client {

namespace {
std::string selectedTheme(const QListWidget* list) {
    const QListWidgetItem* item = list->currentItem();
    return item ? S(item->text()) : std::string();
}

TForm3* editor() { return static_cast<TForm3*>(AppForms().Form3); }
} // namespace

void TForm8::buildThemesPage() {
    ListBoxC2 = Named<QListWidget>(GroupBoxC1, "ListBoxC2");
    ListBoxC2->setSortingEnabled(true);
    BitBtnC1 = IconButton(GroupBoxC1, "BitBtnC1", QStyle::SP_DialogApplyButton, "Apply the selected theme");
    BitBtnC4 = IconButton(GroupBoxC1, "BitBtnC4", QStyle::SP_TrashIcon, "Delete selected theme");
    BitBtnC6 = IconButton(GroupBoxC1, "BitBtnC6", QStyle::SP_FileDialogDetailedView, "Edit");
    BitBtnC5 = Captioned<QPushButton>(GroupBoxC1, "BitBtnC5", "Download", "...");
    SetHint(BitBtnC5, "Download themes");
    BitBtnC5->setEnabled(false);  // until the web site has answered
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {BitBtnC1, BitBtnC4, BitBtnC6}) buttons->addWidget(b, 0, Qt::AlignLeft);
    buttons->addStretch();
    buttons->addWidget(BitBtnC5);
    auto* page = new QHBoxLayout;
    page->addWidget(ListBoxC2, 1);
    page->addLayout(buttons);
    static_cast<QVBoxLayout*>(GroupBoxC1->layout())->addLayout(page);
    connect(ListBoxC2, &QListWidget::itemClicked, this, &TForm8::ListBoxC2Click);
    connect(ListBoxC2, &QListWidget::itemDoubleClicked, this, &TForm8::ListBoxC2DblClick);
    connect(BitBtnC1, &QPushButton::clicked, this, &TForm8::Button2Click);
    connect(BitBtnC6, &QPushButton::clicked, this, &TForm8::ListBoxC2DblClick);
    connect(BitBtnC4, &QPushButton::clicked, this, &TForm8::BitBtnC4Click);
    connect(BitBtnC5, &QPushButton::clicked, this, &TForm8::BitBtnC5Click);
}

void TForm8::Update_DonneesT() {
    ListBoxC2->clear();
    for (const std::string& name : thmList()) ListBoxC2->addItem(Q(name));
    const std::string& current = AppSettings().ThemeFilePath;
    const std::string name = current.size() > 4 ? current.substr(0, current.size() - 4) : std::string();
    const auto found = ListBoxC2->findItems(Q(name), Qt::MatchExactly);
    ListBoxC2->setCurrentItem(found.isEmpty() ? nullptr : found.first());
    BitBtnC4->setEnabled(ListBoxC2->count() > 0);
}

void TForm8::Button2Click() {
    const std::string name = selectedTheme(ListBoxC2);
    if (name.empty()) return;
    Settings& s = AppSettings();
    s.ThemeFilePath = name + ".thm";
    LoadTheme(s.ThemeFilePath);
    if (TForm3* e = editor()) {
        e->ThemeFileName = s.ThemeFilePath;
        e->Update_Donnees();
        e->UpdateComponent();
        e->Button3Click();
    }
    SaveIniFile();
}

void TForm8::ListBoxC2Click() {
    const std::string name = selectedTheme(ListBoxC2);
    if (name.empty()) return;
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
    e->open();
}

void TForm8::BitBtnC4Click() {
    const std::string name = selectedTheme(ListBoxC2);
    if (name.empty()) return;
    if (platform::ShowMessage(Ui("Do you really want to delete this theme ?"), platform::SiteCaption,
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
