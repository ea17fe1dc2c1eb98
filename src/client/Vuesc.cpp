// The main window: its controls, start-up and close.
#include "client/Vuesc.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QThread>
#include <QToolBar>
#include <QVBoxLayout>

#include "sharedwin/Captions.h"
#include "client/Forms.h"
#include "settings/Language.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "settings/Startup.h"
#include "settings/ThemeFile.h"
#include "client/UiText.h"
#include "client/VueInfoJeu.h"
#include "client/Vue3Dsc.h"
#include "client/VueConnexionsc.h"
#include "platform/MessageBox.h"
#include "platform/QtMessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/SiteUrl.h"
#include "platform/TextFile.h"

namespace client {

Forms& AppForms() {
    static Forms forms;
    return forms;
}

TableArea::TableArea(TForm1& owner) : QWidget(&owner), owner_(owner) {
    setObjectName("TableArea");
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(640, 480);
}

void TableArea::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, owner_.Surface().ToQImage());
    owner_.AreaPainted();
}

void TableArea::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    owner_.FormResize();
}

void TableArea::mousePressEvent(QMouseEvent* e) {
    owner_.FormMouseDown(int(e->position().x()), int(e->position().y()));
}

void TableArea::mouseReleaseEvent(QMouseEvent* e) {
    owner_.FormMouseUp(int(e->position().x()), int(e->position().y()));
}

void TableArea::mouseDoubleClickEvent(QMouseEvent* e) {
    owner_.FormDblClick(int(e->position().x()), int(e->position().y()));
}

namespace {
QTimer* makeTimer(QObject* parent, const char* name, int ms) {
    auto* t = new QTimer(parent);
    t->setObjectName(name);
    t->setInterval(ms);
    return t;
}
QLabel* makePicture(QWidget* parent, const char* name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->hide();
    return l;
}
} // namespace

TForm1::TForm1() : Voice({&MP0, &MP1, &MP2}) {
    setObjectName("TForm1");
    setWindowTitle("MORVATEL Dominoes 3D");
    AppForms().Form1 = this;

    Area = new TableArea(*this);
    setCentralWidget(Area);
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    setStatusBar(StatusBar1);

    Timer1 = makeTimer(this, "Timer1", 100);
    Timer2 = makeTimer(this, "Timer2", 5000);
    Timer3 = makeTimer(this, "Timer3", 50);
    TimeUp = makeTimer(this, "TimeUp", 60000);
    TimerError = makeTimer(this, "TimerError", 60000);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    connect(Timer3, &QTimer::timeout, this, &TForm1::Timer3Timer);
    connect(TimeUp, &QTimer::timeout, this, &TForm1::TimeUpTimer);
    connect(TimerError, &QTimer::timeout, this, &TForm1::TimerErrorTimer);
    NMHTTPA = new platform::HttpComponent("NMHTTPA", this);
    NMHTTPB = new platform::HttpComponent("NMHTTPB", this);
    connect(NMHTTPA, &platform::HttpComponent::Success, this, &TForm1::NMHTTPASuccess);
    connect(NMHTTPB, &platform::HttpComponent::Success, this, &TForm1::NMHTTPBSuccess);
    connect(NMHTTPA, &platform::HttpComponent::Failure, this, &TForm1::NMHTTPAFailure);
    connect(NMHTTPB, &platform::HttpComponent::Failure, this, &TForm1::NMHTTPBFailure);

    Button1 = new QPushButton(Area);
    Button1->setObjectName("Button1");
    SetCaption(Button1, "Next round");
    SetHint(Button1, "Begin the next round");
    Button1->resize(105, 25);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    BitBtn1 = new QPushButton(Area);
    BitBtn1->setObjectName("BitBtn1");
    SetCaption(BitBtn1, "Chat");
    SetHint(BitBtn1, "Send a message");
    BitBtn1->resize(60, 25);
    BitBtn1->move(10, 0);
    BitBtn1->hide();

    Image1 = new QLabel(Area);
    Image1->setObjectName("Image1");
    Image1->hide();
    imgComp0 = makePicture(Area, "imgComp0");
    imgComp1 = makePicture(Area, "imgComp1");
    imgComp2 = makePicture(Area, "imgComp2");
    imgCompx = makePicture(Area, "imgCompx");
    titreJeu = new QLabel(Area);
    titreJeu->setObjectName("titreJeu");
    titreJeu->move(8, 4);
    titreJeu->resize(400, 20);

    buildMenus();
    buildToolBar();
    FormCreate();
    // Every window is a child of this one: a language applied from anywhere retranslates
    // them all.
    SetLanguageListener(this, [this] { LanguageApplied(); });
    LanguageApplied();
}

TForm1::~TForm1() {
    SetLanguageListener(this, {});
    if (AppForms().Form1 == this) AppForms().Form1 = nullptr;
}

void TForm1::LanguageApplied() {
    RetranslateCaptions(this);
    setStatus(" " + Ui("Click on New Game to begin") + "...");
}

int TForm1::W() const { return Area->width(); }
int TForm1::H() const { return Area->height(); }

void TForm1::SurfaceChanged() { Area->update(); }

void TForm1::PauseBriefly() {
    // Lets the user see the opening double before the next seat moves; short enough that
    // the window never seems frozen.
    Area->repaint();
    QThread::msleep(200);
}

void TForm1::resizeSurface() {
    const int w = std::max(1, W()), h = std::max(1, H());
    if (Surface_.Width() != w || Surface_.Height() != h) Surface_.SetSize(w, h);
}

void TForm1::fillClientArea(int colour) {
    resizeSurface();
    platform::Canvas& c = Surface_.GetCanvas();
    c.SetBrushColor(colour);
    c.FillRect(0, 0, Surface_.Width(), Surface_.Height());
    SurfaceChanged();
}

void TForm1::setStatus(const std::string& text) { StatusBar1->showMessage(Q(text)); }

void TForm1::FormCreate() {
    // 1. Opponent pictures and the competition title.
    imgComp0->hide();
    imgComp1->hide();
    imgComp2->hide();
    imgCompx->hide();
    ForgetCaption(titreJeu);
    titreJeu->clear();

    // 2. The program's folder.
    SetProgramDir(platform::ProgramFolder());
    platform::ChangeToProgramFolder();
    Settings& s = AppSettings();

    // 3. Statistics; an unreadable file gives zeros and is written anew.
    if (auto read = TryReadStatisticsFile(s.StatsFilePath)) {
        Stats = *read;
    } else {
        Stats = Statistics{};
        SaveStaFile();
    }

    // 4-7. Settings and theme, one guarded block (a failure applies the defaults), then
    // both files written back at once.
    LoadStartupFiles(platform::ProgramFolder());

    // 9. The game loop waits for a game.
    Timer1->stop();
    Button1->hide();
    Timer3->start();

    // 10. Web addresses.
    const std::string base = platform::SiteBaseUrl();
    WebPagesBaseUrl = base + "red/index.php";
    BannerUrl = base + "pub/index.php";
    WebBaseUrl = base + "all/";
    FilesBaseUrl = base + "files/";
    BrowserHomeUrl.clear();
    BannerDone = false;

    // 12. A texture file that is there but cannot be loaded is dropped; a path naming no
    // file is kept (the file may come back, and the game then shows the plain colour).
    for (std::string* path : {&s.BackgroundTexturePath, &s.DominoesTexturePath, &s.BackDominoesTexturePath})
        if (!path->empty() && platform::FileExists(*path) && !platform::LoadJpeg(*path)) path->clear();

    // 11, 13. Window colour.
    CurrentTableColor = s.TableColor;
    fillClientArea(s.TableColor);

    // 14. Sound.
    Voice.SoundDevicesPresent = SoundDevicesAvailable();
    Voice.SoundOn = s.PutSound;

    // 16. The beginning sound.
    if (!s.BeginningSoundPath.empty()) Voice.EmetSon(0, s.BeginningSoundPath);

    // 17. Until the web banner has loaded the client works offline.
    Connect1->setEnabled(true);
    Disconnect1->setEnabled(false);
    NewGame1->setEnabled(true);
    lchargerdesjoueurs1->setEnabled(false);
    hmes1->setEnabled(false);
    NouvellePartie1->setEnabled(false);
    NouvellePartie1->setChecked(false);
    Seconnecter1->setEnabled(false);
    ToolButton2->setEnabled(false);
    ToolButton3->setEnabled(false);
    ToolButton4->setEnabled(false);
    Web1->setEnabled(false);
    for (QAction* web : {Downloadlanguages1, heOnlineGuide1, VOREKGAMESHomePage1, Community1}) web->setEnabled(false);
    Controleduson1->setEnabled(Voice.SoundDevicesPresent);
    Controleduson1->setChecked(s.DisplaySoundForm && Voice.SoundDevicesPresent);
    Vuedesinformations1->setChecked(s.DisplayInformation);

    // 18.
    CurrentBackgroundTexture = s.BackgroundTexturePath;
    CurrentTableColor = s.TableColor;
}

void TForm1::SaveStaFile() {
    if (!WriteStatisticsFile(AppSettings().StatsFilePath, Stats))
        platform::ShowMessage(Ui("The statistics file could not be written."), platform::SiteCaption);
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!shownOnce_) {
        shownOnce_ = true;
        FormShow();
    }
}

void TForm1::FormShow() {
    // The tool windows sit by the main window's lower left corner once it has its size.
    if (AppForms().Form4) AppForms().Form4->FormCreate();
    if (AppForms().Form17) AppForms().Form17->FormCreate();
    QPixmap splash(platform::FileSystemPath(InProgramDir("splash.jpg")));
    if (splash.isNull()) return;
    Image1->setPixmap(splash);
    Image1->resize(splash.size());
    Image1->move((W() - splash.width()) / 2, (H() - splash.height()) / 2);
    Image1->show();
    Image1->raise();
    Timer2->start();
}

void TForm1::Timer2Timer() {
    Image1->hide();
    Timer2->stop();
}

void TForm1::Timer3Timer() { Timer3->stop(); }

void TForm1::Quitter1Click() {
    if (platform::ShowMessage(Ui("Do you really want to quit Morvatel ?"), platform::SiteCaption,
                              platform::MsgButtons::YesNo) == platform::MsgAnswer::Yes)
        close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A running network game is reported as abandoned, and a logged-in player leaves the
    // lobby; both are sent before the process ends.
    const bool abandon = CurrentGame && CurrentGame->IsNetworkGame && !CurrentGame->GameOver;
    if (abandon) {
        LocalAbandon = true;
        GameAborted = true;
    }
    if (auto* lobby = static_cast<TForm14*>(AppForms().Form14)) lobby->SendClosingRequests(abandon);
    CloseGameSockets();
    try {
        Music->Stop();
    } catch (...) {
    }
    SaveIniFile();
    event->accept();
    // The program ends at once: its event loop stops (a window closed outside the loop, as
    // in the tests, leaves the next loop alone).
    if (QThread::currentThread()->loopLevel() > 0) QApplication::exit(0);
}

void InstallMessageBoxes() { platform::InstallQtMessageBoxes(); }

} // namespace client
