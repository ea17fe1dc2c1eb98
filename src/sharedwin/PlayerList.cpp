#include "sharedwin/PlayerList.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "settings/ProfileCard.h"
#include "platform/MessageBox.h"
#include "sharedwin/Captions.h"
#include "sharedwin/Controls.h"
#include "sharedwin/QtColors.h"

namespace client {

PlayerList::PlayerList(QWidget* mainWindow) : QDialog(mainWindow) {
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

    // Any selection (a click, the arrow keys) shows that profile and its buttons; a click also
    // plays its voice.
    connect(ListBox1, &QListWidget::currentRowChanged, this, &PlayerList::showSelected);
    connect(ListBox1, &QListWidget::itemClicked, this, [this] {
        if (!ProfileSoundFile.empty()) PlayProfileSound();
    });
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &PlayerList::ListBox1DblClick);
    connect(BitBtn3, &QPushButton::clicked, this, &PlayerList::ListBox1DblClick);
    connect(BitBtn1, &QPushButton::clicked, this, &PlayerList::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &PlayerList::BitBtn2Click);
    connect(Button1, &QPushButton::clicked, this, &PlayerList::Button1Click);
}

std::string PlayerList::selectedName() const {
    const QListWidgetItem* item = ListBox1->currentItem();
    return item ? S(item->text()) : std::string();
}

bool PlayerList::selectedIsSeated() const {
    const std::string name = selectedName();
    if (name.empty()) return false;
    const auto seats = SeatFiles();
    return std::find(seats.begin(), seats.end(), name) != seats.end();
}

void PlayerList::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormActivate();
}

void PlayerList::FormActivate() {
    const bool choosing = Mode > 0;
    setWindowTitle(Q(choosing ? WindowText("Change the player") + "..." : WindowText("Players list")));
    BitBtn3->setVisible(choosing);
    BeforeListVrk();
    FillProfileList(ListBox1, CurrentProfile);
    BitBtn1->setEnabled(ListBox1->count() > 0 && !selectedIsSeated());
    if (ListBox1->currentItem()) Update_Donnees();
    else Details->ClearDetails();
}

void PlayerList::Update_Donnees() {
    const std::optional<ProfileCard> card = ReadProfileCard(selectedName());
    if (!card) {
        platform::ShowMessage(WindowText("This player is not valid. You should delete him"), platform::SiteCaption);
        Details->ClearDetails();
        ProfileSoundFile.clear();
        return;
    }
    Details->Show(*card);
    ProfileSoundFile = card->VoiceClip;
}

void PlayerList::showSelected() {
    if (ListBox1->count() == 0 || !ListBox1->currentItem()) return;
    Update_Donnees();
    BitBtn1->setEnabled(!selectedIsSeated());
}

void PlayerList::ListBox1Click() {
    if (ListBox1->count() == 0 || !ListBox1->currentItem()) return;
    showSelected();
    if (!ProfileSoundFile.empty()) PlayProfileSound();
}

void PlayerList::ListBox1DblClick() {
    if (Mode <= 0 || !ListBox1->currentItem()) return;
    ChooseProfile(selectedName());
    accept();
}

void PlayerList::BitBtn1Click() {
    if (!ListBox1->currentItem() || selectedIsSeated()) return;
    if (platform::ShowMessage(WindowText("Do you really want to delete this Vrk Player ?") + "\n" + selectedName(),
                              platform::SiteCaption,
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

void PlayerList::BitBtn2Click() { OpenDownloadPage(); }

void PlayerList::Button1Click() { close(); }

void PlayerList::FormKeyPress(int key) {
    if (key == 27) close();
}

void PlayerList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) FormKeyPress(27);
    else QDialog::keyPressEvent(event);
}

} // namespace client
