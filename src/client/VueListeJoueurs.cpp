#include "client/VueListeJoueurs.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "client/Captions.h"
#include "client/Controls.h"
#include "client/Forms.h"
#include "client/ProfileCard.h"
#include "client/QtColors.h"
#include "client/Settings.h"
#include "client/UiText.h"
#include "client/Vuesc.h"
#include "client/WindowHooks.h"
#include "platform/MessageBox.h"

namespace client {

TForm9::TForm9(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName("TForm9");
    SetCaption(this, "Players list");
    ListBox1 = Named<QListWidget>(this, "ListBox1");
    SetHint(ListBox1, "Double click on it to select");
    ListBox1->setMinimumWidth(170);
    Details = new ProfileView(this, "", true);
    BitBtn3 = IconButton(this, "BitBtn3", QStyle::SP_DialogApplyButton, "");
    SetCaption(BitBtn3, "Choose");
    BitBtn1 = IconButton(this, "BitBtn1", QStyle::SP_TrashIcon, "Delete selected player");
    BitBtn2 = IconButton(this, "BitBtn2", QStyle::SP_ArrowDown, "Download players");
    BitBtn2->setEnabled(false);  // until the web site has answered
    Button1 = Captioned<QPushButton>(this, "Button1", "Close");

    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {BitBtn3, BitBtn1, BitBtn2}) buttons->addWidget(b, 0, Qt::AlignLeft);
    buttons->addStretch();
    buttons->addWidget(Button1);
    auto* right = new QVBoxLayout;
    right->addWidget(Details);
    right->addStretch();
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(ListBox1, 1);
    layout->addLayout(right, 1);
    resize(440, 260);

    connect(ListBox1, &QListWidget::itemClicked, this, &TForm9::ListBox1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TForm9::ListBox1DblClick);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm9::ListBox1DblClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm9::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm9::BitBtn2Click);
    connect(Button1, &QPushButton::clicked, this, &TForm9::Button1Click);
    OnWebReachable([this, alive = QPointer<TForm9>(this)] {
        if (alive) BitBtn2->setEnabled(true);
    });
}

std::array<std::string, 3> TForm9::SeatFiles() const {
    const Settings& s = AppSettings();
    return {s.LeftPlayerFile, s.MeFile, s.RightPlayerFile};
}

void TForm9::ChooseProfile(const std::string& fileName) {
    Settings& s = AppSettings();
    std::string* seats[] = {&s.LeftPlayerFile, &s.MeFile, &s.RightPlayerFile};
    if (Seat >= 0 && Seat <= 2) *seats[Seat] = fileName;
}

void TForm9::PlayProfileSound() {
    if (TForm1* main = AppForms().Form1; main && !ProfileSoundFile.empty())
        main->Voice.EmetSon(0, InProgramDir(ProfileSoundFile));
}

void TForm9::OpenDownloadPage() {
    if (TForm1* main = AppForms().Form1) main->show();
    OpenWebPage(3);
    close();
}

std::string TForm9::selectedName() const {
    const QListWidgetItem* item = ListBox1->currentItem();
    return item ? S(item->text()) : std::string();
}

bool TForm9::selectedIsSeated() const {
    const std::string name = selectedName();
    if (name.empty()) return false;
    const auto seats = SeatFiles();
    return std::find(seats.begin(), seats.end(), name) != seats.end();
}

void TForm9::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void TForm9::FormActivate() {
    const bool choosing = Mode > 0;
    setWindowTitle(Q(choosing ? Ui("Change the player") + "..." : Ui("Players list")));
    BitBtn3->setVisible(choosing);
    FillProfileList(ListBox1, CurrentProfile);
    BitBtn1->setEnabled(ListBox1->count() > 0 && !selectedIsSeated());
    if (ListBox1->currentItem()) Update_Donnees();
    else Details->ClearDetails();
}

void TForm9::Update_Donnees() {
    const std::optional<ProfileCard> card = ReadProfileCard(selectedName());
    if (!card) {
        platform::ShowMessage(Ui("This player is not valid. You should delete him"), platform::SiteCaption);
        Details->ClearDetails();
        ProfileSoundFile.clear();
        return;
    }
    Details->Show(*card);
    ProfileSoundFile = card->VoiceClip;
}

void TForm9::ListBox1Click() {
    if (ListBox1->count() == 0 || !ListBox1->currentItem()) return;
    Update_Donnees();
    BitBtn1->setEnabled(!selectedIsSeated());
    if (!ProfileSoundFile.empty()) PlayProfileSound();
}

void TForm9::ListBox1DblClick() {
    if (Mode <= 0 || !ListBox1->currentItem()) return;
    ChooseProfile(selectedName());
    accept();
}

void TForm9::BitBtn1Click() {
    if (!ListBox1->currentItem() || selectedIsSeated()) return;
    if (platform::ShowMessage(Ui("Do you really want to delete this Vrk Player ?"), platform::SiteCaption,
                              platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
        return;
    const int index = ListBox1->currentRow();
    DeleteProfile(selectedName());
    const bool left = TakeRowAndSelectNext(ListBox1, index);
    BitBtn1->setEnabled(left);
    if (!left) {
        Details->ClearDetails();
        return;
    }
    Update_Donnees();
    BitBtn1->setEnabled(!selectedIsSeated());
}

void TForm9::BitBtn2Click() { OpenDownloadPage(); }

void TForm9::Button1Click() { close(); }

void TForm9::FormKeyPress(int key) {
    if (key == 27) close();
}

void TForm9::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) FormKeyPress(27);
    else QDialog::keyPressEvent(event);
}

} // namespace client
