#pragma once
#include <cstdint>

#include "platform/Bitmap.h"
#include "render3d/Model3D.h"
#include "render3d/Raster.h"

// Everything the renderer draws into and projects with, in one object that the table view
// owns and sizes from its window: the 24-bit render bitmap, the depth buffer beside it, the
// view rectangle with the screen centre derived from it, the light and the focal distance.
namespace render3d {

struct IntRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

struct RenderTarget {
    platform::Bitmap RenderBitmap;
    TDepthBuffer DepthBuffer;  // [row][column], one entry per bitmap pixel

    IntRect ViewRect;
    // Half of ViewRect's right and bottom, written by every T3DModel made for this target.
    std::int32_t ScreenCentreX = 0;
    std::int32_t ScreenCentreY = 0;

    Vec3 LightPoint{0, 0, 1200};
    Vec3 LightDirection;  // written by Render: unit vector from a model's pivot to the light
    std::int32_t FocalDistance = 400;

    // A new black bitmap of this size (sizes below zero count as zero) and a zero-filled
    // depth buffer of the same size.
    void Resize(int width, int height);
    // Zero-fills the depth buffer, sized like the bitmap, before a full redraw.
    void ClearDepth();
};

} // namespace render3d
