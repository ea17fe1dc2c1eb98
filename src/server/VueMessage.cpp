// The server's message composer.
#include <QMenuBar>

#include "server/ServerWindows.h"
#include "server/Vuesc.h"

namespace server {

TForm11::TForm11(TForm1* mainWindow) : MessageComposer(mainWindow), main_(mainWindow) {}

void TForm11::SetMainInputEnabled(bool enabled) {
    // The composer is the main window's own child: only the main window's controls are held.
    if (QWidget* pages = main_->centralWidget()) pages->setEnabled(enabled);
    main_->menuBar()->setEnabled(enabled);
}

void TForm11::MarkAnswered() {
    if (main_->CurrentMessage >= 0 && main_->CurrentMessage < int(main_->Messages.size()))
        main_->Messages[main_->CurrentMessage].Answered = true;
}

void TForm11::PostComposed(const std::string& stamp, const std::string& text) {
    main_->PostPrivateMessage(DestinationIP, DestinationPort, stamp, text);
}

} // namespace server
