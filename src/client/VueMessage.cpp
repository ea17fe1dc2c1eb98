#include "client/VueMessage.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QKeyEvent>

#include "client/Captions.h"
#include "client/Forms.h"
#include "client/QtColors.h"
#include "client/UiText.h"
#include "client/VueConnexionsc.h"
#include "client/Vuesc.h"
#include "lobby/Stamps.h"

namespace client {

TForm11::TForm11(TForm1* mainWindow) : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint), main_(mainWindow) {
    setObjectName("TForm11");
    SetCaption(this, "Message");
    resize(330, 190);
    MemoToBeSent = new QPlainTextEdit(this);
    MemoToBeSent->setObjectName("MemoToBeSent");
    MemoToBeSent->setGeometry(8, 8, 314, 140);
    Button1 = new QPushButton(this);
    Button1->setObjectName("Button1");
    SetCaption(Button1, "Send");
    Button1->setGeometry(244, 156, 78, 25);
    Button1->setEnabled(false);
    connect(MemoToBeSent, &QPlainTextEdit::textChanged, this, &TForm11::MemoToBeSentChange);
    connect(Button1, &QPushButton::clicked, this, &TForm11::Button1Click);
    hide();
}

void TForm11::OpenFor(const std::string& caption, const std::string& ip, int port) {
    SetCaption(this, caption);
    DestinationIP = ip;
    DestinationPort = port;
    MemoToBeSent->clear();
    MemoToBeSentChange();
    main_->SetInputEnabled(false);
    show();
    raise();
}

void TForm11::MemoToBeSentChange() {
    const QString text = MemoToBeSent->toPlainText();
    Button1->setEnabled(!text.section('\n', 0, 0).isEmpty());
}

void TForm11::Button1Click() {
    // A line break cannot travel inside a request address: the lines go joined by a blank.
    std::string text = MemoToBeSent->toPlainText().replace('\n', QLatin1Char(' ')).toLatin1().toStdString();
    if (text.empty()) return;
    const std::string stamp = lobby::ComposerStamp(QDateTime::currentDateTime());
    auto* lobbyWindow = static_cast<TForm14*>(AppForms().Form14);
    if (lobbyWindow) {
        if (windowTitle() == Q(Ui("Answer")) && lobbyWindow->CurrentMessage >= 0 &&
            lobbyWindow->CurrentMessage < int(lobbyWindow->LobbyMessages.size()))
            lobbyWindow->LobbyMessages[lobbyWindow->CurrentMessage].Answered = true;
        lobbyWindow->PostPrivateMessage(DestinationIP, DestinationPort, stamp, text);
    }
    MemoToBeSent->clear();
    FormClose();
}

void TForm11::FormClose() {
    main_->SetInputEnabled(true);
    hide();
}

void TForm11::FormKeyPress(int key) {
    if (key == 27) FormClose();
}

void TForm11::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

void TForm11::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) FormKeyPress(27);
    else QWidget::keyPressEvent(event);
}

} // namespace client
