// The options window's seats list and players page.
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "sharedwin/Captions.h"
#include "sharedwin/Controls.h"
#include "client/Forms.h"
#include "settings/ProfileCard.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "client/UiText.h"
#include "client/VueListeJoueurs.h"
#include "client/VueOptions.h"
#include "client/Vuesc.h"
#include "client/WindowHooks.h"
#include "platform/MessageBox.h"

namespace client {

namespace {
std::string seatFile(int seat) {
    const Settings& s = AppSettings();
    return seat == 0 ? s.LeftPlayerFile : seat == 2 ? s.RightPlayerFile : s.MeFile;
}

void play(const std::string& clip) {
    if (TForm1* main = AppForms().Form1; main && !clip.empty()) main->Voice.EmetSon(0, InProgramDir(clip));
}
} // namespace

void TForm8::buildPlayersPage() {
    ListBoxB1 = Named<QListWidget>(GroupBoxB1, "ListBoxB1");
    ListBoxB1->setSortingEnabled(true);
    PlayerDetails = new ProfileView(GroupBoxB1, "B", true);
    BitBtnB1 = IconButton(GroupBoxB1, "BitBtnB1", QStyle::SP_TrashIcon, "Delete selected player");
    BitBtnB2 = Captioned<QPushButton>(GroupBoxB1, "BitBtnB2", "Download", "...");
    SetHint(BitBtnB2, "Download players", "...");
    BitBtnB2->setEnabled(false);  // until the web site has answered
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BitBtnB1);
    buttons->addStretch();
    buttons->addWidget(BitBtnB2);
    auto* right = new QVBoxLayout;
    right->addWidget(PlayerDetails);
    right->addStretch();
    right->addLayout(buttons);
    auto* page = new QHBoxLayout;
    page->addWidget(ListBoxB1, 1);
    page->addLayout(right, 1);
    static_cast<QVBoxLayout*>(GroupBoxB1->layout())->addLayout(page);
    // Any selection shows that profile and its delete button; a click also plays its voice.
    connect(ListBoxB1, &QListWidget::currentRowChanged, this, [this] {
        if (!loading_) showSelectedPlayer();
    });
    connect(ListBoxB1, &QListWidget::itemClicked, this, [this] { play(VoiceClip); });
    connect(BitBtnB1, &QPushButton::clicked, this, &TForm8::BitBtnB1Click);
    connect(BitBtnB2, &QPushButton::clicked, this, &TForm8::BitBtnB2Click);
}

bool TForm8::showSeatProfile(bool reportBadProfile) {
    const std::optional<ProfileCard> card = ReadProfileCard(SelectedProfile);
    if (!card) {
        SeatDetails->ClearDetails();
        if (reportBadProfile)
            platform::ShowMessage(Ui("This player is not valid. You should delete him"), platform::SiteCaption);
        return false;
    }
    SeatDetails->Show(*card);
    VoiceClip = card->VoiceClip;
    return true;
}

void TForm8::updateSeatsPart() {
    ListBox1->setCurrentRow(SelectedSeat);
    SelectedProfile = seatFile(SelectedSeat);
    showSeatProfile(true);
}

void TForm8::showSelectedSeat() {
    const int seat = ListBox1->currentRow();
    if (seat < 0) return;
    SelectedProfile = seatFile(seat);
    showSeatProfile(false);
}

void TForm8::ListBox1Click() {
    const int seat = ListBox1->currentRow();
    if (seat < 0) return;
    SelectedProfile = seatFile(seat);
    if (showSeatProfile(false)) play(VoiceClip);
}

void TForm8::ListBox1DblClick() {
    auto* list = static_cast<TForm9*>(AppForms().Form9);
    if (!list || ListBox1->currentRow() < 0) return;
    SelectedSeat = ListBox1->currentRow();
    list->Mode = 1;
    list->Seat = SelectedSeat;
    list->CurrentProfile = SelectedProfile;
    // Modal, without a nested event loop: the choice arrives when the list is done.
    connect(list, &QDialog::finished, this, [this] { UpdateComponent(); }, Qt::SingleShotConnection);
    OpenInFrontOf(list, this);
}

bool TForm8::playerSelectedIsSeated() const {
    const QListWidgetItem* item = ListBoxB1->currentItem();
    if (!item) return false;
    const std::string name = S(item->text());
    const Settings& s = AppSettings();
    return name == s.LeftPlayerFile || name == s.MeFile || name == s.RightPlayerFile;
}

// The languages grid and the players list, as at start-up.
void TForm8::UpdateComponent2() {
    Update_listLng();
    selectCurrentLanguage();
    FillProfileList(ListBoxB1, SelectedProfile);
    BitBtnB1->setEnabled(ListBoxB1->count() > 0 && !playerSelectedIsSeated());
    if (ListBoxB1->currentItem()) Update_DonneesJ();
    else PlayerDetails->ClearDetails();
}

void TForm8::Update_DonneesJ() {
    const QListWidgetItem* item = ListBoxB1->currentItem();
    const std::optional<ProfileCard> card = item ? ReadProfileCard(S(item->text())) : std::nullopt;
    if (!card) {
        PlayerDetails->ClearDetails();
        VoiceClip.clear();
        platform::ShowMessage(Ui("This player is not valid. You should delete him"), platform::SiteCaption);
        return;
    }
    PlayerDetails->Show(*card);
    VoiceClip = card->VoiceClip;
}

void TForm8::showSelectedPlayer() {
    if (ListBoxB1->count() == 0 || !ListBoxB1->currentItem()) return;
    Update_DonneesJ();
    BitBtnB1->setEnabled(!playerSelectedIsSeated());
}

void TForm8::ListBoxB1Click() {
    if (ListBoxB1->count() == 0 || !ListBoxB1->currentItem()) return;
    showSelectedPlayer();
    play(VoiceClip);
}

void TForm8::BitBtnB1Click() {
    QListWidgetItem* item = ListBoxB1->currentItem();
    // The three seats' profiles stay, whoever asks.
    if (!item || playerSelectedIsSeated()) return;
    if (platform::ShowMessage(Ui("Do you really want to delete this Vrk Player ?") + "\n" + S(item->text()),
                              platform::SiteCaption,
                              platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
        return;
    const int index = ListBoxB1->row(item);
    DeleteProfile(S(item->text()));
    const bool left = TakeRowAndSelectNext(ListBoxB1, index);
    BitBtnB1->setEnabled(left);
    if (left) {
        Update_DonneesJ();
        BitBtnB1->setEnabled(!playerSelectedIsSeated());
    } else {
        PlayerDetails->ClearDetails();
    }
    if (TForm1* main = AppForms().Form1) main->UpdateToolBar();
}

void TForm8::BitBtnB2Click() {
    if (TForm1* main = AppForms().Form1) main->show();
    OpenWebPage(3);
}

} // namespace client
