#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <QGuiApplication>

#include "platform/MessageBox.h"
#include "render3d/RenderTarget.h"

// Records every message box (text and caption) while it lives, answering OK.
class MessageLog {
public:
    MessageLog() {
        previous_ = platform::SetMessageHandler([this](const platform::MessageRequest& r) {
            texts.push_back(r.text);
            captions.push_back(r.caption);
            return platform::MsgAnswer::Ok;
        });
    }
    ~MessageLog() { platform::SetMessageHandler(std::move(previous_)); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::vector<std::string> texts;
    std::vector<std::string> captions;

private:
    platform::MessageHandler previous_;
};

// Text drawing needs fonts and so a QGuiApplication; one lives for the whole binary.
inline void EnsureGuiApplication() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "test_render3d";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

// A target of the given size whose screen centre is its middle.
inline void SetUpTarget(render3d::RenderTarget& target, int width, int height) {
    target.Resize(width, height);
    target.ViewRect = {0, 0, width, height};
    render3d::T3DModel marker(target);  // writes the screen centre from ViewRect
    target.FocalDistance = 400;
}

// A vertex at a position, everything else zero.
inline render3d::T3DVertex At(double x, double y, double z) {
    render3d::T3DVertex v;
    v.Position = {x, y, z};
    return v;
}
inline render3d::T3DVertex At(const render3d::Vec3& p) { return At(p.x, p.y, p.z); }

// The colour of pixel (x, y) as 0xBBGGRR read straight from the bytes.
inline int PixelAt(const platform::Bitmap& b, int x, int y) { return b.Pixel(x, y); }
