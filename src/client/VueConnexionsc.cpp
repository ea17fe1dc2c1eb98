// The lobby window: its controls, connecting and disconnecting, polling, the user list and
// the received messages. The handshake that turns an invitation into a game is in
// LobbyHandshake.cpp.
#include "client/VueConnexionsc.h"
#include "client/VueOptions.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <utility>

#include "sharedwin/Captions.h"
#include "client/Forms.h"
#include "sharedwin/QtColors.h"
#include "settings/Settings.h"
#include "client/UiText.h"
#include "client/VueInfoJeu.h"
#include "client/VueInfoMessage.h"
#include "client/VueMessage.h"
#include "client/WindowHooks.h"
#include "client/Vuesc.h"
#include "lobby/Counter.h"
#include "platform/HttpComponent.h"
#include "platform/MessageBox.h"

namespace client {

namespace {

template <class W>
W* make(QWidget* parent, const char* name, int x, int y, int w, int h) {
    auto* c = new W(parent);
    c->setObjectName(name);
    c->setGeometry(x, y, w, h);
    return c;
}

QPushButton* button(QWidget* parent, const char* name, const std::string& caption, int x, int y, int w) {
    auto* b = make<QPushButton>(parent, name, x, y, w, 25);
    SetCaption(b, caption);
    return b;
}

bool badNickname(const std::string& name) { return name.find_first_of("*;]&") != std::string::npos; }

} // namespace

TForm14::TForm14(TForm1* mainWindow)
    : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint), main_(mainWindow) {
    setObjectName("TForm14");
    SetCaption(this, "Connection Form");
    resize(620, 430);

    ComboBox1 = make<QComboBox>(this, "ComboBox1", 8, 8, 220, 24);
    radioType = make<QComboBox>(this, "radioType", 236, 8, 100, 24);
    radioType->addItems({"Serveur", "Client"});
    ToolButton5 = make<QToolButton>(this, "ToolButton5", 344, 8, 110, 24);
    SetCaption(ToolButton5, "Connect");
    ToolButton6 = make<QToolButton>(this, "ToolButton6", 460, 8, 130, 24);
    SetCaption(ToolButton6, "Disconnect");

    GridUsers = make<QTableWidget>(this, "GridUsers", 8, 40, 420, 200);
    GridUsers->setColumnCount(6);
    GridUsers->setSelectionBehavior(QAbstractItemView::SelectRows);
    GridUsers->setSelectionMode(QAbstractItemView::SingleSelection);
    GridUsers->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GridUsers->verticalHeader()->hide();
    GridUsers->horizontalHeader()->setStretchLastSection(true);
    const int widths[] = {96, 62, 52, 56, 112, 40};
    for (int c = 0; c < 6; ++c) GridUsers->setColumnWidth(c, widths[c]);
    setHeaders();

    EditSearch = make<QLineEdit>(this, "EditSearch", 8, 248, 140, 24);
    BitBtn4 = button(this, "BitBtn4", "Search", 152, 248, 84);
    ButtonInvite = button(this, "ButtonInvite", "Invite", 240, 248, 90);
    ButtonSend = button(this, "ButtonSend", "Send", 336, 248, 90);

    GroupBox2 = make<QGroupBox>(this, "GroupBox2", 436, 40, 176, 208);
    SetCaption(GroupBox2, "Opponents");
    ListBox2 = make<QListWidget>(GroupBox2, "ListBox2", 8, 22, 160, 178);

    GroupBox1 = make<QGroupBox>(this, "GroupBox1", 8, 280, 604, 142);
    SetCaption(GroupBox1, "Received messages");
    MemoReceived = make<QPlainTextEdit>(GroupBox1, "MemoReceived", 8, 22, 420, 80);
    MemoReceived->setReadOnly(true);
    BitBtn6 = button(GroupBox1, "BitBtn6", "Previous", 8, 108, 80);
    BitBtn5 = button(GroupBox1, "BitBtn5", "Next", 94, 108, 80);
    Label7 = make<QLabel>(GroupBox1, "Label7", 184, 108, 240, 25);
    ButtonAnswer = button(GroupBox1, "ButtonAnswer", "Answer", 436, 22, 160);
    Button3 = button(GroupBox1, "Button3", "Accept", 436, 52, 160);
    Button4 = button(GroupBox1, "Button4", "Refuse", 436, 82, 160);

    Timer4 = new QTimer(this);
    Timer4->setObjectName("Timer4");
    Timer4->setInterval(1000);

    // The process's one set of lobby senders; this window reads their replies.
    Http = &lobby::AppSenders();

    connect(radioType, &QComboBox::currentIndexChanged, this, &TForm14::radioTypeChange);
    connect(ToolButton5, &QToolButton::clicked, this, &TForm14::ToolButton5Click);
    connect(ToolButton6, &QToolButton::clicked, this, &TForm14::ToolButton6Click);
    connect(Timer4, &QTimer::timeout, this, &TForm14::Timer4Timer);
    connect(BitBtn4, &QPushButton::clicked, this, &TForm14::BitBtn4Click);
    connect(BitBtn5, &QPushButton::clicked, this, &TForm14::BitBtn5Click);
    connect(BitBtn6, &QPushButton::clicked, this, &TForm14::BitBtn6Click);
    connect(ButtonSend, &QPushButton::clicked, this, &TForm14::ButtonSendClick);
    connect(ButtonAnswer, &QPushButton::clicked, this, &TForm14::ButtonAnswerClick);
    connect(ButtonInvite, &QPushButton::clicked, this, &TForm14::ButtonInviteClick);
    connect(Button3, &QPushButton::clicked, this, &TForm14::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm14::Button4Click);
    connect(Http, &lobby::Senders::Replied, this, &TForm14::replied);
    connect(Http, &lobby::Senders::Failed, this, [this](int code, const QString&) {
        if (quiet_.erase(code)) return;
        // The account checks of the banner, a page and the options window (00) fail
        // silently; only the check that a Connect waits for tells the user.
        if (code == 0 && !connectAfterCheck_) return;
        NMHTTP1Failure(code);
    });
    // A page's "Logging " title logs in only while Connect can be pressed (not logged in).
    SetLobbyLoggedInQuery([this] { return !ToolButton5->isEnabled(); });
    FormCreate();
}

TForm14::~TForm14() {
    SetLobbyLoggedInQuery({});
    // Nothing a request of this window started reaches a later window.
    for (int code : lobby::Senders::Codes) Http->Component(code).Abort();
}

TForm1& TForm14::main() { return *main_; }

std::string TForm14::webBase() const { return main_->WebBaseUrl; }

bool TForm14::send(int code, const std::string& url, bool quiet) {
    if (quiet) quiet_.insert(code);
    else quiet_.erase(code);
    return Http->Send(code, url);
}

void TForm14::replied(int code, const QByteArray& body) {
    quiet_.erase(code);
    const std::string text(body.constData(), static_cast<std::size_t>(body.size()));
    switch (code) {
    case 0: NMHTTP0Success(text); break;
    case 1: NMHTTP1Success(text); break;
    case 2: NMHTTP2Success(text); break;
    case 3: NMHTTP3Success(text); break;
    case 4: NMHTTP4Success(text); break;
    case 5: NMHTTP5Success(text); break;
    case 7: NMHTTP7Success(text); break;
    default: break;
    }
}

lobby::LobbyIdentity TForm14::CurrentIdentity() const {
    const Settings& s = AppSettings();
    return {webBase(), s.Surname, s.NetPassword, CompetitionName, LocalIPAddress, s.ServerPort};
}

lobby::RequestMaker TForm14::Requests() {
    identity_ = CurrentIdentity();
    return lobby::RequestMaker(identity_, lobby::AppCounters());
}

std::string TForm14::CompetitionSuffix() const {
    const std::string text = S(ComboBox1->currentText());
    return text.size() >= 4 ? text.substr(text.size() - 4) : text;
}

int TForm14::ReturnIndexIP(const std::string& ip, int port) const {
    return lobby::ReturnIndexIP(LobbyUsers, ip, port);
}

std::string TForm14::Cell(int row, int col) const {
    if (row < 1) {
        const QTableWidgetItem* h = GridUsers->horizontalHeaderItem(col);
        return h ? S(h->text()) : std::string();
    }
    const QTableWidgetItem* item = GridUsers->item(row - 1, col);
    return item ? S(item->text()) : std::string();
}

void TForm14::setCell(int row, int col, const std::string& text) {
    if (row < 1) return;
    GridUsers->setItem(row - 1, col, new QTableWidgetItem(Q(text)));
}

void TForm14::selectRow(int row) {
    if (row >= 1 && row - 1 < GridUsers->rowCount()) GridUsers->selectRow(row - 1);
}

int TForm14::selectedRow() const {
    const int r = GridUsers->currentRow();
    return r < 0 ? 1 : r + 1;
}

void TForm14::FormCreate() {
    ComboBox1->clear();
    ComboBox1->addItem(Q("(" + Ui("None competition") + ")"));
    ComboBox1->setCurrentIndex(0);
    ToolButton5->setEnabled(true);
    ToolButton6->setEnabled(false);
    Timer4->stop();
    disconnectedLook();
    radioType->setCurrentIndex(AppSettings().BeServer == 1 ? 0 : 1);
    IsHost = radioType->currentIndex() == 0;
    hide();
}

void TForm14::radioTypeChange() { IsHost = radioType->currentIndex() == 0; }

void TForm14::setHeaders() {
    GridUsers->setHorizontalHeaderLabels({Q(Ui("Nickname")), "Country", Q(Ui("Kind")), Q(Ui("State")),
                                          Q(Ui("Connected since")), Q(Ui("Port"))});
}

void TForm14::disconnectedLook() {
    setHeaders();
    radioType->setEnabled(true);
    ComboBox1->setEnabled(true);
    GridUsers->setEnabled(false);
    GridUsers->clearContents();
    GridUsers->setRowCount(1);
    setCell(1, 0, Ui("Not connected"));
    for (QWidget* c : std::initializer_list<QWidget*>{EditSearch, BitBtn4, ButtonInvite, ButtonSend, GroupBox2,
                                                      ListBox2, GroupBox1, MemoReceived, Label7, BitBtn6,
                                                      BitBtn5, Button3, Button4, ButtonAnswer})
        c->setEnabled(false);
    MemoReceived->clear();
    OpponentCount = 0;
    ListBox2->clear();
    startAcknowledged_ = false;
}

void TForm14::loggedInLook() {
    setHeaders();
    ToolButton5->setEnabled(false);
    main().Connect1->setEnabled(false);
    main().UpdateNetOptionsForm(false);
    ToolButton6->setEnabled(true);
    main().Disconnect1->setEnabled(true);
    radioType->setEnabled(false);
    ComboBox1->setEnabled(false);
    for (QWidget* c : std::initializer_list<QWidget*>{GridUsers, EditSearch, BitBtn4, GroupBox2, ListBox2, MemoReceived})
        c->setEnabled(true);
    for (QWidget* c : std::initializer_list<QWidget*>{ButtonInvite, GroupBox1, Label7, BitBtn6, BitBtn5, Button3,
                                                      Button4, ButtonAnswer, ButtonSend})
        c->setEnabled(false);
}

void TForm14::enableConnect(bool connectEnabled) {
    ToolButton5->setEnabled(connectEnabled);
    main().Connect1->setEnabled(connectEnabled);
}

bool TForm14::stopOnGameRunning() {
    TForm1& w = main();
    if (!w.CurrentGame || w.CurrentGame->GameOver) return true;
    if (platform::ShowMessage(Ui("Do you really want to stop the game ?"), platform::SiteCaption,
                              platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes)
        return false;
    if (w.CurrentGame->IsNetworkGame) {
        PostAbandon();
        w.LocalAbandon = true;
    }
    w.CurrentGame->GameOver = true;
    w.GameAborted = true;
    w.FillTable();
    return true;
}

void TForm14::ToolButton5Click() {
    TForm1& w = main();
    Settings& s = AppSettings();
    // 1. A running game is stopped only on the user's Yes.
    if (!stopOnGameRunning()) return;

    // 2. Back to a clean, disconnected state.
    w.CloseGameSockets();
    w.TimeUp->stop();
    w.UpdateNetOptionsForm(true);
    enableConnect(true);
    w.TimerError->stop();
    ToolButton6->setEnabled(false);
    w.Disconnect1->setEnabled(false);
    w.NewGame1->setEnabled(false);
    w.Button1->hide();
    w.BitBtn1->hide();
    Timer4->stop();
    disconnectedLook();
    if (AppForms().Form4) AppForms().Form4->Clear();
    if (auto* chat = static_cast<TForm12*>(AppForms().Form12)) chat->Memo1->clear();
    if (AppForms().Form2) AppForms().Form2->hide();
    w.HideCompetitionPictures();

    // 3. A nickname that would break the requests is refused before any is sent; the menu's
    // New Game comes back, as nothing else will enable it.
    if (badNickname(s.Surname)) {
        platform::ShowMessage(Ui("Invalid nickname. No * & ; ] please."), platform::SiteCaption);
        w.NewGame1->setEnabled(true);
        return;
    }
    // The competitions come with the account check: without them the log in could only be
    // refused, so the check goes first and its reply connects.
    if (!competitionsRead_) {
        connectAfterCheck_ = true;
        w.NewGame1->setEnabled(true);
        const Settings& s = AppSettings();
        Http->ApplyProxy(0, s.IsProxy, s.ProxyAddress, s.ProxyPort);
        if (!send(0, Requests().LoginCheck())) NMHTTP1Failure(0);
        return;
    }

    // 4-8.
    enableConnect(false);
    w.setStatus("");
    w.UpdateNetOptionsForm(false);
    StopPolling = false;
    lobby::Counters& n = lobby::AppCounters();
    LocalIPAddress = Http->LocalIPAddress(webBase());
    CurrentMessage = 0;
    OpponentCount = 0;
    PollPhase = 0;
    n.Connecting();
    s.CpuDelayTicks = 18;
    Http->ApplyProxy(s.IsProxy, s.ProxyAddress, s.ProxyPort);
    w.ApplyPictureProxy();
    const std::string shown = S(ComboBox1->currentText());
    CompetitionName = shown.size() >= 4 ? shown.substr(0, shown.size() - 4) : std::string();

    // 9. The log in.
    if (!send(1, Requests().Login(IsHost, QDateTime::currentDateTime()))) {
        platform::ShowMessage(Ui("Impossible to connect the server"), platform::SiteCaption);
        disconnectedLook();
        enableConnect(true);
        w.NewGame1->setEnabled(true);
        w.UpdateNetOptionsForm(true);
        Timer4->stop();
    }
}

void TForm14::ToolButton6Click() {
    TForm1& w = main();
    Timer4->stop();
    w.NewGame1->setEnabled(false);
    w.NewGame1->setEnabled(true);
    ToolButton6->setEnabled(false);
    w.Disconnect1->setEnabled(false);
    w.TimerError->stop();
    send(2, Requests().Leave());
    lobby::AppCounters().Disconnected();
    disconnectedLook();
}

void TForm14::NMHTTP2Success(const std::string& body) {
    LobbyReply = body;
    StopPolling = true;
    disconnectedLook();
    enableConnect(true);
    main().NewGame1->setEnabled(true);
    main().UpdateNetOptionsForm(true);
    ToolButton6->setEnabled(false);
    main().Disconnect1->setEnabled(false);
}

void TForm14::NMHTTP0Success(const std::string& body) {
    LobbyReply = body;
    StopPolling = true;
    Timer4->stop();
    ComboBox1->clear();
    AccountAccepted = !lobby::AccountRefused(LobbyReply);
    for (const std::string& name : lobby::CompetitionsOfKind(lobby::ReadCompetitions(LobbyReply), 0))
        ComboBox1->addItem(Q(name + " (C)"));
    if (ComboBox1->count() == 0) ComboBox1->addItem(Q("(" + Ui("None competition") + ")"));
    ComboBox1->setCurrentIndex(0);
    competitionsRead_ = lobby::KindOf(LobbyReply) == lobby::ReplyKind::Competitions;
    if (TForm8* options = AppForms().Form8) options->UpdateSubmitButton();
    if (!AccountAccepted && AppSettings().DoNotAskParameters == 0) main().OpenNetworkOptions();
    if (!std::exchange(connectAfterCheck_, false)) return;
    // The check a Connect waits for: a refusal tells its reason as a refused log in does,
    // a reply without competitions is a failed connection.
    if (lobby::IsRefusal(LobbyReply)) refused(lobby::RefusalReason(LobbyReply));
    else if (!competitionsRead_) NMHTTP1Failure(0);
    else ToolButton5Click();
}

void TForm14::refused(const std::string& reason) {
    TForm1& w = main();
    enableConnect(true);
    w.NewGame1->setEnabled(true);
    w.UpdateNetOptionsForm(true);
    if (reason == "tm") {
        platform::ShowMessage(Ui("This competition is not opened now."), platform::SiteCaption);
    } else if (reason == "ar") {
        platform::ShowMessage(Ui("Wait one minute before reconnecting."), platform::SiteCaption);
    } else if (reason == "id") {
        if (platform::ShowMessage(Ui("Please enter your Morvatel nickname and password or if you don't get "
                                     "ones, join Morvatel Community."),
                                  platform::SiteCaption) == platform::MsgAnswer::Ok)
            w.OpenNetworkOptions();
    }
    lobby::AppCounters().Refused();
    StopPolling = false;
    Timer4->stop();
}

void TForm14::NMHTTP1Success(const std::string& body) {
    LobbyReply = body;
    if (lobby::IsRefusal(LobbyReply)) {
        refused(lobby::RefusalReason(LobbyReply));
        return;
    }
    if (lobby::KindOf(LobbyReply) != lobby::ReplyKind::Login) return;
    OpponentCount = 0;
    ListBox2->clear();
    if (IsHost && AppSettings().PlayWithCpu == 1) addComputerSeat();
    loggedInLook();
    UnreadCount = 0;
    rebuildUserList(LobbyReply);
    if (Cell(1, 0).empty()) {
        setCell(1, 0, Ui("None connected player"));
        ButtonSend->setEnabled(false);
    } else {
        selectRow(1);
    }
    LobbyMessages.clear();
    invitedHosts_.clear();
    Timer4->start();
}

void TForm14::rebuildUserList(const std::string& reply) {
    GridUsers->clearContents();
    GridUsers->setRowCount(1);
    LobbyUsers.clear();
    const bool c = CompetitionSuffix() == " (C)";
    int row = 1;
    for (const lobby::cJoueur& u : lobby::ReadUserList(reply).Records) {
        LobbyUsers.push_back(u);
        const bool server = u.IsHost();
        std::string state;
        if (u.State == "fr") state = Ui("Free");
        else if (u.State == "lk") state = server ? Ui("Free") : Ui("Linked");
        else if (u.State == "bs") state = Ui("Playing");
        GridUsers->setRowCount(row);
        setCell(row, 0, c ? u.NameC : u.NameOther);
        setCell(row, 1, u.Country);
        setCell(row, 2, server ? "Server" : "Client");
        setCell(row, 3, state);
        setCell(row, 4, u.ConnectedSince);
        setCell(row, 5, server ? std::to_string(u.Port) : std::string());
        ++row;
    }
}

void TForm14::Timer4Timer() {
    Timer4->stop();
    if (PollPhase == 0) {
        PollPhase = 1;
        send(5, Requests().PollMessages());
    } else {
        PollPhase = 0;
        send(7, Requests().Presence());
        send(3, Requests().UserList());
    }
}

void TForm14::NMHTTP3Success(const std::string& body) {
    LobbyReply = body;
    if (lobby::IsRefusal(LobbyReply)) {
        refused(lobby::RefusalReason(LobbyReply));
        return;
    }
    if (lobby::KindOf(LobbyReply) == lobby::ReplyKind::UserList) {
        const std::string remembered = GridUsers->currentRow() >= 0 ? Cell(selectedRow(), 0) : std::string();
        rebuildUserList(LobbyReply);
        ButtonSend->setEnabled(true);
        if (!LobbyUsers.empty()) {
            ButtonInvite->setEnabled(true);
        } else {
            setCell(1, 0, Ui("None connected player"));
            ButtonSend->setEnabled(false);
            ButtonInvite->setEnabled(false);
        }
        int again = 1;
        for (int r = 1; r < RowCount(); ++r)
            if (!remembered.empty() && Cell(r, 0) == remembered) again = r;
        selectRow(again);
    }
    const bool c = CompetitionSuffix() == " (C)";
    ButtonAnswer->setVisible(c);
    ButtonSend->setVisible(c);
    if (!StopPolling) Timer4->start();
}

void TForm14::NMHTTP4Success(const std::string& body) {
    LobbyReply = body;
    ButtonInvite->setEnabled(false);
    ButtonSend->setEnabled(false);
    const bool open = ShownInvitation() && !LobbyMessages[CurrentMessage].Answered;
    Button3->setEnabled(open);
    Button4->setEnabled(open);
    ButtonAnswer->setEnabled(false);
}

void TForm14::NMHTTP5Success(const std::string& body) {
    LobbyReply = body;
    if (lobby::IsRefusal(LobbyReply)) {
        refused(lobby::RefusalReason(LobbyReply));
        return;
    }
    if (lobby::KindOf(LobbyReply) == lobby::ReplyKind::Messages) {
        int j = 0;
        dispatchMessages(lobby::ReadMessages(LobbyReply).Records, j);
        UnreadCount = std::min(UnreadCount + j, int(LobbyMessages.size()));
        if (j > 0) {
            GroupBox1->setEnabled(true);
            const int count = int(LobbyMessages.size());
            if (CurrentMessage < count - 1 && count >= 2) unreadLabel(j);
            Label7->setEnabled(true);
            if (count == 1) {
                CurrentMessage = 0;
                --UnreadCount;
            }
            showMessage();
        }
    }
    if (!StopPolling) Timer4->start();
}

bool TForm14::ShownInvitation() const {
    return CurrentMessage >= 0 && CurrentMessage < int(LobbyMessages.size()) &&
           LobbyMessages[CurrentMessage].Kind == int(lobby::MessageKind::Invitation);
}

void TForm14::unreadLabel(int count) {
    if (count <= 0) Label7->clear();
    else
        Label7->setText(Q(std::to_string(count) + " " +
                          (count == 1 ? Ui("Received message") : Ui("Received messages"))));
}

void TForm14::showMessage() {
    MemoReceived->clear();
    const int count = int(LobbyMessages.size());
    if (CurrentMessage < 0 || CurrentMessage >= count) return;
    const lobby::aMessage& m = LobbyMessages[CurrentMessage];
    const int who = ReturnIndexIP(m.SenderIP, m.SenderPort);
    std::string words;
    switch (m.Kind) {
    case 1: words = Ui("from"); break;
    case 2: words = Ui("Invitation from"); break;
    case 3: words = Ui("Refusal of"); break;
    case 4: words = Ui("Acceptance of"); break;
    default: break;
    }
    std::string line = words + " ";
    if (who >= 0) line += Cell(who + 1, 0) + " (" + Cell(who + 1, 2) + ") " + m.DateTime;
    else line = words + " (" + Ui("Not connected") + ") " + m.DateTime;
    if (m.Kind == 3 || m.Kind == 4) line += " " + Ui("to play with you") + ".";
    MemoReceived->appendPlainText(Q(line));
    // Accept and Refuse answer an invitation only; the message shown before may have been one.
    Button3->setEnabled(false);
    Button4->setEnabled(false);
    switch (m.Kind) {
    case 1:
        MemoReceived->appendPlainText(Q(m.Data));
        ButtonAnswer->setEnabled(who >= 0);
        break;
    case 2:
        Button3->setEnabled(!m.Answered && who >= 0 && !(!IsHost && OpponentCount > 0));
        Button4->setEnabled(!m.Answered && who >= 0);
        break;
    case 3:
        Button3->setEnabled(false);
        Button4->setEnabled(false);
        ButtonAnswer->setEnabled(false);
        break;
    case 4:
        ButtonAnswer->setEnabled(false);
        if (!IsHost) ButtonInvite->setEnabled(false);
        break;
    default: break;
    }
    BitBtn6->setEnabled(CurrentMessage > 0);
    BitBtn5->setEnabled(CurrentMessage < count - 1);
}

void TForm14::BitBtn6Click() {
    if (CurrentMessage <= 0) return;
    --CurrentMessage;
    unreadLabel(UnreadCount);
    showMessage();
}

void TForm14::BitBtn5Click() {
    if (CurrentMessage >= int(LobbyMessages.size()) - 1) return;
    ++CurrentMessage;
    lobby::aMessage& m = LobbyMessages[CurrentMessage];
    if (!m.Seen) {
        m.Seen = true;
        UnreadCount = std::max(0, UnreadCount - 1);
    }
    unreadLabel(UnreadCount);
    showMessage();
}

void TForm14::BitBtn4Click() {
    const std::string wanted = S(EditSearch->text());
    for (int r = 1; r < RowCount(); ++r) {
        if (Cell(r, 0) == wanted) {
            selectRow(r);
            return;
        }
    }
    platform::ShowMessage(Ui("Nickname not found"), platform::SiteCaption);
    EditSearch->clear();
}

void TForm14::ButtonSendClick() {
    const int r = selectedRow();
    if (r - 1 >= int(LobbyUsers.size())) return;
    if (auto* composer = static_cast<TForm11*>(AppForms().Form11))
        composer->OpenFor("Send", LobbyUsers[r - 1].IP, LobbyUsers[r - 1].Port);
}

void TForm14::ButtonAnswerClick() {
    if (CurrentMessage < 0 || CurrentMessage >= int(LobbyMessages.size())) return;
    const lobby::aMessage& m = LobbyMessages[CurrentMessage];
    if (ReturnIndexIP(m.SenderIP, m.SenderPort) < 0) {
        platform::ShowMessage(Ui("This player is not connected any more"), "MORVATEL");
        return;
    }
    ButtonAnswer->setEnabled(false);
    if (auto* composer = static_cast<TForm11*>(AppForms().Form11))
        composer->OpenFor("Answer", m.SenderIP, m.SenderPort);
}

void TForm14::NMHTTP1Failure(int) {
    TForm1& w = main();
    connectAfterCheck_ = false;
    platform::ShowMessage(Ui("Impossible to connect the server"), platform::SiteCaption);
    enableConnect(true);
    // The session is over: Disconnect has nothing left to end.
    ToolButton6->setEnabled(false);
    w.Disconnect1->setEnabled(false);
    w.NewGame1->setEnabled(true);
    w.UpdateNetOptionsForm(true);
    StopPolling = true;
    Timer4->stop();
    disconnectedLook();
}

void TForm14::FormCloseQuery() {
    // Closing the window leaves the lobby; nothing is sent when not logged in.
    if (LoggedIn()) ToolButton6Click();
    main().Seconnecter1->setChecked(false);
}

void TForm14::closeEvent(QCloseEvent* event) {
    FormCloseQuery();
    QWidget::closeEvent(event);
}

} // namespace client
