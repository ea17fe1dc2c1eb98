#include "sharedwin/MessageComposer.h"

#include <QCloseEvent>
#include <QDateTime>

#include "lobby/Stamps.h"
#include "sharedwin/Captions.h"
#include "sharedwin/QtColors.h"

namespace client {

MessageComposer::MessageComposer(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint) {
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
    connect(MemoToBeSent, &QPlainTextEdit::textChanged, this, &MessageComposer::MemoToBeSentChange);
    connect(Button1, &QPushButton::clicked, this, &MessageComposer::Button1Click);
    hide();
}

void MessageComposer::OpenFor(const std::string& caption, const std::string& ip, int port) {
    SetCaption(this, caption);
    DestinationIP = ip;
    DestinationPort = port;
    MemoToBeSent->clear();
    MemoToBeSentChange();
    SetMainInputEnabled(false);
    show();
    raise();
}

void MessageComposer::MemoToBeSentChange() {
    const QString text = MemoToBeSent->toPlainText();
    Button1->setEnabled(!text.section('\n', 0, 0).isEmpty());
}

void MessageComposer::Button1Click() {
    // A line break cannot travel inside a request address: the lines go joined by a blank.
    std::string text = S(MemoToBeSent->toPlainText().replace('\n', QLatin1Char(' ')));
    if (text.empty()) return;
    const std::string stamp = lobby::ComposerStamp(QDateTime::currentDateTime());
    if (windowTitle() == Q(WindowText("Answer"))) MarkAnswered();
    PostComposed(stamp, text);
    MemoToBeSent->clear();
    FormClose();
}

void MessageComposer::FormClose() {
    SetMainInputEnabled(true);
    hide();
}

void MessageComposer::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

} // namespace client
