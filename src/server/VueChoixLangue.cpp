// The server's language window.
#include <QFile>
#include <QGridLayout>
#include <QHeaderView>

#include "platform/Latin1.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "server/ServerLanguage.h"
#include "server/ServerSettings.h"
#include "server/ServerWindows.h"
#include "server/Vuesc.h"
#include "sharedwin/Captions.h"

namespace server {

using platform::Q;
using platform::S;

namespace {
const char* const EmptyGrid = "*!*";
} // namespace

TForm7::TForm7(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName("TForm7");
    setWindowTitle("Choisissez votre langue...");
    auto* grid = new QGridLayout(this);
    StringGrid1 = new QTableWidget(1, 2, this);
    StringGrid1->setObjectName("StringGrid1");
    StringGrid1->setColumnWidth(0, 134);
    StringGrid1->setColumnWidth(1, 105);
    StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    StringGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid1->verticalHeader()->hide();
    auto* info = new QGroupBox("Informations", this);
    auto* infoLayout = new QVBoxLayout(info);
    Label1 = new QLabel("Langage :", info);
    Label1->setObjectName("Label1");
    Label3 = new QLabel("Compatible :", info);
    Label3->setObjectName("Label3");
    Label2 = new QLabel("Auteur :", info);
    Label2->setObjectName("Label2");
    for (QLabel* l : {Label1, Label3, Label2}) infoLayout->addWidget(l);
    BitBtn3 = new QPushButton("OK", this);
    BitBtn3->setObjectName("BitBtn3");
    BitBtn2 = new QPushButton("Delete", this);
    BitBtn2->setObjectName("BitBtn2");
    BitBtn4 = new QPushButton("Download", this);
    BitBtn4->setObjectName("BitBtn4");
    grid->addWidget(StringGrid1, 0, 0, 1, 3);
    grid->addWidget(info, 1, 0, 1, 3);
    grid->addWidget(BitBtn3, 2, 0);
    grid->addWidget(BitBtn2, 2, 1);
    grid->addWidget(BitBtn4, 2, 2);
    connect(StringGrid1, &QTableWidget::cellClicked, this, [this] { StringGrid1Click(); });
    connect(StringGrid1, &QTableWidget::cellDoubleClicked, this, [this] { StringGrid1DblClick(); });
    connect(BitBtn3, &QPushButton::clicked, this, &TForm7::BitBtn3Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm7::BitBtn2Click);
}

void TForm7::ApplyToWindows() {
    Forms& f = AppForms();
    if (f.Form1) f.Form1->ApplyLanguage();
    if (f.Form6) f.Form6->ApplyLanguage();
    if (f.Form8) f.Form8->ApplyLanguage();
    if (f.Form9) client::RetranslateCaptions(f.Form9);
    if (f.Form11) client::RetranslateCaptions(f.Form11);
    if (f.Form7) {
        f.Form7->setWindowTitle(Q(Srv("Choose your language...")));
        f.Form7->BitBtn3->setToolTip(Q(Srv("Choose the selected language")));
        f.Form7->BitBtn2->setToolTip(Q(Srv("Delete the selected language")));
        f.Form7->BitBtn4->setToolTip(Q(Srv("Download LNG files")));
    }
}

void TForm7::FormCreate() {
    platform::ChangeToProgramFolder();
    if (!UpDateLangue()) {
        platform::ShowMessage(Srv("The selected LNG file is erroneous or non-existent"), platform::SiteCaption);
        AppSettings().LngFilePath = DefaultLngFile;
        UpDateLangue();
    }
    ApplyToWindows();
    FormActivate();
}

void TForm7::FormActivate() {
    Update_listLng();
    selectCurrent();
    StringGrid1Click();
}

void TForm7::Update_listLng() {
    StringGrid1->clearContents();
    StringGrid1->setRowCount(1);
    StringGrid1->setHorizontalHeaderLabels({Q(Srv("Language")), Q(Srv("Lng file"))});
    StringGrid1->setItem(0, 0, new QTableWidgetItem(EmptyGrid));
    const auto list = ListServerLanguages();
    for (std::size_t i = 0; i < list.size(); ++i) {
        StringGrid1->setRowCount(static_cast<int>(i) + 1);
        StringGrid1->setItem(static_cast<int>(i), 0, new QTableWidgetItem(Q(list[i].Name)));
        StringGrid1->setItem(static_cast<int>(i), 1, new QTableWidgetItem(Q(list[i].FileName)));
    }
    const bool empty = list.empty();
    if (empty) StringGrid1->item(0, 0)->setText(Q(Srv("No language")));
    BitBtn3->setEnabled(!empty);
    BitBtn2->setEnabled(!empty);
}

std::string TForm7::selectedFile() const {
    const int row = StringGrid1->currentRow();
    QTableWidgetItem* cell = row >= 0 ? StringGrid1->item(row, 1) : nullptr;
    return cell ? S(cell->text()) : std::string();
}

void TForm7::selectCurrent() {
    const std::string& current = AppSettings().LngFilePath;
    int row = 0;
    for (int r = 0; r < StringGrid1->rowCount(); ++r)
        if (StringGrid1->item(r, 1) && S(StringGrid1->item(r, 1)->text()) == current) row = r;
    StringGrid1->setCurrentCell(row, 0);
}

void TForm7::StringGrid1Click() {
    const std::string file = selectedFile();
    if (file.empty()) return;
    BitBtn2->setEnabled(file != AppSettings().LngFilePath);
    auto read = ReadServerLanguage(file);
    if (!read) return;
    Label1->setText(Q(Srv("Language") + " : " + read->Name));
    Label3->setText(Q(Srv("Compatible version") + " : " + read->CompatibleVersion));
    Label2->setText(Q(Srv("Author") + " : " + read->Author));
}

bool TForm7::choose(const std::string& failureKey) {
    const std::string file = selectedFile();
    if (file.empty()) return false;
    ServerSettings& s = AppSettings();
    const std::string kept = s.LngFilePath;
    s.LngFilePath = file;
    if (UpDateLangue()) {
        ApplyToWindows();
        if (TForm1* main = AppForms().Form1) main->SaveIniFile();
        close();
        return true;
    }
    platform::ShowMessage(Srv(failureKey), platform::SiteCaption);
    s.LngFilePath = kept;
    UpDateLangue();
    return false;
}

void TForm7::BitBtn3Click() { choose("The selected LNG file is erroneous or non-existent"); }

void TForm7::StringGrid1DblClick() {
    if (!selectedFile().empty()) choose("The selected LNG file is not compatible with your version of MORVATEL");
}

void TForm7::BitBtn2Click() {
    const std::string file = selectedFile();
    if (file.empty() || file == AppSettings().LngFilePath) return;
    if (platform::ShowMessage(Srv("Do you really want to delete this Vrk Player ?"), platform::SiteCaption,
                              platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
        return;
    if (auto path = client::LanguagePath(file)) {
        platform::ChangeToProgramFolder();
        QFile::remove(platform::FileSystemPath(*path));
    }
    FormActivate();
}

} // namespace server
