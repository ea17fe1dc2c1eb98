#pragma once

// The windowed programs' message boxes: installs a handler of ShowMessage over QMessageBox
// (an information box with OK, or a question with Yes and No).
namespace platform {

void InstallQtMessageBoxes();

} // namespace platform
