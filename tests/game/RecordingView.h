#pragma once
#include <string>
#include <vector>

#include "game/JeuView.h"

// Records what the rules ask of the view.
struct RecordingView : JeuView {
    struct Text {
        std::string text;
        int x, y;
    };
    int width = 800, height = 600;
    int paints = 0, tiles = 0, pauses = 0;
    std::vector<Text> texts;
    std::vector<std::string>* log = nullptr;  // order of calls, when wanted

    int WindowWidth() const override { return width; }
    int WindowHeight() const override { return height; }
    void PaintHands(Jeu&, bool a, bool b, bool c) override {
        ++paints;
        if (log) log->push_back(std::string("paint ") + (a ? "1" : "0") + (b ? "1" : "0") + (c ? "1" : "0"));
    }
    void TilePlaced(Jeu&, const Domino&) override { ++tiles; }
    void DrawGameText(Jeu&, const std::string& t, int x, int y) override {
        texts.push_back({t, x, y});
        if (log) log->push_back("text " + t);
    }
    void PauseAfterFirstLead(Jeu&) override { ++pauses; }
};
