// The options window's languages page: the offered language files, their details, apply
// and delete.
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "sharedwin/Captions.h"
#include "sharedwin/Controls.h"
#include "settings/FolderFiles.h"
#include "client/Forms.h"
#include "settings/Language.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "client/UiText.h"
#include "client/VueOptions.h"
#include "client/Vuesc.h"
#include "client/WindowHooks.h"
#include "platform/MessageBox.h"

namespace client {

void TForm8::buildLanguagesPage() {
    StringGridA1 = new QTableWidget(0, 2, GroupBoxA1);
    StringGridA1->setObjectName("StringGridA1");
    StringGridA1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGridA1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGridA1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGridA1->verticalHeader()->hide();
    StringGridA1->setColumnWidth(0, 134);
    StringGridA1->setColumnWidth(1, 105);
    StringGridA1->horizontalHeader()->setStretchLastSection(true);
    LabelA1 = Named<QLabel>(GroupBoxA1, "LabelA1");
    LabelA3 = Named<QLabel>(GroupBoxA1, "LabelA3");
    LabelA2 = Named<QLabel>(GroupBoxA1, "LabelA2");
    BitBtnA1 = IconButton(GroupBoxA1, "BitBtnA1", QStyle::SP_DialogApplyButton, "Apply the selected language");
    BitBtnA2 = IconButton(GroupBoxA1, "BitBtnA2", QStyle::SP_TrashIcon, "Delete the selected language");
    BitBtnA4 = Captioned<QPushButton>(GroupBoxA1, "BitBtnA4", "Download", "...");
    SetHint(BitBtnA4, "Download LNG files", "...");
    BitBtnA4->setEnabled(false);  // until the web site has answered
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtnA1);
    buttons->addWidget(BitBtnA2);
    buttons->addStretch();
    buttons->addWidget(BitBtnA4);
    auto* page = static_cast<QVBoxLayout*>(GroupBoxA1->layout());
    page->addWidget(StringGridA1, 1);
    page->addWidget(LabelA1);
    page->addWidget(LabelA3);
    page->addWidget(LabelA2);
    page->addLayout(buttons);
    connect(StringGridA1, &QTableWidget::itemSelectionChanged, this, [this] {
        if (!loading_) StringGridA1Click();
    });
    connect(BitBtnA1, &QPushButton::clicked, this, &TForm8::Button3Click);
    connect(BitBtnA2, &QPushButton::clicked, this, &TForm8::BitBtnA2Click);
    connect(BitBtnA4, &QPushButton::clicked, this, &TForm8::BitBtnA4Click);
}

bool TForm8::noLanguageListed() const {
    const QTableWidgetItem* first = StringGridA1->item(0, 1);
    return !first || first->text().isEmpty();
}

std::string TForm8::selectedLanguageFile() const {
    if (noLanguageListed()) return {};
    const int row = StringGridA1->currentRow();
    const QTableWidgetItem* file = row >= 0 ? StringGridA1->item(row, 1) : nullptr;
    return file ? S(file->text()) : std::string();
}

void TForm8::Update_listLng() {
    const bool wasLoading = loading_;
    loading_ = true;
    StringGridA1->clearContents();
    StringGridA1->setHorizontalHeaderLabels({Q(Ui("Language")), Q(Ui("Lng file"))});
    const std::vector<LanguageListEntry> languages = ListLanguages();
    StringGridA1->setRowCount(std::max<int>(1, int(languages.size())));
    for (int r = 0; r < int(languages.size()); ++r) {
        StringGridA1->setItem(r, 0, new QTableWidgetItem(Q(languages[r].Name)));
        StringGridA1->setItem(r, 1, new QTableWidgetItem(Q(languages[r].FileName)));
    }
    if (languages.empty()) {
        StringGridA1->setItem(0, 0, new QTableWidgetItem(Q(Ui("No language"))));
        BitBtnA2->setEnabled(false);
    }
    loading_ = wasLoading;
}

// The row of the language in force (the first row when it is not listed), its details and
// the delete button.
void TForm8::selectCurrentLanguage() {
    const bool wasLoading = loading_;
    loading_ = true;
    int row = 0;
    for (int r = 0; r < StringGridA1->rowCount(); ++r)
        if (const QTableWidgetItem* file = StringGridA1->item(r, 1);
            file && S(file->text()) == AppSettings().LngFilePath)
            row = r;
    StringGridA1->setCurrentCell(row, 0);
    loading_ = wasLoading;
    languageDeleteButton();
    if (!noLanguageListed()) languageDetails();
}

void TForm8::languageDeleteButton() {
    const std::string file = selectedLanguageFile();
    BitBtnA2->setEnabled(!file.empty() && file != AppSettings().LngFilePath);
}

void TForm8::languageDetails() {
    const std::optional<LanguageFile> file = ReadLanguageFile(selectedLanguageFile());
    const LanguageFile shown = file.value_or(LanguageFile{});
    LabelA1->setText(Q(Ui("Language") + " : " + shown.Name));
    LabelA3->setText(Q(Ui("Compatible version") + " : " + shown.CompatibleVersion));
    LabelA2->setText(Q(Ui("Author") + " : " + shown.Author));
}

void TForm8::StringGridA1Click() {
    if (noLanguageListed()) return;
    languageDeleteButton();
    languageDetails();
}

void TForm8::Button3Click() {
    const std::string file = selectedLanguageFile();
    if (file.empty()) return;
    // On success the main window's language listener retranslates every window.
    SwitchLanguage(file, "The selected LNG file is not compatible with your version of MORVATEL");
}

void TForm8::BitBtnA2Click() {
    const std::string file = selectedLanguageFile();
    // The language in force stays, whoever asks.
    if (file.empty() || file == AppSettings().LngFilePath) return;
    if (platform::ShowMessage(Ui("Do you really want to delete this language ?") + "\n" + file, platform::SiteCaption,
                              platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
        return;
    RemoveFileIn(LanguageFolder, file);
    Update_listLng();
    selectCurrentLanguage();
    if (TForm1* main = AppForms().Form1) main->UpdateToolBar();
}

void TForm8::BitBtnA4Click() { OpenWebPage(4); }

} // namespace client
