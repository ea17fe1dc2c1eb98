#pragma once
#include <functional>
#include <string>

// The one message-box function of both programs. A windowed program installs a handler
// over QMessageBox; tests install a responder that answers and records the text, so no
// modal box ever blocks a test. With no handler the text goes to standard error.
namespace platform {

enum class MsgButtons { Ok, YesNo };
enum class MsgAnswer { Ok, Yes, No };

struct MessageRequest {
    std::string text;
    std::string caption;
    MsgButtons buttons = MsgButtons::Ok;
};

using MessageHandler = std::function<MsgAnswer(const MessageRequest&)>;

MsgAnswer ShowMessage(const std::string& text, const std::string& caption,
                      MsgButtons buttons = MsgButtons::Ok);
// Installs a handler and returns the previous one.
MessageHandler SetMessageHandler(MessageHandler handler);

// The caption of every message box (the web site's name).
extern const char* const SiteCaption;

} // namespace platform
