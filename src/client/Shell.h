#pragma once
#include <functional>
#include <string>

// What the client asks of the desktop: handing a file to its default application, and
// ending the client at once (after the installer has been handed over).
namespace client {

bool OpenWithDesktop(const std::string& path);
// Hands a file to the desktop's opener (xdg-open) and calls `failed` with what went wrong
// when there is none or it gives up (no application for the file's kind, say); nothing
// waits for the opener meanwhile.
void OpenWithDesktopOrTell(const std::string& path, std::function<void(const std::string& why)> failed);
void EndClientNow();

struct ShellHooks {
    std::function<bool(const std::string& path)> Open;
    std::function<void()> End;
};
// Tests replace both; an empty hook puts the desktop's own back. Returns the previous ones.
ShellHooks SetShellHooks(ShellHooks hooks);

} // namespace client
