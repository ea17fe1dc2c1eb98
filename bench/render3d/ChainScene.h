#pragma once
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "render3d/ModelBuild.h"
#include "render3d/RenderTarget.h"

// A chain of 21 tiles laid out like a game's table: each tile a body, a middle bar and its
// pips, built and placed the way the table view builds its models, with the default camera.
namespace chainscene {

using namespace render3d;

constexpr double S = 500;  // tile length in model units
constexpr double kOriginX = -500, kOriginY = 0, kOriginZ = 0;
constexpr double kCamX = 0, kCamY = -800, kCamZ = -2200;
constexpr double kAngleX = -std::numbers::pi / 6, kAngleY = -std::numbers::pi;

struct Scene {
    int windowWidth;
    int windowHeight;
    std::vector<T3DModel> models;
};

inline void SetUpView(RenderTarget& target, int windowWidth, int windowHeight) {
    target.Resize(windowWidth - 280, windowHeight - 320);
    target.ViewRect = {140, 110, windowWidth - 140, windowHeight - 220};
    target.LightPoint = {0, 0, 1200};
    target.FocalDistance = 400;
}

inline void Place(T3DModel& m, double px, double py, double zTarget, double sx, double sy) {
    m.Pivot = {kOriginX, kOriginY, kOriginZ};
    m.CullBackFaces = 1;
    m.Translate({kOriginX - px - sx / 2 + kCamX, kOriginY - py - sy / 2 + kCamY, zTarget + kCamZ});
    m.Rotate(1, kAngleY);
    m.Rotate(0, kAngleX);
}

inline void Block(RenderTarget& t, std::vector<T3DModel>& out, int colour, double px, double py, double pz,
                  double sx, double sy, double sz) {
    T3DModel m(t);
    BuildBox(m, static_cast<int>(sx), static_cast<int>(sy), static_cast<int>(sz),
             {colour, colour, colour, colour, colour, colour});
    Place(m, px, py, kOriginZ - pz - 5 * sz / 2, sx, sy);
    out.push_back(std::move(m));
}

inline void Flat(RenderTarget& t, std::vector<T3DModel>& out, int colour, double px, double py, double pz,
                 double sx, double sy) {
    T3DModel m(t);
    BuildBox(m, static_cast<int>(sx), static_cast<int>(sy), 1, {colour, colour, colour, colour, colour, colour});
    Place(m, px, py, kOriginZ - pz - S / 4, sx, sy);
    out.push_back(std::move(m));
}

inline void Pips(RenderTarget& t, std::vector<T3DModel>& out, int value, double cx, double cy, bool upright) {
    const double h = S / 8;
    std::vector<std::pair<double, double>> at;
    auto corners = [&] {
        for (double dx : {-h, h})
            for (double dy : {-h, h}) at.push_back({cx + dx, cy + dy});
    };
    auto diagonal = [&] {  // the two pips of a 2, turned with the tile
        const double s = upright ? -h : h;
        at.push_back({cx - h, cy - s});
        at.push_back({cx + h, cy + s});
    };
    switch (value) {
    case 1: at.push_back({cx, cy}); break;
    case 2: diagonal(); break;
    case 3: diagonal(); at.push_back({cx, cy}); break;
    case 4: corners(); break;
    case 5: corners(); at.push_back({cx, cy}); break;
    case 6:
        corners();
        if (upright) {
            at.push_back({cx - h, cy});
            at.push_back({cx + h, cy});
        } else {
            at.push_back({cx, cy - h});
            at.push_back({cx, cy + h});
        }
        break;
    default: break;
    }
    for (const auto& [x, y] : at) Flat(t, out, 0x202020, x, y, S / 4 - 1, 30, 30);
}

// One tile at chain position (x, y); upright tiles run along y.
inline void Tile(RenderTarget& t, std::vector<T3DModel>& out, double x, double y, bool upright, int v1, int v2,
                 int originX, int originY) {
    const double px = x + originX, py = y + originY;
    const double along = S, across = S / 2;
    if (upright) {
        Block(t, out, 0xF0F0F0, px, py, S / 8, across, along, S / 4);
        Flat(t, out, 0x202020, px, py, S / 4 - 1, 3 * S / 8, S / 20);
        Pips(t, out, v1, px, py - S / 4, true);
        Pips(t, out, v2, px, py + S / 4, true);
    } else {
        Block(t, out, 0xF0F0F0, px, py, S / 8, along, across, S / 4);
        Flat(t, out, 0x202020, px, py, S / 4 - 1, S / 20, 3 * S / 8);
        Pips(t, out, v1, px - S / 4, py, false);
        Pips(t, out, v2, px + S / 4, py, false);
    }
}

// 21 tiles: the first in the middle, ten on each arm running out, turning a corner and
// coming back, as a long game's chain does.
inline Scene Build(RenderTarget& target, int windowWidth, int windowHeight) {
    Scene scene{windowWidth, windowHeight, {}};
    std::mt19937 rng(21);
    const int originX = windowWidth / 2, originY = 60;
    const double step = S + 30;
    Tile(target, scene.models, 0, 0, false, 6, 6, originX, originY);
    for (int side : {1, -1}) {
        double x = 0, y = 0;
        for (int k = 0; k < 10; ++k) {
            bool upright = false;
            if (k < 3) {
                x += side * step;
            } else if (k < 5) {
                if (k == 3) x += side * S / 4;
                y += step;
                upright = true;
            } else {
                if (k == 5) x -= side * S / 4, y += S / 4;
                x -= side * step;
            }
            Tile(target, scene.models, x, y, upright, static_cast<int>(rng() % 7), static_cast<int>(rng() % 7),
                 originX, originY);
        }
    }
    return scene;
}

} // namespace chainscene
