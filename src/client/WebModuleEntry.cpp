// The entry of the browser engine's module (WebModule.h): the program calls it once, after
// its main window has painted.
#include "client/BrowserEngine.h"

extern "C" __attribute__((visibility("default"))) void morvatel_install_web_parts() {
    client::InstallBrowserEngine();
}
