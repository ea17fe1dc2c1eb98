#include "render3d/ModelBuild.h"

#include "render3d/ColorConv.h"
#include "render3d/Failure.h"

namespace render3d {

using detail::Fail;
using detail::Guarded;

void BuildBox(T3DModel& model, std::int32_t width, std::int32_t height, std::int32_t depth,
              std::span<const std::int32_t> colours) {
    Guarded("Exception in BuildBox Method", [&] {
        if (colours.size() < 6) Fail("fewer than six colours");

        model.Vertices.resize(8);
        model.Edges.resize(12);
        model.Faces.resize(6);
        for (T3DFace& face : model.Faces) face.Indices.resize(4);

        // Four columns of two vertices (bottom y = 0, top y = height), going round the box.
        const double h = height;
        double x = 0;
        for (int k = 0; k < 4; ++k) {
            const double z = k < 2 ? 0.0 : static_cast<double>(depth);
            model.Vertices[2 * k].Position = {x, 0, z};
            model.Vertices[2 * k + 1].Position = {x, h, z};
            if (k == 0) x += width;
            if (k == 2) x -= width;
        }
        for (int k = 0; k < 4; ++k) {
            const int next = (k + 1) % 4;
            model.Edges[3 * k] = {2 * k, 2 * k + 1};
            model.Edges[3 * k + 1] = {2 * k, 2 * next};
            model.Edges[3 * k + 2] = {2 * k + 1, 2 * next + 1};
        }
        for (int k = 0; k < 3; ++k) model.Faces[k].Indices = {2 * k, 2 * k + 1, 2 * k + 3, 2 * k + 2};
        model.Faces[3].Indices = {6, 7, 1, 0};
        model.Faces[4].Indices = {0, 2, 4, 6};
        model.Faces[5].Indices = {7, 5, 3, 1};

        for (int f = 0; f < 6; ++f) {
            T3DFace& face = model.Faces[f];
            face.Gouraud = 0;
            face.Normal = FaceNormal(model, f);
            const ByteTriple bytes = SplitColor(colours[f]);
            face.Colour = RGBToHSL(PackColor(bytes[0], bytes[1], bytes[2]));
        }
    });
}

void BuildBox(T3DModel& model, std::int32_t width, std::int32_t height, std::int32_t depth,
              std::initializer_list<std::int32_t> colours) {
    BuildBox(model, width, height, depth, std::span<const std::int32_t>(colours.begin(), colours.size()));
}

} // namespace render3d
