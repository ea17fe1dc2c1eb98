#pragma once
#include <functional>
#include <string>

// What the client asks of the desktop: handing a file to its default application, and
// ending the client at once (after the installer has been handed over).
namespace client {

bool OpenWithDesktop(const std::string& path);
void EndClientNow();

struct ShellHooks {
    std::function<bool(const std::string& path)> Open;
    std::function<void()> End;
};
// Tests replace both; an empty hook puts the desktop's own back. Returns the previous ones.
ShellHooks SetShellHooks(ShellHooks hooks);

} // namespace client
