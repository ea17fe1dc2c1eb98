#include "client/VueMessage.h"

#include <QKeyEvent>

#include "client/Forms.h"
#include "client/VueConnexionsc.h"
#include "client/Vuesc.h"

namespace client {

TForm11::TForm11(TForm1* mainWindow) : MessageComposer(mainWindow), main_(mainWindow) {}

void TForm11::SetMainInputEnabled(bool enabled) { main_->SetInputEnabled(enabled); }

void TForm11::MarkAnswered() {
    auto* lobbyWindow = static_cast<TForm14*>(AppForms().Form14);
    if (lobbyWindow && lobbyWindow->CurrentMessage >= 0 &&
        lobbyWindow->CurrentMessage < int(lobbyWindow->LobbyMessages.size()))
        lobbyWindow->LobbyMessages[lobbyWindow->CurrentMessage].Answered = true;
}

void TForm11::PostComposed(const std::string& stamp, const std::string& text) {
    if (auto* lobbyWindow = static_cast<TForm14*>(AppForms().Form14))
        lobbyWindow->PostPrivateMessage(DestinationIP, DestinationPort, stamp, text);
}

void TForm11::FormKeyPress(int key) {
    if (key == 27) FormClose();
}

void TForm11::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) FormKeyPress(27);
    else QWidget::keyPressEvent(event);
}

} // namespace client
