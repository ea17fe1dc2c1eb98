#include "platform/QtMessageBox.h"

#include <QMessageBox>

#include "platform/MessageBox.h"

namespace platform {

void InstallQtMessageBoxes() {
    SetMessageHandler([](const MessageRequest& r) {
        const auto q = [](const std::string& s) {
            return QString::fromLatin1(s.data(), static_cast<int>(s.size()));
        };
        QMessageBox box(QMessageBox::Information, q(r.caption), q(r.text));
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
