#pragma once
#include <QLockFile>
#include <QWidget>
#include <memory>

namespace client {

// The single-instance guard, one per user session: a lock file named after the mutex in the
// user's runtime folder (or, without one, in the temporary folder under a name holding the
// user's id), tried without waiting. Null when another running copy holds it; a lock left
// by a copy that has died never blocks.
QString InstanceLockPath();
std::unique_ptr<QLockFile> TakeInstanceLock(const QString& path);
std::unique_ptr<QLockFile> TakeInstanceLock();

// Creates every window of the client in its fixed order (the main window first) and
// returns the main window. The windows live until the program ends.
QWidget* CreateClientWindows();
void DestroyClientWindows();
// Puts the web browser window of the installed web parts in the place of the one made
// without them (the browser engine's module arrives after the windows); nothing when the
// browser is there already or no web parts are installed.
void AttachWebBrowser();

} // namespace client
