#pragma once

// The browser engine's part of the client: the banner view and the web browser window.
namespace client {

// Before the QApplication exists: the engine shares OpenGL contexts; `disableGpu` (tests,
// machines without a GPU) keeps it off the GPU.
void PrepareBrowserEngine(bool disableGpu = false);
// Makes the banner and the browser window available to the windows (WebParts.h); call
// before the windows are created.
void InstallBrowserEngine();

} // namespace client
