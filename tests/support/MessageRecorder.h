#pragma once
#include <string>
#include <vector>

#include "platform/MessageBox.h"

// Answers every message box while it lives and records the texts.
class MessageRecorder {
public:
    explicit MessageRecorder(platform::MsgAnswer answer = platform::MsgAnswer::Ok) {
        previous_ = platform::SetMessageHandler([this, answer](const platform::MessageRequest& r) {
            texts.push_back(r.text);
            return r.buttons == platform::MsgButtons::Ok ? platform::MsgAnswer::Ok : answer;
        });
    }
    ~MessageRecorder() { platform::SetMessageHandler(std::move(previous_)); }
    std::vector<std::string> texts;

private:
    platform::MessageHandler previous_;
};
