#pragma once
#include <QString>

// The browser engine lives in a module beside the program (libmorvatel_web.so), so that the
// first window, the single-instance check and local games never wait for the engine's
// libraries. The main window loads it once it has painted; the module installs the web parts
// (WebParts.h). Without it the client plays offline, as when no site answers.
namespace client {

enum class WebModuleState { NotTried, Loaded, Absent, Failed };

// Where the module is; the main block sets it before the windows exist. Empty: no module.
// Setting it again lets the next LoadWebModule try anew.
void SetWebModulePath(const QString& path);
// Loads the module once and lets it install the web parts. True when web parts are installed
// (also when they were installed otherwise, as tests do). A module that is there but cannot
// be loaded is told once on the standard error.
bool LoadWebModule();
WebModuleState WebModuleStatus();

// The module's file name beside the program.
inline constexpr const char* WebModuleFileName = "libmorvatel_web.so";
// The function the module exports: installs the web parts.
inline constexpr const char* WebModuleEntry = "morvatel_install_web_parts";

} // namespace client
