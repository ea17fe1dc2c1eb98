// The options window: its structure, page switch, refresh, and the CPU, sound and univers
// pages.
#include "client/VueOptions.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPointer>
#include <QShowEvent>
#include <QVBoxLayout>

#include "sharedwin/Captions.h"
#include "sharedwin/Controls.h"
#include "sharedwin/Latin1Input.h"
#include "client/Forms.h"
#include "settings/Language.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "client/UiText.h"
#include "client/LoginCheck.h"
#include "client/QtClipPlayer.h"
#include "client/VueSon.h"
#include "client/Vuesc.h"
#include "client/WindowHooks.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/TextFile.h"

namespace client {

namespace {

// The tree: each row's English key and its parent row (-1 for a top row).
struct OutlineRow {
    const char* key;
    int parent;
};
const OutlineRow kOutline[TForm8::RowCount] = {
    {"Game Options", -1}, {"CPU", 0},           {"Sound", 0},         {"Univers", 0},
    {"Network game", -1}, {"Server options", 4}, {"Configuration", 4}, {"Firewall", 4},
    {"Players", -1},      {"Themes", -1},        {"Languages", -1},
};

// The web languages of the univers page, by item.
const char* const kUniversCodes[] = {"de", "us", "es", "fr", "it", "pt"};
const char* const kUniversNames[] = {"Deutsch", "English", "Espa\xF1ol", "Fran\xE7" "ais",
                                     "Italiano", "Portugu\xEAs"};

constexpr int RowProperty = Qt::UserRole;

} // namespace

TForm8::TForm8(QWidget* mainWindow) : QWidget(mainWindow, Qt::Dialog | Qt::WindowStaysOnTopHint) {
    setObjectName("TForm8");
    SetCaption(this, "Preferences", "...");
    OpenDialog1 = [](QWidget* parent, const QString& filter) {
        return QFileDialog::getOpenFileName(parent, QString(), platform::ProgramDir(),
                                            filter);
    };
    SendLoginCheck = SendThroughLobby;
    AudioOutputPresent = SoundDevicesAvailable;
    buildStructure();
    buildGamePages();
    buildNetworkPages();
    buildPlayersPage();
    buildThemesPage();
    buildLanguagesPage();
    retranslateItems();
    resize(ClientWidth, ClientHeight);
    OnDownloadedLists([this, alive = QPointer<TForm8>(this)] {
        if (!alive) return;
        UpdateComponent2();
        Update_DonneesT();
        Update_listLng();
    });
    OnWebReachable([this, alive = QPointer<TForm8>(this)] {
        if (!alive) return;
        BitBtnB2->setEnabled(true);
        BitBtnC5->setEnabled(true);
        BitBtnA4->setEnabled(true);
        UpdateSubmitButton();
    });
    FormCreate();
}

void TForm8::buildStructure() {
    Outline1 = Named<QTreeWidget>(this, "Outline1");
    Outline1->setHeaderHidden(true);
    Outline1->setFixedWidth(175);
    fillOutline();
    connect(Outline1, &QTreeWidget::itemClicked, this, [this] { Outline1Click(); });
    connect(Outline1, &QTreeWidget::currentItemChanged, this, [this] { Outline1Click(); });

    auto* frames = new QWidget(this);
    auto* framesLayout = new QVBoxLayout(frames);
    framesLayout->setContentsMargins(0, 0, 0, 0);
    auto frame = [&](QGroupBox*& box, const char* name, const char* key) {
        box = new QGroupBox(frames);
        box->setObjectName(name);
        SetCaption(box, key);
        new QVBoxLayout(box);
        framesLayout->addWidget(box);
    };
    frame(GroupBox2, "GroupBox2", "Game Options");
    frame(GroupBox11, "GroupBox11", "Network game");
    frame(GroupBoxB1, "GroupBoxB1", "Players");
    frame(GroupBoxC1, "GroupBoxC1", "Themes");
    frame(GroupBoxA1, "GroupBoxA1", "Languages");
    auto subPage = [](QGroupBox*& box, QGroupBox* parent, const char* name, const char* key) {
        box = new QGroupBox(parent);
        box->setObjectName(name);
        SetCaption(box, key);
        parent->layout()->addWidget(box);
    };
    subPage(GroupBox3, GroupBox2, "GroupBox3", "CPU");
    subPage(GroupBox7, GroupBox2, "GroupBox7", "Sound");
    subPage(GroupBox8, GroupBox2, "GroupBox8", "Univers");
    subPage(GroupBox1, GroupBox11, "GroupBox1", "Server options");
    subPage(GroupBox4, GroupBox11, "GroupBox4", "Configuration");
    subPage(GroupBox5, GroupBox11, "GroupBox5", "Firewall");

    StatusBar1 = Named<QStatusBar>(this, "StatusBar1");
    StatusBar1->setSizeGripEnabled(false);
    auto* top = new QHBoxLayout;
    top->addWidget(Outline1);
    top->addWidget(frames, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->addLayout(top, 1);
    layout->addWidget(StatusBar1);
}

void TForm8::fillOutline() {
    Outline1->clear();
    QTreeWidgetItem* rows[RowCount] = {};
    for (int r = 0; r < RowCount; ++r) {
        auto* item = kOutline[r].parent < 0 ? new QTreeWidgetItem(Outline1)
                                            : new QTreeWidgetItem(rows[kOutline[r].parent]);
        item->setText(0, Q(Ui(kOutline[r].key)));
        item->setData(0, RowProperty, r);
        rows[r] = item;
    }
    Outline1->expandAll();
    Outline1->setCurrentItem(rows[0]);
}

void TForm8::buildGamePages() {
    // The seats list covers the frame while no sub-page is shown.
    SeatsPanel = new QWidget(GroupBox2);
    GroupBox2->layout()->addWidget(SeatsPanel);
    auto* position = Captioned<QLabel>(SeatsPanel, "", "Position");
    ListBox1 = Named<QListWidget>(SeatsPanel, "ListBox1");
    SetHint(ListBox1, "Double click on it to select");
    ListBox1->setMaximumHeight(70);
    for (const char* key : {"Player on your left", "Me", "Player on your right"}) ListBox1->addItem(Q(Ui(key)));
    SeatDetails = new ProfileView(SeatsPanel, "", false);
    BitBtn1 = Captioned<QPushButton>(SeatsPanel, "BitBtn1", "Change", "...");
    SetHint(BitBtn1, "Change the player");
    auto* seats = new QVBoxLayout(SeatsPanel);
    seats->addWidget(position);
    seats->addWidget(ListBox1);
    seats->addWidget(SeatDetails);
    seats->addWidget(BitBtn1, 0, Qt::AlignLeft);
    seats->addStretch();
    // Any selection shows that seat's profile; a click also plays its voice.
    connect(ListBox1, &QListWidget::currentRowChanged, this, [this] {
        if (!loading_) showSelectedSeat();
    });
    connect(ListBox1, &QListWidget::itemClicked, this, &TForm8::ListBox1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TForm8::ListBox1DblClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm8::ListBox1DblClick);

    // CPU.
    auto* tactics = Captioned<QLabel>(GroupBox3, "", "Tactics");
    CheckBox1 = Captioned<QCheckBox>(GroupBox3, "CheckBox1", "Use tactics (Advanced CPU Mode)");
    auto* speed = Captioned<QLabel>(GroupBox3, "", "CPU speed");
    ScrollBar1 = new QScrollBar(Qt::Horizontal, GroupBox3);
    ScrollBar1->setObjectName("ScrollBar1");
    ScrollBar1->setRange(0, 10);
    ScrollBar1->setPageStep(1);
    auto* slow = Captioned<QLabel>(GroupBox3, "", "Slow");
    auto* fast = Captioned<QLabel>(GroupBox3, "", "Fast");
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(slow);
    speedRow->addWidget(ScrollBar1, 1);
    speedRow->addWidget(fast);
    auto* cpu = new QVBoxLayout(GroupBox3);
    cpu->addWidget(tactics);
    cpu->addWidget(CheckBox1);
    cpu->addSpacing(12);
    cpu->addWidget(speed);
    cpu->addLayout(speedRow);
    cpu->addStretch();
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm8::CheckBox1Click);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TForm8::ScrollBar1Change);

    // Sound.
    auto* general = Captioned<QLabel>(GroupBox7, "", "General");
    CheckBox3 = Captioned<QCheckBox>(GroupBox7, "CheckBox3", "Do not make any oral comment");
    auto* events = Captioned<QLabel>(GroupBox7, "", "Events");
    ComboBox4 = Named<QComboBox>(GroupBox7, "ComboBox4");
    ComboBox4->addItem(QString());
    ComboBox4->addItem(QString());
    CheckBox5 = Captioned<QCheckBox>(GroupBox7, "CheckBox5", "Play a sound file");
    Edit4 = Named<QLineEdit>(GroupBox7, "Edit4");
    Edit4->setReadOnly(true);
    BitBtn2 = IconButton(GroupBox7, "BitBtn2", QStyle::SP_MediaPlay, "Listen to", "...");
    BitBtn3 = IconButton(GroupBox7, "BitBtn3", QStyle::SP_DirOpenIcon, "Search", "...");
    RadioButton8 = Captioned<QRadioButton>(GroupBox7, "RadioButton8", "No sound");
    RadioButton9 = Captioned<QRadioButton>(GroupBox7, "RadioButton9", "Play a sound file");
    RadioButton10 = Captioned<QRadioButton>(GroupBox7, "RadioButton10", "Play a audio CD");
    Edit3 = Named<QLineEdit>(GroupBox7, "Edit3");
    Edit3->setReadOnly(true);
    BitBtn7 = IconButton(GroupBox7, "BitBtn7", QStyle::SP_DirOpenIcon, "Search", "...");
    Label11 = Captioned<QLabel>(GroupBox7, "Label11", "CD-ROM drive", " :");
    DriveComboBox1 = Named<QComboBox>(GroupBox7, "DriveComboBox1");
    for (char c = 'a'; c <= 'z'; ++c) DriveComboBox1->addItem(QString("%1:").arg(QChar(c)), QChar(c));
    auto* startRow = new QHBoxLayout;
    startRow->addWidget(Edit4, 1);
    startRow->addWidget(BitBtn2);
    startRow->addWidget(BitBtn3);
    auto* musicRow = new QHBoxLayout;
    musicRow->addWidget(Edit3, 1);
    musicRow->addWidget(BitBtn7);
    auto* driveRow = new QHBoxLayout;
    driveRow->addWidget(Label11);
    driveRow->addWidget(DriveComboBox1);
    driveRow->addStretch();
    auto* sound = new QVBoxLayout(GroupBox7);
    sound->addWidget(general);
    sound->addWidget(CheckBox3);
    sound->addSpacing(8);
    sound->addWidget(events);
    sound->addWidget(ComboBox4);
    sound->addWidget(CheckBox5);
    sound->addLayout(startRow);
    sound->addWidget(RadioButton8);
    sound->addWidget(RadioButton9);
    sound->addLayout(musicRow);
    sound->addWidget(RadioButton10);
    sound->addLayout(driveRow);
    sound->addStretch();
    connect(CheckBox3, &QCheckBox::clicked, this, &TForm8::CheckBox3Click);
    connect(CheckBox5, &QCheckBox::clicked, this, &TForm8::CheckBox5Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm8::BitBtn3Click);
    connect(BitBtn7, &QPushButton::clicked, this, &TForm8::BitBtn7Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm8::BitBtn2Click);
    connect(DriveComboBox1, &QComboBox::currentIndexChanged, this, &TForm8::DriveComboBox1Change);
    connect(ComboBox4, &QComboBox::currentIndexChanged, this, &TForm8::ComboBox4Change);
    connect(RadioButton8, &QRadioButton::clicked, this, &TForm8::RadioButton8Click);
    connect(RadioButton9, &QRadioButton::clicked, this, &TForm8::RadioButton9Click);
    connect(RadioButton10, &QRadioButton::clicked, this, &TForm8::RadioButton10Click);

    // Univers.
    auto* environment = Captioned<QLabel>(GroupBox8, "", "Morvatel Envrionment");
    ComboBox2 = Named<QComboBox>(GroupBox8, "ComboBox2");
    for (const char* name : kUniversNames) ComboBox2->addItem(Q(name));
    auto* misc = Captioned<QLabel>(GroupBox8, "", "Miscellaneous");
    CheckBox2 = Captioned<QCheckBox>(GroupBox8, "CheckBox2", "Check new version at startup");
    CheckBox4 = Captioned<QCheckBox>(GroupBox8, "CheckBox4", "Display information at startup");
    auto* univers = new QVBoxLayout(GroupBox8);
    univers->addWidget(environment);
    univers->addWidget(ComboBox2);
    univers->addSpacing(12);
    univers->addWidget(misc);
    univers->addWidget(CheckBox2);
    univers->addWidget(CheckBox4);
    univers->addStretch();
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, &TForm8::ComboBox2Change);
    connect(CheckBox2, &QCheckBox::clicked, this, &TForm8::CheckBox2Click);
    connect(CheckBox4, &QCheckBox::clicked, this, &TForm8::CheckBox5Click);
}

void TForm8::retranslateItems() {
    const bool wasLoading = loading_;
    loading_ = true;
    static const char* const seats[] = {"Player on your left", "Me", "Player on your right"};
    for (int i = 0; i < ListBox1->count() && i < 3; ++i) ListBox1->item(i)->setText(Q(Ui(seats[i])));
    ComboBox4->setItemText(0, Q(Ui("At Morvatel's startup")));
    ComboBox4->setItemText(1, Q(Ui("During the game")));
    ComboBox1->setItemText(0, Q(Ui("Always ask me")));
    ComboBox1->setItemText(1, Q(Ui("Never ask me")));
    loading_ = wasLoading;
}

void TForm8::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::LanguageChange) return;
    // The tree is rebuilt with the page in view kept; the lists keep their choice.
    const int row = SelectedRow();
    const bool wasLoading = loading_;
    loading_ = true;
    fillOutline();
    loading_ = wasLoading;
    ShowPage(row < 0 ? RowGame : row);
    retranslateItems();
    ComboBox4->setCurrentIndex(0);
    ComboBox1->setCurrentIndex(AppSettings().DoNotAskParameters == 1 ? 1 : 0);
    Update_listLng();
    selectCurrentLanguage();
}

void TForm8::FormCreate() {
    for (QGroupBox* box : {GroupBox11, GroupBoxB1, GroupBoxC1, GroupBoxA1, GroupBox3, GroupBox7, GroupBox8,
                           GroupBox1, GroupBox4, GroupBox5})
        box->hide();
    GroupBox2->show();
    platform::ChangeToProgramFolder();
    UpdateComponent();
    UpdateComponent2();
    Update_listLng();
    selectCurrentLanguage();
    if (TForm1* main = AppForms().Form1) main->UpdateToolBar();
    Update_DonneesT();
}

int TForm8::SelectedRow() const {
    const QTreeWidgetItem* item = Outline1->currentItem();
    return item ? item->data(0, RowProperty).toInt() : -1;
}

void TForm8::ShowPage(int row) {
    QTreeWidgetItemIterator it(Outline1);
    for (; *it; ++it)
        if ((*it)->data(0, RowProperty).toInt() == row) {
            Outline1->setCurrentItem(*it);
            break;
        }
    Outline1Click();
}

void TForm8::Outline1Click() {
    if (loading_) return;
    const int row = SelectedRow();
    QGroupBox* frames[] = {GroupBox2, GroupBox11, GroupBoxB1, GroupBoxC1, GroupBoxA1};
    QGroupBox* frame = nullptr;
    QGroupBox* sub = nullptr;
    QGroupBox* subs[] = {GroupBox3, GroupBox7, GroupBox8, GroupBox1, GroupBox4, GroupBox5};
    if (row >= RowGame && row <= RowUnivers) {
        frame = GroupBox2;
        sub = row == RowGame ? nullptr : subs[row - RowCpu];
    } else if (row >= RowNetwork && row <= RowFirewall) {
        frame = GroupBox11;
        sub = row == RowNetwork ? nullptr : subs[3 + row - RowServer];
    } else if (row == RowPlayers) {
        frame = GroupBoxB1;
    } else if (row == RowThemes) {
        frame = GroupBoxC1;
    } else if (row == RowLanguages) {
        frame = GroupBoxA1;
    } else {
        return;
    }
    for (QGroupBox* f : frames) f->setVisible(f == frame);
    if (frame == GroupBox2 || frame == GroupBox11)
        for (QGroupBox* s : subs)
            if (s->parentWidget() == frame) s->setVisible(s == sub);
    // A sub-page covers the seats list or the account fields.
    SeatsPanel->setVisible(frame == GroupBox2 && !sub);
    NetworkPanel->setVisible(frame == GroupBox11 && !sub);
}

void TForm8::OpenFromMenu() {
    TForm1* main = AppForms().Form1;
    if (isVisible()) {
        close();
        return;
    }
    if (main) main->Options1->setChecked(true);
    UpdateComponent();
    UpdateComponent2();
    AccountEdited = false;
    show();
    raise();
}

void TForm8::UpdateComponent() {
    loading_ = true;
    platform::ChangeToProgramFolder();
    updateGamePart();
    updateSeatsPart();
    updateNetworkPart();
    loading_ = false;
}

void TForm8::updateGamePart() {
    const Settings& s = AppSettings();
    CheckBox2->setChecked(s.CheckNewVersion == 1);
    ComboBox2->setCurrentIndex(0);
    for (int i = 0; i < 6; ++i)
        if (s.UniversLanguage == kUniversCodes[i]) ComboBox2->setCurrentIndex(i);
    CheckBox3->setChecked(!s.PutSound);
    CheckBox1->setChecked(s.ApplyTactic);
    RadioButton8->setChecked(s.SoundMode == 0);
    RadioButton9->setChecked(s.SoundMode == 1);
    RadioButton10->setChecked(s.SoundMode == 2);
    soundEventVisibility();
    CheckBox4->setChecked(s.DisplayInformation);
    DriveComboBox1->setCurrentIndex(DriveComboBox1->findData(QChar(s.CdDirectory)));
    soundEnabling();
    ScrollBar1->setValue(s.CpuSpeed);
}

namespace {
bool beginningSoundExists() {
    const std::string& path = AppSettings().BeginningSoundPath;
    return !path.empty() && platform::FileExists(InProgramDir(path));
}
} // namespace

void TForm8::soundEventVisibility() {
    const bool startup = ComboBox4->currentIndex() != 1;
    for (QWidget* w : std::initializer_list<QWidget*>{CheckBox5, Edit4, BitBtn2, BitBtn3}) w->setVisible(startup);
    for (QWidget* w : std::initializer_list<QWidget*>{RadioButton8, RadioButton9, RadioButton10, Label11,
                                                      DriveComboBox1, Edit3, BitBtn7})
        w->setVisible(!startup);
}

// Steps 7 and 8 of the refresh: what the sound switch and the chosen music allow.
void TForm8::soundEnabling() {
    const Settings& s = AppSettings();
    const bool on = s.PutSound;
    Edit3->setEnabled(on && RadioButton9->isChecked());
    BitBtn7->setEnabled(on && RadioButton9->isChecked());
    Label11->setEnabled(on && RadioButton10->isChecked());
    DriveComboBox1->setEnabled(on && RadioButton10->isChecked());
    Edit3->setText(Q(s.GameSoundPath));
    for (QRadioButton* r : {RadioButton8, RadioButton9, RadioButton10}) r->setEnabled(on);
    const bool exists = beginningSoundExists();
    CheckBox5->setChecked(exists);
    CheckBox5->setEnabled(on && exists);
    BitBtn2->setEnabled(on && exists);
    BitBtn3->setEnabled(on);
    Edit4->setEnabled(on);
    Edit4->setText(Q(s.BeginningSoundPath));
}

void TForm8::updateSoundWindow() {
    if (auto* sound = static_cast<TForm5*>(AppForms().Form5)) sound->UpdateButton();
}

void TForm8::CheckBox1Click() {
    if (!loading_) AppSettings().ApplyTactic = CheckBox1->isChecked();
}

void TForm8::ScrollBar1Change() {
    if (loading_) return;
    Settings& s = AppSettings();
    s.CpuSpeed = ScrollBar1->value();
    s.CpuDelayTicks = ComputeCpuDelayTicks(s.CpuSpeed);
}

void TForm8::CheckBox2Click() {
    if (!loading_) AppSettings().CheckNewVersion = CheckBox2->isChecked() ? 1 : 0;
}

void TForm8::ComboBox2Change() {
    if (loading_) return;
    const int i = ComboBox2->currentIndex();
    if (i >= 0 && i < 6) AppSettings().UniversLanguage = kUniversCodes[i];
    followAccount();
}

void TForm8::CheckBox3Click() {
    if (loading_) return;
    Settings& s = AppSettings();
    s.PutSound = !CheckBox3->isChecked();
    if (TForm1* main = AppForms().Form1) main->Voice.SoundOn = s.PutSound;
    if (auto* sound = static_cast<TForm5*>(AppForms().Form5)) sound->FormActivate();
    loading_ = true;
    soundEnabling();
    loading_ = false;
}

void TForm8::CheckBox5Click() {
    if (loading_) return;
    Settings& s = AppSettings();
    if (!CheckBox5->isChecked()) {
        s.BeginningSoundPath.clear();
        Edit4->clear();
        CheckBox5->setEnabled(false);
        BitBtn2->setEnabled(false);
    }
    s.DisplayInformation = CheckBox4->isChecked();
}

void TForm8::BitBtn3Click() {
    const QString file = OpenDialog1(this, "WAV (*.wav);;MP3 (*.mp3)");
    if (file.isEmpty()) return;
    // Kept relative to the program folder, whatever characters the folder's own name holds.
    const std::optional<std::string> path = ChosenPath(QDir(platform::ProgramDir()).relativeFilePath(file));
    if (!path) return;
    platform::ChangeToProgramFolder();
    Settings& s = AppSettings();
    CheckBox5->setEnabled(true);
    CheckBox5->setChecked(true);
    Edit4->setText(Q(*path));
    BitBtn2->setEnabled(true);
    s.BeginningSoundPath = *path;
    updateSoundWindow();
}

void TForm8::BitBtn7Click() {
    const QString file = OpenDialog1(this, "WAV (*.wav);;MP3 (*.mp3)");
    if (file.isEmpty()) return;
    const std::optional<std::string> path = ChosenPath(QFileInfo(file).absoluteFilePath());
    if (!path) return;
    platform::ChangeToProgramFolder();
    Settings& s = AppSettings();
    RadioButton9->setChecked(true);
    RadioButton9->setEnabled(true);
    Edit3->setText(Q(*path));
    BitBtn2->setEnabled(true);
    s.GameSoundPath = *path;
    s.SoundMode = 1;
    Edit3->setEnabled(s.PutSound);
    BitBtn7->setEnabled(s.PutSound);
    updateSoundWindow();
}

void TForm8::BitBtn2Click() {
    const std::string path = S(Edit4->text());
    const QFileInfo file(platform::FileSystemPath(InProgramDir(path)));
    const QString suffix = file.suffix().toLower();
    if (path.empty() || !file.isFile() || (suffix != "wav" && suffix != "mp3")) {
        platform::ShowMessage(Ui("This file doesn't correspond to a valid sound"), platform::SiteCaption);
        return;
    }
    // A sound that can be played shows that the machine has sound: the voices play again.
    TForm1* main = AppForms().Form1;
    if (!main) return;
    if (!AudioOutputPresent || !AudioOutputPresent()) {
        platform::ShowMessage(Ui("This file doesn't correspond to a valid sound"), platform::SiteCaption);
        return;
    }
    main->Voice.SoundDevicesPresent = true;
    main->Controleduson1->setEnabled(true);
    main->Voice.EmetSon(0, InProgramDir(path));
}

void TForm8::DriveComboBox1Change() {
    if (loading_) return;
    const QVariant drive = DriveComboBox1->currentData();
    if (drive.isValid()) AppSettings().CdDirectory = drive.toChar().toLatin1();
    updateSoundWindow();
}

void TForm8::ComboBox4Change() {
    soundEventVisibility();
    const bool on = AppSettings().PutSound;
    Label11->setEnabled(on && RadioButton10->isChecked());
    DriveComboBox1->setEnabled(on && RadioButton10->isChecked());
}

namespace {
void chooseMusic(TForm8& f, int mode) {
    Settings& s = AppSettings();
    s.SoundMode = mode;
    f.RadioButton8->setChecked(mode == 0);
    f.RadioButton9->setChecked(mode == 1);
    f.RadioButton10->setChecked(mode == 2);
    f.Label11->setEnabled(mode == 2);
    f.DriveComboBox1->setEnabled(mode == 2);
    f.Edit3->setEnabled(mode == 1);
    f.BitBtn7->setEnabled(mode == 1);
}
} // namespace

void TForm8::RadioButton8Click() {
    chooseMusic(*this, 0);
    updateSoundWindow();
}

void TForm8::RadioButton9Click() {
    chooseMusic(*this, 1);
    updateSoundWindow();
}

void TForm8::RadioButton10Click() {
    chooseMusic(*this, 2);
    updateSoundWindow();
}

void TForm8::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (centred_ || event->spontaneous()) return;
    // The first time it opens, the window sits in the middle of the main window.
    centred_ = true;
    if (const QWidget* main = parentWidget()) {
        QRect frame = frameGeometry();
        frame.moveCenter(main->frameGeometry().center());
        move(frame.topLeft());
    }
}

void TForm8::closeEvent(QCloseEvent* event) {
    FormClose();
    QWidget::closeEvent(event);
}

void TForm8::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) close();
    else QWidget::keyPressEvent(event);
}

} // namespace client
