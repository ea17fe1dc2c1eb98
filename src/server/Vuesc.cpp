#include "platform/Latin1.h"
#include "server/Vuesc.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDate>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTime>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "lobby/Replies.h"
#include "lobby/UrlEncode.h"
#include "platform/MessageBox.h"
#include "platform/QtMessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/SiteUrl.h"
#include "server/ServerLanguage.h"
#include "server/ServerSettings.h"
#include "server/ServerWindows.h"
#include "sharedwin/Captions.h"
#include "sharedwin/Latin1Input.h"
#include "sharedwin/QtColors.h"

namespace server {

using platform::Q;
using platform::S;

namespace {


} // namespace

Forms& AppForms() {
    static Forms forms;
    return forms;
}

std::string ShortDate() {
    return platform::SWithBlanks(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
}

std::string ShortTime() {
    return platform::SWithBlanks(QLocale::system().toString(QTime::currentTime(), QLocale::ShortFormat));
}

TForm1::TForm1() : QMainWindow(nullptr) {
    setObjectName("TForm1");
    setWindowTitle("MVT Server 1.6");
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                   Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(350, 340);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        move(r.center() - QPoint(175, 170));
    }

    const auto timer = [this](const char* name, int ms, bool on) {
        auto* t = new QTimer(this);
        t->setObjectName(name);
        t->setInterval(ms);
        if (on) t->start();
        return t;
    };
    Timer1 = timer("Timer1", 100, true);
    Timer2 = timer("Timer2", 1000, false);
    Timer4 = timer("Timer4", 1000, false);
    TimeUp = timer("TimeUp", 60000, false);
    TimerError = timer("TimerError", 60000, false);
    TimerRetry = timer("TimerRetry", RetryDelayMs, false);
    TimerRetry->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    connect(Timer2, &QTimer::timeout, this, &TForm1::Timer2Timer);
    connect(Timer4, &QTimer::timeout, this, &TForm1::Timer4Timer);
    connect(TimeUp, &QTimer::timeout, this, &TForm1::TimeUpTimer);
    connect(TimerError, &QTimer::timeout, this, &TForm1::TimerErrorTimer);
    connect(TimerRetry, &QTimer::timeout, this, &TForm1::TimerRetryTimer);

    Http = new lobby::Senders(this);
    Http->setObjectName("Http");
    connect(Http, &lobby::Senders::Replied, this, [this](int code, const QByteArray& body) {
        if (stale(code)) return;
        const std::string text = platform::Bytes(body);
        switch (code) {
        case 0: NMHTTP0Success(text); break;
        case 1: NMHTTP1Success(text); break;
        case 2: NMHTTP2Success(text); break;
        case 3: NMHTTP3Success(text); break;
        case 5: NMHTTP5Success(text); break;
        default: break;  // replies to 04, 07 and 08 are not used
        }
    });
    connect(Http, &lobby::Senders::Failed, this, [this](int code, const QString& reason) {
        if (!stale(code)) LobbyFailed(code, client::S(reason));
    });

    WSocketServer1 = new net::GameLinkHost(*this, this);
    WSocketServer1->setObjectName("WSocketServer1");
    WSocketServer1->Banner = "Welcome to TcpSrv";
    WSocketServer1->OwnSeatPlaysItself = true;
    WSocketServer1->StatisticsFile = StatsFileName;

    GetInetFile = [this](const std::string& url) { PostNotice(this, url); };
    TrayAvailable = [] { return QSystemTrayIcon::isSystemTrayAvailable(); };

    buildMenus();
    buildPages();
    StatusBar1 = statusBar();
    StatusBar1->setObjectName("StatusBar1");
    WriteErrors = new QLabel(StatusBar1);
    WriteErrors->setObjectName("WriteErrors");
    WriteErrors->hide();
    StatusBar1->addPermanentWidget(WriteErrors);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    Actions1 = PopupMenu1->addAction("Connect");
    Actions1->setObjectName("Actions1");
    Disconnect2 = PopupMenu1->addAction("Disconnect");
    Disconnect2->setObjectName("Disconnect2");
    PopupMenu1->addSeparator();
    Open1 = PopupMenu1->addAction("Open");
    Open1->setObjectName("Open1");
    PopupMenu1->addSeparator();
    Halt1 = PopupMenu1->addAction("Exit");
    Halt1->setObjectName("Halt1");
    Actions1->setEnabled(false);
    Disconnect2->setEnabled(false);
    connect(Actions1, &QAction::triggered, this, &TForm1::Actions1Click);
    connect(Disconnect2, &QAction::triggered, this, &TForm1::Disconnect2Click);
    connect(Open1, &QAction::triggered, this, &TForm1::Open1Click);
    connect(Halt1, &QAction::triggered, this, &TForm1::Halt1Click);

    TrayIcon = new QSystemTrayIcon(this);
    TrayIcon->setObjectName("TrayIcon");
    TrayIcon->setToolTip("MVT Server - Running");
    TrayIcon->setIcon(AppIcon());
    setWindowIcon(AppIcon());
    TrayIcon->setContextMenu(PopupMenu1);
    connect(TrayIcon, &QSystemTrayIcon::activated, this, &TForm1::TrayActivated);
}

TForm1::~TForm1() {
    // The game's lines go nowhere once the link is gone.
    CurrentGame.reset();
}

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();
    PartieMenu = bar->addMenu("Partie");
    Partie1 = PartieMenu->menuAction();
    Partie1->setObjectName("Partie1");
    CompetitionsMenu = PartieMenu->addMenu("WEB Competitions");
    Competitions1 = CompetitionsMenu->menuAction();
    Connect1 = CompetitionsMenu->addAction("Connect");
    Connect1->setObjectName("Connect1");
    Connect1->setShortcut(QKeySequence("Ctrl+C"));
    Disconnect1 = CompetitionsMenu->addAction("Disconnect");
    Disconnect1->setObjectName("Disconnect1");
    Disconnect1->setShortcut(QKeySequence("Ctrl+D"));
    Vuedesinformations1 = PartieMenu->addAction("Vue des informations");
    Vuedesinformations1->setObjectName("Vuedesinformations1");
    Vuedesinformations1->setShortcut(QKeySequence("Ctrl+I"));
    Vuedesinformations1->setCheckable(true);
    PartieMenu->addSeparator();
    Quitter1 = PartieMenu->addAction("Quitter");
    Quitter1->setObjectName("Quitter1");

    OptionsMenu = bar->addMenu("Options");
    Options1 = OptionsMenu->addAction("Preferences...");
    Options1->setObjectName("Options1");
    Options1->setShortcut(QKeySequence("Ctrl+P"));
    Statistiques1 = OptionsMenu->addAction("Statistiques...");
    Statistiques1->setObjectName("Statistiques1");

    HelpMenu = bar->addMenu("&?");
    VOREKGAMESHomePage1 = HelpMenu->addAction(platform::SiteCaption);
    VOREKGAMESHomePage1->setObjectName("VOREKGAMESHomePage1");
    VOREKGAMESHomePage1->setEnabled(false);
    VOREKDomino1 = HelpMenu->addAction("A propos de MORVATEL");
    VOREKDomino1->setObjectName("VOREKDomino1");

    connect(Connect1, &QAction::triggered, this, &TForm1::Connect1Click);
    connect(Disconnect1, &QAction::triggered, this, &TForm1::Disconnect1Click);
    connect(Vuedesinformations1, &QAction::triggered, this, &TForm1::Vuedesinformations1Click);
    connect(Quitter1, &QAction::triggered, this, &TForm1::Quitter1Click);
    connect(Options1, &QAction::triggered, this, &TForm1::Options1Click);
    connect(Statistiques1, &QAction::triggered, this, &TForm1::Statistiques1Click);
    connect(VOREKGAMESHomePage1, &QAction::triggered, this, &TForm1::VOREKGAMESHomePage1Click);
    connect(VOREKDomino1, &QAction::triggered, this, &TForm1::VOREKDomino1Click);

    QToolBar* tools = addToolBar("ToolBar1");
    tools->setObjectName("ToolBar1");
    tools->setMovable(false);
    ToolButton5 = new QToolButton(tools);
    ToolButton5->setObjectName("ToolButton5");
    ToolButton5->setText("Connect");
    ToolButton5->setToolTip("Connect the server");
    ToolButton5->setEnabled(false);
    ToolButton6 = new QToolButton(tools);
    ToolButton6->setObjectName("ToolButton6");
    ToolButton6->setText("Disconnect");
    ToolButton6->setToolTip("Disconnect the server");
    ComboBox1 = new QComboBox(tools);
    ComboBox1->setObjectName("ComboBox1");
    ComboBox1->setToolTip("Choose the MVT Competition in which the server will play");
    ComboBox1->setMinimumWidth(150);
    tools->addWidget(ToolButton5);
    tools->addWidget(ToolButton6);
    tools->addWidget(ComboBox1);
    connect(ToolButton5, &QToolButton::clicked, this, &TForm1::ToolButton5Click);
    connect(ToolButton6, &QToolButton::clicked, this, &TForm1::ToolButton6Click);

    addToolBarBreak();
    QToolBar* title = addToolBar("ToolBar2");
    title->setObjectName("ToolBar2");
    title->setMovable(false);
    // In a box of its own: a widget put straight on a tool bar cannot be hidden by itself.
    auto* box = new QWidget(title);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(2, 0, 2, 0);
    const auto image = [&](const char* name, const char* text) {
        auto* l = new QLabel(text, box);
        l->setObjectName(name);
        row->addWidget(l);
        return l;
    };
    imgComp0 = image("imgComp0", "(C)");
    imgComp1 = image("imgComp1", "(T)");
    imgComp2 = image("imgComp2", "(W)");
    titreJeu = image("titreJeu", "");
    row->addStretch();
    title->addWidget(box);
}

void TForm1::buildPages() {
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    setCentralWidget(PageControl1);

    TabConnexion = new QWidget(PageControl1);
    TabConnexion->setObjectName("TabConnexion");
    auto* c = new QVBoxLayout(TabConnexion);
    c->setContentsMargins(2, 2, 2, 2);
    GridUsers = new QTableWidget(1, 5, TabConnexion);
    GridUsers->setObjectName("GridUsers");
    GridUsers->setToolTip("Detailed list of connected players");
    GridUsers->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridUsers->setSelectionMode(QAbstractItemView::SingleSelection);
    GridUsers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridUsers->verticalHeader()->hide();
    GridUsers->verticalHeader()->setDefaultSectionSize(18);
    c->addWidget(GridUsers);
    PageControl1->addTab(TabConnexion, "Connexion");

    TabMessages = new QWidget(PageControl1);
    TabMessages->setObjectName("TabMessages");
    auto* m = new QVBoxLayout(TabMessages);
    m->setContentsMargins(2, 2, 2, 2);
    GroupBox1 = new QGroupBox("Messages reçus", TabMessages);
    GroupBox1->setObjectName("GroupBox1");
    auto* g1 = new QGridLayout(GroupBox1);
    MemoReceived = new QPlainTextEdit(GroupBox1);
    MemoReceived->setObjectName("MemoReceived");
    MemoReceived->setReadOnly(true);
    MemoReceived->setMaximumBlockCount(HistoryLineLimit);
    Label7 = new QLabel(GroupBox1);
    Label7->setObjectName("Label7");
    BitBtn6 = new QPushButton("<", GroupBox1);
    BitBtn6->setObjectName("BitBtn6");
    BitBtn5 = new QPushButton(">", GroupBox1);
    BitBtn5->setObjectName("BitBtn5");
    g1->addWidget(MemoReceived, 0, 0, 1, 3);
    g1->addWidget(Label7, 1, 0);
    g1->addWidget(BitBtn6, 1, 1);
    g1->addWidget(BitBtn5, 1, 2);
    GroupBox2 = new QGroupBox("Adversaires", TabMessages);
    GroupBox2->setObjectName("GroupBox2");
    auto* g2 = new QVBoxLayout(GroupBox2);
    ListBox2 = new QListWidget(GroupBox2);
    ListBox2->setObjectName("ListBox2");
    ListBox2->setMaximumHeight(48);
    g2->addWidget(ListBox2);
    m->addWidget(GroupBox1, 3);
    m->addWidget(GroupBox2, 1);
    PageControl1->addTab(TabMessages, "Messages");
    connect(BitBtn5, &QPushButton::clicked, this, &TForm1::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TForm1::BitBtn6Click);

    TabHistory = new QWidget(PageControl1);
    TabHistory->setObjectName("TabHistory");
    auto* h = new QVBoxLayout(TabHistory);
    h->setContentsMargins(2, 2, 2, 2);
    Memo2 = new QPlainTextEdit(TabHistory);
    Memo2->setObjectName("Memo2");
    Memo2->setReadOnly(true);
    Memo2->setToolTip("History messages");
    Memo2->setMaximumBlockCount(HistoryLineLimit);
    h->addWidget(Memo2);
    PageControl1->addTab(TabHistory, "History");
}

void TForm1::FormCreate() {
    // 1, 2: the minimise event (changeEvent), the start values.
    LoginChecked = false;
    IsHost = true;
    imgComp0->hide();
    imgComp1->hide();
    imgComp2->hide();
    titreJeu->clear();
    AccountAccepted = false;

    // 3: the program's folder.
    ProgramDir = platform::ProgramFolder() + "/";
    ProgramPath = ProgramDir + (QCoreApplication::instance()
                                    ? platform::ModelPath(QFileInfo(QCoreApplication::applicationFilePath()).fileName())
                                          .value_or("mvtserver")
                                    : std::string("mvtserver"));
    platform::ChangeToProgramFolder();
    IniFilePath = ProgramDir + IniFileName;
    StatsFilePath = ProgramDir + StatsFileName;
    WSocketServer1->StatisticsFile = StatsFilePath;

    // 4, 5: the login check's timer, then the statistics and settings files.
    Timer2->start();
    ReadStaFile(StatsFilePath, AppStatistics());
    ReadSettingsFile(IniFilePath, AppSettings());
    CpuDelayTicks = 18;
    SaveIniFile();

    // 6, 7.
    Timer1->stop();
    Vuedesinformations1->setChecked(false);
    const std::string site = platform::SiteBaseUrl();
    HomePageUrl = site + "red/index.php";
    WebBaseUrl = site + "all/";

    // 8: the competitions list.
    ComboBox1->clear();
    ComboBox1->addItem(Q("(" + Srv("None competition") + ")"));
    ComboBox1->setCurrentIndex(0);

    // 9, 10.
    AddHistory("MORVATEL Lauching");
    notConnectedState();
    PageControl1->setCurrentIndex(0);
}

void TForm1::notConnectedState() {
    ToolButton6->setEnabled(false);
    setConnectEnabled(false);
    setDisconnectEnabled(false);
    Timer4->stop();
    ComboBox1->setEnabled(true);
    resetUserGrid("");
    GridUsers->setEnabled(false);
    clearMessageControls();
    OpponentCount = 0;
    WSocketServer1->Close();
}

void TForm1::setConnectEnabled(bool on) {
    Connect1->setEnabled(on);
    Actions1->setEnabled(on);
}

void TForm1::setDisconnectEnabled(bool on) {
    Disconnect1->setEnabled(on);
    Disconnect2->setEnabled(on);
}

void TForm1::resetUserGrid(const std::string& text) {
    GridUsers->clearContents();
    GridUsers->setRowCount(1);
    GridUsers->setItem(0, 0, new QTableWidgetItem(Q(text)));
}

void TForm1::clearMessageControls() {
    BitBtn6->setEnabled(false);
    BitBtn5->setEnabled(false);
    GroupBox2->setEnabled(false);
    ListBox2->setEnabled(false);
    ListBox2->clear();
    GroupBox1->setEnabled(false);
    MemoReceived->clear();
    MemoReceived->setEnabled(false);
    Label7->clear();
    Label7->setEnabled(false);
}

void TForm1::ApplyLanguage() {
    PartieMenu->setTitle(Q(Srv("Game")));
    Vuedesinformations1->setText(Q(Srv("Information View")));
    Quitter1->setText(Q(Srv("Exit")));
    OptionsMenu->setTitle(Q(Srv("Options")));
    Options1->setText(Q(Srv("Preferences") + "..."));
    Statistiques1->setText(Q(Srv("Statistics") + "..."));
    VOREKDomino1->setText(Q(Srv("About") + "..."));
    for (QAction* a : {Connect1, Actions1}) a->setText(Q(Srv("Connect")));
    for (QAction* a : {Disconnect1, Disconnect2}) a->setText(Q(Srv("Disconnect")));
    Halt1->setText(Q(Srv("Exit")));
    ToolButton5->setText(Q(Srv("Connect")));
    ToolButton6->setText(Q(Srv("Disconnect")));
    PageControl1->setTabText(0, Q(Srv("Connection")));
    PageControl1->setTabText(1, Q(Srv("Messages")));
    GroupBox1->setTitle(Q(Srv("Received messages")));
    GroupBox2->setTitle(Q(Srv("Opponents")));
    GridUsers->setHorizontalHeaderLabels({Q(Srv("Nickname")), "Country", Q(Srv("Kind")),
                                          Q(Srv("State")), Q(Srv("Connected since"))});
    // The competitions list's single item follows the language too.
    if (ComboBox1->count() == 1 && ComboBox1->itemText(0).startsWith('('))
        ComboBox1->setItemText(0, Q("(" + Srv("None competition") + ")"));
}

void TForm1::AddHistory(const std::string& event) {
    Memo2->appendPlainText(Q(ShortDate() + " - " + ShortTime() + " : " + event));
}

void TForm1::SaveIniFile() {
    platform::ChangeToProgramFolder();
    WriteResult(IniFileName, WriteSettingsFile(IniFilePath, AppSettings()));
}

void TForm1::SaveStaFile() {
    platform::ChangeToProgramFolder();
    WriteResult(StatsFileName, WriteStatisticsFile(StatsFilePath, AppStatistics()));
}

void TForm1::WriteResult(const std::string& file, bool written) {
    std::string& error = file == IniFileName ? iniWriteError_ : staWriteError_;
    if (written) {
        error.clear();
    } else {
        error = Srv("Cannot write the file") + " " + file;
        AddHistory(error);
    }
    // Beside the status text, so that no later status (Connect clears it) hides it.
    const std::string shown = iniWriteError_ + (iniWriteError_.empty() || staWriteError_.empty() ? "" : "; ") +
                              staWriteError_;
    WriteErrors->setText(Q(shown));
    WriteErrors->setVisible(!shown.empty());
}

int& TForm1::counter() { return lobby::AppCounters().LobbyRequestCounter; }

lobby::LobbyIdentity TForm1::identity() const {
    const ServerSettings& s = AppSettings();
    lobby::LobbyIdentity id;
    id.WebBaseUrl = WebBaseUrl;
    id.Surname = s.Surname;
    id.NetPassword = s.NetPassword;
    id.CompetitionName = CompetitionName;
    id.LocalIPAddress = LocalIPAddress;
    id.ServerPort = s.ServerPort;
    return id;
}

lobby::RequestMaker TForm1::requests() {
    identity_ = identity();
    return lobby::RequestMaker(identity_, lobby::AppCounters());
}

void TForm1::PostPrivateMessage(const std::string& toIP, int toPort, const std::string& stamp,
                                const std::string& text) {
    sendLobby(4, requests().PrivateMessage(toIP, toPort, stamp, text));
}

bool TForm1::sendLobby(int code, const std::string& url) {
    const ServerSettings& s = AppSettings();
    Http->ApplyProxy(s.IsProxy, s.ProxyAddress, s.ProxyPort);
    if (code >= 0 && code < static_cast<int>(sentRound_.size())) sentRound_[code] = lobbyRound_;
    return Http->Send(code, url);
}

bool TForm1::stale(int code) const {
    // The login check, the messages and the result reports belong to no log-in.
    if (code != 1 && code != 2 && code != 3 && code != 5 && code != 7) return false;
    return sentRound_[code] != lobbyRound_;
}

// Login check ----------------------------------------------------------------------------

void TForm1::Timer2Timer() {
    Timer2->setInterval(300000);
    PageControl1->show();
    setConnectEnabled(true);
    setDisconnectEnabled(false);
    VOREKGAMESHomePage1->setEnabled(true);
    sendLobby(0, requests().LoginCheck());
}

void TForm1::NMHTTP0Success(const std::string& body) {
    Timer2->stop();
    Timer4->stop();
    LoginChecked = true;
    PollingStopped = true;
    LobbyReply = body;
    ComboBox1->clear();
    AccountAccepted = !lobby::AccountRefused(LobbyReply);

    if (lobby::KindOf(LobbyReply) == lobby::ReplyKind::Competitions) {
        for (const lobby::Competition& c : lobby::ReadCompetitions(LobbyReply).Records) {
            static const char* const suffix[] = {" (C)", " (T)", " (W)"};
            // Only the three kinds the server plays in are offered: the robot sends the
            // item's text less its four-character suffix.
            if (c.Kind >= 0 && c.Kind <= 2) ComboBox1->addItem(Q(c.Name + suffix[c.Kind]));
        }
        ToolButton5->setEnabled(true);
    }
    if (ComboBox1->count() == 0) ComboBox1->addItem(Q("(" + Srv("None competition") + ")"));
    ComboBox1->setCurrentIndex(0);

    if (AccountAccepted) {
        if (!showingOptions()) {
            ToolButton5Click();
            Minimize();
        }
    } else if (TForm8* options = AppForms().Form8) {
        options->ShowNetwork();
    }
}

bool TForm1::showingOptions() const {
    return AppForms().Form8 && AppForms().Form8->isVisible();
}

void TForm1::setOptionsNetworkEnabled(bool on) {
    if (TForm8* options = AppForms().Form8) options->SetNetworkEnabled(on);
}

// Menus ------------------------------------------------------------------------------------

void TForm1::Connect1Click() {
    PageControl1->show();
    ToolButton5Click();
}

void TForm1::Disconnect1Click() {
    PageControl1->show();
    ToolButton6Click();
}

void TForm1::Vuedesinformations1Click() {
    TForm4* info = AppForms().Form4;
    if (!info) return;
    info->setVisible(Vuedesinformations1->isChecked());
}

void TForm1::Quitter1Click() {
    if (platform::ShowMessage(Srv("Do you really want to quit Morvatel ?"), platform::SiteCaption,
                              platform::MsgButtons::YesNo) == platform::MsgAnswer::Yes)
        close();
}

void TForm1::Options1Click() {
    if (TForm8* options = AppForms().Form8) options->ShowNetwork();
}

void TForm1::Statistiques1Click() {
    if (TForm6* stats = AppForms().Form6) stats->ShowModal();
}

void TForm1::VOREKGAMESHomePage1Click() {
    if (TForm2* about = AppForms().Form2) about->Label5Click();
}

void TForm1::VOREKDomino1Click() {
    if (TForm2* about = AppForms().Form2) about->ShowModal();
}

// The main block's windows ------------------------------------------------------------------

TForm1* CreateServerWindows() {
    // The windows built on the client's take their texts from the server's language.
    client::SetTextSource(Srv);
    Forms& f = AppForms();
    f.Form1 = new TForm1;
    f.Form2 = new TForm2(f.Form1);
    f.Form4 = new TForm4(f.Form1);
    f.Form8 = new TForm8(f.Form1);
    f.Form9 = new TForm9(f.Form1);
    f.Form12 = new TForm12(f.Form1);
    f.Form11 = new TForm11(f.Form1);
    f.Form6 = new TForm6(f.Form1);
    f.Form7 = new TForm7(f.Form1);
    client::KeepLatin1(f.Form1);  // every field of every window: texts are Latin-1
    // The main window reads its files once every window exists; the language window then
    // applies the language in force.
    f.Form1->FormCreate();
    f.Form7->FormCreate();
    return f.Form1;
}

void DestroyServerWindows() {
    Forms& f = AppForms();
    delete f.Form1;  // the other windows are its children
    f = Forms{};
    client::SetTextSource({});
}

void InstallMessageBoxes() { platform::InstallQtMessageBoxes(); }

} // namespace server
