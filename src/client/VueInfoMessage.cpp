#include "client/VueInfoMessage.h"

#include <QKeyEvent>

#include "client/BoundedLog.h"
#include "sharedwin/Captions.h"
#include "sharedwin/QtColors.h"
#include "client/Vuesc.h"

namespace client {

TForm12::TForm12(TForm1* mainWindow) : QWidget(mainWindow, Qt::Tool | Qt::WindowStaysOnTopHint), main_(mainWindow) {
    setObjectName("TForm12");
    SetCaption(this, "Chat");
    resize(330, 210);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName("Memo1");
    Memo1->setReadOnly(true);
    // Peers write here: a chat flood keeps only the newest lines.
    BoundLog(*Memo1);
    Memo1->setGeometry(8, 8, 314, 160);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName("Edit1");
    Edit1->setGeometry(8, 176, 230, 25);
    Edit1->installEventFilter(this);
    Button1 = new QPushButton(this);
    Button1->setObjectName("Button1");
    SetCaption(Button1, "Send");
    Button1->setGeometry(244, 176, 78, 25);
    connect(Button1, &QPushButton::clicked, this, &TForm12::Button1Click);
    hide();
}

void TForm12::Button1Click() {
    const std::string text = S(Edit1->text());
    if (text.empty()) {
        Edit1->clear();
        return;
    }
    Jeu* g = main_->CurrentGame.get();
    if (g && g->IsNetworkGame) {
        Memo1->appendPlainText(Q(g->Seats[1].Name + ": " + text));
        main_->SendChat(text);
    }
    hide();
    Edit1->clear();
}

void TForm12::Edit1KeyPress(int key) {
    if (key == 13) Button1Click();
}

void TForm12::FormKeyPress(int key) {
    if (key == 27) hide();
}

void TForm12::AddReceived(const std::string& line) {
    show();
    Memo1->appendPlainText(Q(line));
}

void TForm12::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) FormKeyPress(27);
    else QWidget::keyPressEvent(event);
}

bool TForm12::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Edit1KeyPress(13);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace client
