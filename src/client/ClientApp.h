#pragma once
#include <QLockFile>
#include <QWidget>
#include <memory>

namespace client {

// The single-instance guard: a lock file named after the mutex in the temporary folder,
// tried without waiting. Null when another copy holds it.
std::unique_ptr<QLockFile> TakeInstanceLock();

// Creates every window of the client in its fixed order (the main window first) and
// returns the main window. The windows live until the program ends.
QWidget* CreateClientWindows();
void DestroyClientWindows();

} // namespace client
