#include "MessageBox.h"

#include <cstdio>
#include <utility>

namespace platform {

const char* const SiteCaption = "Morvatel Online";

namespace {
MessageHandler& handler() {
    static MessageHandler h;
    return h;
}
} // namespace

MsgAnswer ShowMessage(const std::string& text, const std::string& caption, MsgButtons buttons) {
    MessageRequest request{text, caption, buttons};
    if (handler()) return handler()(request);
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::No;
}

MessageHandler SetMessageHandler(MessageHandler h) {
    MessageHandler previous = std::move(handler());
    handler() = std::move(h);
    return previous;
}

} // namespace platform
