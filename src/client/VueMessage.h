#pragma once
#include <string>

#include "sharedwin/MessageComposer.h"

namespace client {

class TForm1;

// The client's message composer: sent through the lobby window, which holds the received
// message an answer marks; the main window's input is held meanwhile.
class TForm11 : public MessageComposer {
    Q_OBJECT
public:
    explicit TForm11(TForm1* mainWindow);
    void FormKeyPress(int key);

protected:
    void SetMainInputEnabled(bool enabled) override;
    void MarkAnswered() override;
    void PostComposed(const std::string& stamp, const std::string& text) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TForm1* main_;
};

} // namespace client
