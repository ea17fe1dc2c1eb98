// The options window's network pages (account, role, port, HTTP and SOCKS 5 proxies) and
// its closing.
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <climits>

#include "sharedwin/Captions.h"
#include "sharedwin/Controls.h"
#include "client/Forms.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "client/UiText.h"
#include "client/VueConnexionsc.h"
#include "client/VueOptions.h"
#include "client/Vuesc.h"
#include "client/WebParts.h"
#include "client/WindowHooks.h"
#include "lobby/Counter.h"
#include "lobby/Requests.h"

namespace client {

namespace {
constexpr int NameLimit = 12;     // nickname and password
constexpr int AddressLimit = 15;  // a dotted IPv4 address

QLabel* label(QWidget* parent, const char* name, const char* key, const char* suffix = "") {
    return Captioned<QLabel>(parent, name, key, suffix);
}

QLineEdit* edit(QWidget* parent, const char* name, int limit, bool secret = false) {
    auto* e = Named<QLineEdit>(parent, name);
    e->setMaxLength(limit);
    if (secret) e->setEchoMode(QLineEdit::Password);
    return e;
}

QSpinBox* spin(QWidget* parent, const char* name) {
    auto* s = Named<QSpinBox>(parent, name);
    s->setRange(INT_MIN, INT_MAX);  // stored as typed
    return s;
}

// A titled group of radio buttons, one per key, their ids the item indexes.
QButtonGroup* radioGroup(QGroupBox* box, std::initializer_list<const char*> keys, int columns) {
    auto* group = new QButtonGroup(box);
    auto* grid = new QGridLayout(box);
    int i = 0;
    for (const char* key : keys) {
        auto* r = Captioned<QRadioButton>(box, "", key);
        group->addButton(r, i);
        grid->addWidget(r, i / columns, i % columns);
        ++i;
    }
    return group;
}
} // namespace

void TForm8::buildNetworkPages() {
    // Row 4: the account, covered by the sub-pages.
    NetworkPanel = new QWidget(GroupBox11);
    GroupBox11->layout()->addWidget(NetworkPanel);
    Label7 = label(NetworkPanel, "Label7", "Parameters");
    Label113 = label(NetworkPanel, "Label113", "Nickname");
    Edit114 = edit(NetworkPanel, "Edit114", NameLimit);
    Label114 = label(NetworkPanel, "Label114", "Password");
    Edit111 = edit(NetworkPanel, "Edit111", NameLimit, true);
    ComboBox1 = Named<QComboBox>(NetworkPanel, "ComboBox1");
    ComboBox1->addItem(QString());
    ComboBox1->addItem(QString());
    auto* inscription = label(NetworkPanel, "Label8", "Inscription");
    auto* want = label(NetworkPanel, "Label9", "Want to enter Web MVT Competitions ?");
    want->setWordWrap(true);
    Button112 = Captioned<QPushButton>(NetworkPanel, "Button112", "Submit", "...");
    SetHint(Button112, "To be able to play by Internet", "...");
    auto* account = new QFormLayout;
    account->addRow(Label113, Edit114);
    account->addRow(Label114, Edit111);
    auto* panel = new QVBoxLayout(NetworkPanel);
    panel->addWidget(Label7);
    panel->addLayout(account);
    panel->addWidget(ComboBox1);
    panel->addSpacing(10);
    panel->addWidget(inscription);
    panel->addWidget(want);
    panel->addWidget(Button112, 0, Qt::AlignLeft);
    panel->addStretch();

    // Row 5: the server's opponents (always two human players and the computer).
    RadioKind = Captioned<QGroupBox>(GroupBox1, "RadioKind", "When you are server", "...");
    RadioKindItems = radioGroup(RadioKind, {"Play against 1 Vorek Player and 1 CPU", "Play against 2 Vorek Players"}, 1);
    RadioKind->setEnabled(false);
    auto* server = new QVBoxLayout(GroupBox1);
    server->addWidget(RadioKind);
    server->addStretch();

    // Row 6: role, port and HTTP proxy.
    Label16 = label(GroupBox4, "Label16", "Default paramaters");
    RadioType = Named<QGroupBox>(GroupBox4, "RadioType");
    RadioTypeItems = radioGroup(RadioType, {"Client", "Server"}, 2);
    Label17 = label(GroupBox4, "Label17", "Server configuration");
    Label117 = label(GroupBox4, "Label117", "Server Port", " :");
    SpinEdit112 = spin(GroupBox4, "SpinEdit112");
    CheckBox114 = Captioned<QCheckBox>(GroupBox4, "CheckBox114", "Use a proxy server");
    Label120 = label(GroupBox4, "Label120", "Address", " :");
    Edit120 = edit(GroupBox4, "Edit120", AddressLimit);
    Label121 = label(GroupBox4, "Label121", "Port", " :");
    SpinEdit121 = spin(GroupBox4, "SpinEdit121");
    auto* configuration = new QGridLayout(GroupBox4);
    configuration->addWidget(Label16, 0, 0, 1, 4);
    configuration->addWidget(RadioType, 1, 0, 1, 4);
    configuration->addWidget(Label17, 2, 0, 1, 4);
    configuration->addWidget(Label117, 3, 0);
    configuration->addWidget(SpinEdit112, 3, 1);
    configuration->addWidget(CheckBox114, 4, 0, 1, 4);
    configuration->addWidget(Label120, 5, 0);
    configuration->addWidget(Edit120, 5, 1);
    configuration->addWidget(Label121, 5, 2);
    configuration->addWidget(SpinEdit121, 5, 3);
    configuration->setRowStretch(6, 1);

    // Row 7: SOCKS 5 proxy and its authentication.
    Label18 = label(GroupBox5, "Label18", "Proxy Server SOCKS5");
    CheckBox112 = Captioned<QCheckBox>(GroupBox5, "CheckBox112", "Use a proxy server SOCKS5");
    Label115 = label(GroupBox5, "Label115", "Address", " :");
    Edit113 = edit(GroupBox5, "Edit113", AddressLimit);
    Label116 = label(GroupBox5, "Label116", "Port", " :");
    SpinEdit111 = spin(GroupBox5, "SpinEdit111");
    Label19 = label(GroupBox5, "Label19", "SOCKS5 Authentification");
    CheckBox113 = Captioned<QCheckBox>(GroupBox5, "CheckBox113", "Use SOCKS5 Authentification");
    Label118 = label(GroupBox5, "Label118", "User", " :");
    Edit115 = edit(GroupBox5, "Edit115", AddressLimit);
    Label119 = label(GroupBox5, "Label119", "Password", " :");
    Edit116 = edit(GroupBox5, "Edit116", AddressLimit, true);
    auto* firewall = new QGridLayout(GroupBox5);
    firewall->addWidget(Label18, 0, 0, 1, 4);
    firewall->addWidget(CheckBox112, 1, 0, 1, 4);
    firewall->addWidget(Label115, 2, 0);
    firewall->addWidget(Edit113, 2, 1);
    firewall->addWidget(Label116, 2, 2);
    firewall->addWidget(SpinEdit111, 2, 3);
    firewall->addWidget(Label19, 3, 0, 1, 4);
    firewall->addWidget(CheckBox113, 4, 0, 1, 4);
    firewall->addWidget(Label118, 5, 0);
    firewall->addWidget(Edit115, 5, 1);
    firewall->addWidget(Label119, 6, 0);
    firewall->addWidget(Edit116, 6, 1);
    firewall->setRowStretch(7, 1);

    connect(Edit114, &QLineEdit::textChanged, this, &TForm8::Edit114Change);
    connect(Edit111, &QLineEdit::textChanged, this, &TForm8::Edit111Change);
    for (QLineEdit* e : {Edit120, Edit113, Edit115, Edit116})
        connect(e, &QLineEdit::textChanged, this, &TForm8::ProxyFieldChange);
    for (QSpinBox* s : {SpinEdit112, SpinEdit121, SpinEdit111})
        connect(s, &QSpinBox::valueChanged, this, &TForm8::ProxyFieldChange);
    connect(CheckBox114, &QCheckBox::clicked, this, &TForm8::CheckBox114Click);
    connect(CheckBox112, &QCheckBox::clicked, this, &TForm8::CheckBox112Click);
    connect(CheckBox113, &QCheckBox::clicked, this, &TForm8::CheckBox113Click);
    connect(RadioTypeItems, &QButtonGroup::idClicked, this, &TForm8::RadioTypeClick);
    connect(RadioKindItems, &QButtonGroup::idClicked, this, &TForm8::RadioKindClick);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm8::ComboBox1Change);
    connect(Button112, &QPushButton::clicked, this, &TForm8::Button112Click);
}

namespace {
void enableAll(std::initializer_list<QWidget*> widgets, bool enabled) {
    for (QWidget* w : widgets) w->setEnabled(enabled);
}
} // namespace

void TForm8::updateNetworkPart() {
    Settings& s = AppSettings();
    UpdateSubmitButton();
    CheckBox114->setChecked(s.IsProxy);
    enableAll({Edit120, Label120, Label121, SpinEdit121}, CheckBox114->isEnabled() && CheckBox114->isChecked());
    Edit120->setText(Q(s.ProxyAddress));
    SpinEdit121->setValue(s.ProxyPort);
    CheckBox112->setChecked(s.IsSocksProxy);
    enableAll({Edit113, Label115, Label116, SpinEdit111}, CheckBox112->isEnabled() && CheckBox112->isChecked());
    Edit113->setText(Q(s.ProxySocksAddress));
    SpinEdit111->setValue(s.ProxySocksPort);
    SpinEdit112->setValue(s.ServerPort);
    CheckBox113->setChecked(s.IsAuthentificationSocks);
    enableAll({Edit115, Edit116, Label118, Label119}, CheckBox113->isEnabled() && CheckBox113->isChecked());
    Edit115->setText(Q(s.ProxySocksLogin));
    Edit116->setText(Q(s.ProxySocksPassword));
    Edit114->setText(Q(s.Surname));
    Edit111->setText(Q(s.NetPassword));
    s.PlayWithCpu = 1;
    RadioKindItems->button(0)->setChecked(true);
    if (QAbstractButton* role = RadioTypeItems->button(s.BeServer)) role->setChecked(true);
    ComboBox1->setCurrentIndex(s.DoNotAskParameters == 1 ? 1 : 0);
}

void TForm8::Edit114Change() {
    if (loading_) return;
    AppSettings().Surname = S(Edit114->text());
    AccountEdited = true;
    followAccount();
}

void TForm8::Edit111Change() {
    if (loading_) return;
    AppSettings().NetPassword = S(Edit111->text());
    AccountEdited = true;
    followAccount();
}

void TForm8::ProxyFieldChange() {
    if (loading_) return;
    Settings& s = AppSettings();
    s.ProxyAddress = S(Edit120->text());
    s.ProxySocksAddress = S(Edit113->text());
    s.ProxySocksLogin = S(Edit115->text());
    s.ProxySocksPassword = S(Edit116->text());
    s.ServerPort = SpinEdit112->value();
    s.ProxyPort = SpinEdit121->value();
    s.ProxySocksPort = SpinEdit111->value();
}

void TForm8::CheckBox114Click() {
    AppSettings().IsProxy = CheckBox114->isChecked();
    enableAll({Edit120, Label120, Label121, SpinEdit121}, CheckBox114->isChecked());
}

void TForm8::CheckBox112Click() {
    AppSettings().IsSocksProxy = CheckBox112->isChecked();
    enableAll({Edit113, Label115, Label116, SpinEdit111}, CheckBox112->isChecked());
}

void TForm8::CheckBox113Click() {
    AppSettings().IsAuthentificationSocks = CheckBox113->isChecked();
    enableAll({Edit115, Edit116, Label118, Label119}, CheckBox113->isChecked());
}

void TForm8::RadioTypeClick() {
    const int role = RadioTypeItems->checkedId();
    if (role >= 0) AppSettings().BeServer = role;
}

void TForm8::RadioKindClick() {
    RadioKindItems->button(0)->setChecked(true);
    AppSettings().PlayWithCpu = 1;
}

void TForm8::ComboBox1Change() {
    if (loading_) return;
    const int i = ComboBox1->currentIndex();
    if (i >= 0) AppSettings().DoNotAskParameters = i;
}

void TForm8::Button112Click() { OpenWebPage(9); }

void TForm8::FormClose() {
    TForm1* main = AppForms().Form1;
    const Settings& s = AppSettings();
    // Nobody logged into the lobby (its connect action is offered) and the site answers.
    const bool offline = main && main->Connect1->isEnabled();
    const bool siteUp = main && main->ToolButton2->isEnabled();
    if (offline && AccountEdited && siteUp) {
        // The site's home page for the new account (without the language part).
        if (WebBrowser* browser = AppBrowser())
            browser->Go(main->WebPagesBaseUrl + "?lg=" + s.Surname + "&pw=" + s.NetPassword + "&dwl=1&opt=10");
        if (SendLoginCheck)
            SendLoginCheck(lobby::LoginCheckRequest(main->WebBaseUrl, s.Surname, s.NetPassword,
                                                    lobby::AppCounters().LobbyRequestCounter));
    }
    SaveIniFile();
    if (main) main->Options1->setChecked(false);
}

void TForm8::UpdateSubmitButton() {
    const TForm1* main = AppForms().Form1;
    const auto* lobby = static_cast<const TForm14*>(AppForms().Form14);
    Button112->setEnabled(lobby && !lobby->AccountAccepted && main && main->Web1->isEnabled());
}

void TForm8::followAccount() {
    // The browser's Home follows the account and the language once it has been set.
    TForm1* main = AppForms().Form1;
    if (main && !main->BrowserHomeUrl.empty()) main->BrowserHomeUrl = WebPageUrl(10);
}

void TForm8::UpdateNetOptionsForm(bool enable) {
    enableAll({Label7, Label113, Edit114, Label114, Edit111, Button112}, enable);
    RadioKind->setEnabled(false);
    enableAll({Label16, RadioType, Label17, Label117, SpinEdit112, CheckBox114, Edit120, Label120, Label121,
               SpinEdit121, Label18, CheckBox112, Label115, Edit113, Label116, SpinEdit111, Label19, CheckBox113,
               Label118, Edit115, Label119, Edit116},
              enable);
}

} // namespace client
