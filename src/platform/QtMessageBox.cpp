#include "platform/QtMessageBox.h"

#include "platform/Latin1.h"

#include <QMessageBox>

#include "platform/MessageBox.h"

namespace platform {

void InstallQtMessageBoxes() {
    SetMessageHandler([](const MessageRequest& r) {
        QMessageBox box(QMessageBox::Information, Q(r.caption), Q(r.text));
        if (r.buttons == MsgButtons::YesNo) {
            box.setIcon(QMessageBox::Question);
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            return box.exec() == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
        }
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return MsgAnswer::Ok;
    });
}

} // namespace platform
