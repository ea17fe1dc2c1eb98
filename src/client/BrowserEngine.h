#pragma once

// The browser engine's part of the client: the banner view and the web browser window.
namespace client {

// Before the QApplication exists: the engine shares OpenGL contexts; `disableGpu` (tests,
// machines without a GPU) keeps it off the GPU.
void PrepareBrowserEngine(bool disableGpu = false);
// As root, where the engine's sandbox cannot run, the engine runs without it (said once on
// the standard error); a sandbox setting of the environment is left as it is.
void RunEngineWithoutSandboxAsRoot();
// Makes the banner and the browser window available to the windows (WebParts.h), before
// the first engine object; the program's module does it after the first paint
// (WebModule.h), a test may do it before the windows exist.
void InstallBrowserEngine();

} // namespace client
