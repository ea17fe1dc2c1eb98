#include "render3d/RenderTarget.h"

namespace render3d {

void RenderTarget::Resize(int width, int height) {
    RenderBitmap.SetSize(width, height);
    ClearDepth();
}

void RenderTarget::ClearDepth() { DepthBuffer.Reset(RenderBitmap.Width(), RenderBitmap.Height()); }

} // namespace render3d
