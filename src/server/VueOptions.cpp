// The server's options window.
#include <QCloseEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/Latin1.h"
#include "settings/ProfileCard.h"
#include "settings/Settings.h"
#include "lobby/Requests.h"
#include "platform/MessageBox.h"
#include "platform/ProgramFolder.h"
#include "platform/SiteUrl.h"
#include "server/Autostart.h"
#include "server/ServerLanguage.h"
#include "server/ServerSettings.h"
#include "server/ServerWindows.h"
#include "server/Vuesc.h"

namespace server {

using platform::Q;
using platform::S;

namespace {


} // namespace

TForm8::TForm8(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName("TForm8");
    setWindowTitle("Options");
    auto* outer = new QVBoxLayout(this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName("PageControl1");
    outer->addWidget(PageControl1);

    const auto edit = [this](const char* name, int limit, bool secret) {
        auto* e = new QLineEdit(this);
        e->setObjectName(name);
        e->setMaxLength(limit);
        if (secret) e->setEchoMode(QLineEdit::Password);
        connect(e, &QLineEdit::textEdited, this, [this] { Modified = true; });
        connect(e, &QLineEdit::returnPressed, this, [this] { EditKeyPress(13); });
        return e;
    };
    const auto spin = [this](const char* name) {
        auto* s = new QSpinBox(this);
        s->setObjectName(name);
        s->setRange(0, 65535);
        connect(s, &QSpinBox::valueChanged, this, [this] { SpinEditChange(); });
        return s;
    };
    const auto label = [this](const char* name, const char* text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(name);
        return l;
    };

    // "The Ring": the account, and the game port.
    auto* ring = new QWidget(PageControl1);
    auto* ringLayout = new QVBoxLayout(ring);
    GroupBoxNetwork = new QGroupBox("Parameters", ring);
    GroupBoxNetwork->setObjectName("GroupBoxNetwork");
    auto* account = new QFormLayout(GroupBoxNetwork);
    Edit114 = edit("Edit114", 12, false);
    Edit114->setToolTip("Enter your surname");
    Edit111 = edit("Edit111", 12, true);
    Edit111->setToolTip("Enter your password");
    Button112 = new QPushButton("Click here...", this);
    Button112->setObjectName("Button112");
    Button112->setToolTip("to create an new account in MVT Competitions");
    LabelNickname = label("LabelNickname", "Nickname :");
    LabelPassword = label("LabelPassword", "Password :");
    account->addRow(LabelNickname, Edit114);
    account->addRow(LabelPassword, Edit111);
    account->addRow(Button112);
    ringLayout->addWidget(GroupBoxNetwork);
    PageControl1->addTab(ring, "The Ring");

    // "Configuration": the game port, and the HTTP proxy.
    auto* config = new QWidget(PageControl1);
    auto* configLayout = new QVBoxLayout(config);
    GroupBoxServer = new QGroupBox("Server", config);
    GroupBoxServer->setObjectName("GroupBoxServer");
    auto* server = new QFormLayout(GroupBoxServer);
    SpinEdit112 = spin("SpinEdit112");
    LabelServerPort = label("LabelServerPort", "Server Port :");
    server->addRow(LabelServerPort, SpinEdit112);
    configLayout->addWidget(GroupBoxServer);
    GroupBoxProxy = new QGroupBox("Proxy server", config);
    GroupBoxProxy->setObjectName("GroupBoxProxy");
    auto* proxy = new QGridLayout(GroupBoxProxy);
    CheckBox114 = new QCheckBox("Utiliser un serveur Proxy", this);
    CheckBox114->setObjectName("CheckBox114");
    Label120 = label("Label120", "Adresse :");
    Edit120 = edit("Edit120", 15, false);
    Label121 = label("Label121", "Port :");
    SpinEdit121 = spin("SpinEdit121");
    proxy->addWidget(CheckBox114, 0, 0, 1, 2);
    proxy->addWidget(Label120, 1, 0);
    proxy->addWidget(Edit120, 1, 1);
    proxy->addWidget(Label121, 2, 0);
    proxy->addWidget(SpinEdit121, 2, 1);
    configLayout->addWidget(GroupBoxProxy);
    PageControl1->addTab(config, "Configuration");

    // "Firewall": SOCKS 5 and its authentication.
    auto* firewall = new QWidget(PageControl1);
    auto* fwLayout = new QVBoxLayout(firewall);
    GroupBox111 = new QGroupBox("Serveur Proxy SOCKS5", firewall);
    GroupBox111->setObjectName("GroupBox111");
    auto* socks = new QGridLayout(GroupBox111);
    CheckBox112 = new QCheckBox("Utiliser un serveur Proxy SOCKS5", this);
    CheckBox112->setObjectName("CheckBox112");
    Label115 = label("Label115", "Adresse :");
    Edit113 = edit("Edit113", 15, false);
    Label116 = label("Label116", "Port :");
    SpinEdit111 = spin("SpinEdit111");
    socks->addWidget(CheckBox112, 0, 0, 1, 2);
    socks->addWidget(Label115, 1, 0);
    socks->addWidget(Edit113, 1, 1);
    socks->addWidget(Label116, 2, 0);
    socks->addWidget(SpinEdit111, 2, 1);
    GroupBox112 = new QGroupBox("Authentification SOCKS5", firewall);
    GroupBox112->setObjectName("GroupBox112");
    auto* auth = new QGridLayout(GroupBox112);
    CheckBox113 = new QCheckBox("Utiliser l'authentification SOCKS5", this);
    CheckBox113->setObjectName("CheckBox113");
    Label118 = label("Label118", "Utilisateur :");
    Edit115 = edit("Edit115", 15, false);
    Label119 = label("Label119", "Mot de passe :");
    Edit116 = edit("Edit116", 15, true);
    auth->addWidget(CheckBox113, 0, 0, 1, 2);
    auth->addWidget(Label118, 1, 0);
    auth->addWidget(Edit115, 1, 1);
    auth->addWidget(Label119, 2, 0);
    auth->addWidget(Edit116, 2, 1);
    fwLayout->addWidget(GroupBox111);
    fwLayout->addWidget(GroupBox112);
    PageControl1->addTab(firewall, "Firewall");

    // "Players": the seats' profiles.
    auto* players = new QWidget(PageControl1);
    auto* plLayout = new QGridLayout(players);
    ListBox1 = new QListWidget(players);
    ListBox1->setObjectName("ListBox1");
    ListBox1->addItems({"Player on the left", "Me", "Player on the right"});
    ListBox1->setMaximumWidth(150);
    BitBtn1 = new QPushButton("Changer...", players);
    BitBtn1->setObjectName("BitBtn1");
    SeatDetails = new client::ProfileView(players, "", false);
    Label3 = SeatDetails->Name;
    Label4 = SeatDetails->Origin;
    Label5 = SeatDetails->Editor;
    Image1 = SeatDetails->Picture;
    Stars = SeatDetails->Stars;
    for (QLabel* star : Stars) star->hide();
    plLayout->addWidget(ListBox1, 0, 0);
    plLayout->addWidget(SeatDetails, 0, 1, Qt::AlignTop);
    plLayout->addWidget(BitBtn1, 1, 0);
    plLayout->setColumnStretch(1, 1);
    PageControl1->addTab(players, "Players");

    // "General".
    auto* general = new QWidget(PageControl1);
    auto* genLayout = new QVBoxLayout(general);
    CheckBox1 = new QCheckBox("Launch MVT Server at Windows startup", general);
    CheckBox1->setObjectName("CheckBox1");
    genLayout->addWidget(CheckBox1);
    genLayout->addStretch();
    PageControl1->addTab(general, "General");

    Button1 = new QPushButton("Annuler", this);
    Button1->setObjectName("Button1");
    outer->addWidget(Button1);

    connect(Button1, &QPushButton::clicked, this, &TForm8::Button1Click);
    connect(Button112, &QPushButton::clicked, this, &TForm8::Button112Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { ListBox1DblClick(); });
    connect(BitBtn1, &QPushButton::clicked, this, &TForm8::ListBox1DblClick);
    connect(CheckBox1, &QCheckBox::clicked, this, &TForm8::CheckBox1Click);
    connect(CheckBox112, &QCheckBox::clicked, this, &TForm8::CheckBox112Click);
    connect(CheckBox113, &QCheckBox::clicked, this, &TForm8::CheckBox113Click);
    connect(CheckBox114, &QCheckBox::clicked, this, &TForm8::CheckBox114Click);
    FormCreate();
}

void TForm8::FormCreate() {
    if (QWidget* main = parentWidget()) move(main->x() + 40, main->y() + 40);
}

void TForm8::ApplyLanguage() {
    PageControl1->setTabText(1, Q(Srv("Configuration")));
    PageControl1->setTabText(2, Q(Srv("Firewall")));
    CheckBox114->setText(Q(Srv("Use a proxy server")));
    CheckBox112->setText(Q(Srv("Use a proxy server SOCKS5")));
    CheckBox113->setText(Q(Srv("Use SOCKS5 Authentification")));
    GroupBox111->setTitle(Q(Srv("Proxy Server SOCKS5")));
    GroupBox112->setTitle(Q(Srv("Authentification")));
    for (QLabel* l : {Label120, Label115}) l->setText(Q(Srv("Address") + " :"));
    for (QLabel* l : {Label121, Label116}) l->setText(Q(Srv("Port") + " :"));
    Label118->setText(Q(Srv("User") + " :"));
    Label119->setText(Q(Srv("Password") + " :"));
    LabelNickname->setText(Q(Srv("Nickname") + " :"));
    LabelPassword->setText(Q(Srv("Password") + " :"));
    LabelServerPort->setText(Q(Srv("Server Port") + " :"));
    GroupBoxServer->setTitle(Q(Srv("Server")));
    BitBtn1->setText(Q(Srv("Change the player") + "..."));
    Button1->setText(Q(Srv("Close")));
}

void TForm8::UpdateComponent2() {
    const ServerSettings& s = AppSettings();
    const bool wasModified = Modified;
    Edit114->setText(Q(s.Surname));
    Edit111->setText(Q(s.NetPassword));
    SpinEdit112->setValue(s.ServerPort);
    CheckBox114->setChecked(s.IsProxy);
    Edit120->setText(Q(s.ProxyAddress));
    SpinEdit121->setValue(s.ProxyPort);
    CheckBox112->setChecked(s.IsSocksProxy);
    Edit113->setText(Q(s.ProxySocksAddress));
    SpinEdit111->setValue(s.ProxySocksPort);
    CheckBox113->setChecked(s.IsAuthentificationSocks);
    Edit115->setText(Q(s.ProxySocksLogin));
    Edit116->setText(Q(s.ProxySocksPassword));
    CheckBox1->setChecked(s.LaunchAtStartup);
    // Filling the controls is no change by the owner.
    Modified = wasModified;
    TForm1* main = AppForms().Form1;
    if (main && !main->AccountAccepted) PageControl1->setCurrentIndex(0);
    enableByChecks();
    AppSettings().PlayWithCpu = 1;
}

void TForm8::enableByChecks() {
    const bool proxy = CheckBox114->isChecked() && GroupBoxProxy->isEnabled();
    for (QWidget* w : std::initializer_list<QWidget*>{Label120, Label121, Edit120, SpinEdit121})
        w->setEnabled(proxy);
    const bool socks = CheckBox112->isChecked() && GroupBox111->isEnabled();
    for (QWidget* w : std::initializer_list<QWidget*>{Label115, Label116, Edit113, SpinEdit111})
        w->setEnabled(socks);
    GroupBox112->setEnabled(socks);
    CheckBox113->setEnabled(socks);
    const bool auth = socks && CheckBox113->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{Edit115, Edit116, Label118, Label119})
        w->setEnabled(auth);
}

void TForm8::SetNetworkEnabled(bool on) {
    GroupBoxNetwork->setEnabled(on);
    GroupBoxServer->setEnabled(on);
    GroupBoxProxy->setEnabled(on);
    GroupBox111->setEnabled(on);
    enableByChecks();
}

void TForm8::ShowNetwork() {
    UpdateComponent2();
    UpdateComponent();
    PageControl1->setCurrentIndex(0);
    setModal(true);
    show();
}

std::string TForm8::SeatFile(int position) const {
    return platform::FileNamePart(SeatProfileSetting(AppSettings(), position));
}

void TForm8::UpdateComponent() {
    platform::ChangeToProgramFolder();
    client::SetProgramDir(platform::ProgramFolder());
    ListBox1->setCurrentRow(Position);
    const std::optional<client::ProfileCard> card = client::ReadProfileCard(SeatFile(Position));
    if (!card) {
        platform::ShowMessage(Srv("This player is not valid. You should delete him"), platform::SiteCaption);
        SeatDetails->ClearDetails();
        // No stars of the profile shown before.
        for (QLabel* star : Stars) star->hide();
        return;
    }
    SeatDetails->Show(*card);
}

void TForm8::ListBox1DblClick() {
    Position = std::clamp(ListBox1->currentRow(), 0, 2);
    auto* list = AppForms().Form9;
    if (!list) {
        UpdateComponent();
        return;
    }
    list->Mode = 1;
    list->Seat = Position;
    list->CurrentProfile = SeatFile(Position);
    // Modal without a nested event loop, so the server's timers keep running; the seat's
    // profile is shown again when the list is done.
    connect(list, &QDialog::finished, this, [this] { UpdateComponent(); }, Qt::SingleShotConnection);
    list->open();
}

void TForm8::CheckBox1Click() {
    Modified = true;
    AppSettings().LaunchAtStartup = CheckBox1->isChecked();
}

void TForm8::CheckBox112Click() {
    Modified = true;
    AppSettings().IsSocksProxy = CheckBox112->isChecked();
    enableByChecks();
}

void TForm8::CheckBox113Click() {
    Modified = true;
    AppSettings().IsAuthentificationSocks = CheckBox113->isChecked();
    enableByChecks();
}

void TForm8::CheckBox114Click() {
    Modified = true;
    AppSettings().IsProxy = CheckBox114->isChecked();
    enableByChecks();
}

void TForm8::EditKeyPress(int key) {
    Modified = true;
    if (key == 13) close();
}

void TForm8::Button112Click() {
    const ServerSettings& s = AppSettings();
    TForm1* main = AppForms().Form1;
    const std::string home = main ? main->HomePageUrl : std::string();
    const std::string url = home + "?lg=" + s.Surname + "&pw=" + s.NetPassword + "&dwl=1&opt=9&lang=" +
                            s.UniversLanguage;
    if (!OpenInBrowser || !OpenInBrowser(url))
        platform::ShowMessage("Problem in calling the help file.", platform::SiteCaption);
    close();
}

void TForm8::closeEvent(QCloseEvent* event) {
    FormClose();
    QDialog::closeEvent(event);
}

void TForm8::FormClose() {
    ServerSettings& s = AppSettings();
    s.BeServer = 1;
    s.PlayWithCpu = 1;
    s.Surname = S(Edit114->text());
    s.NetPassword = S(Edit111->text());
    s.IsSocksProxy = CheckBox112->isChecked();
    s.ProxySocksAddress = S(Edit113->text());
    s.ProxySocksPort = SpinEdit111->value();
    s.IsProxy = CheckBox114->isChecked();
    s.ProxyAddress = S(Edit120->text());
    s.ServerPort = SpinEdit112->value();
    s.ProxyPort = SpinEdit121->value();
    s.IsAuthentificationSocks = CheckBox113->isChecked();
    s.ProxySocksLogin = S(Edit115->text());
    s.ProxySocksPassword = S(Edit116->text());
    s.LaunchAtStartup = CheckBox1->isChecked();

    TForm1* main = AppForms().Form1;
    if (main) main->SaveIniFile();
    if (s.LaunchAtStartup)
        WriteAutostart(main ? main->ProgramPath : std::string("mvtserver"), platform::SiteBaseUrl());
    else RemoveAutostart();

    if (!main || main->ToolButton6->isEnabled()) return;
    // The account may have changed: check it again.
    lobby::AppCounters().LobbyRequestCounter += 1;
    if (main->LoginChecked && Modified) {
        Modified = false;
        main->Http->ApplyProxy(s.IsProxy, s.ProxyAddress, s.ProxyPort);
        main->Http->Send(0, lobby::LoginCheckRequest(main->WebBaseUrl, s.Surname, s.NetPassword,
                                                     lobby::AppCounters().LobbyRequestCounter));
    }
}

} // namespace server
