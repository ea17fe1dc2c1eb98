#pragma once
#include <array>
#include <string>

// What a new local game takes from the settings.
struct GameSetup {
    // The nine theme colours (0xBBGGRR), by name.
    int TableColor = 0x005500;
    int DominoesColor = 0xDDFFFF;
    int DominoesDotsColor = 0x000000;
    int DominoesBackColor = 0x000000;
    int DominoesBorderColor = 0x008A8A;
    int BackDominoesBorder = 0x3C3C3C;
    int NormalTextColor = 0x008000;
    int LightedTextColor = 0x00FF00;
    int SelectedDominoColor = 0x0080FF;

    std::array<std::string, 3> ProfileFiles{"standard player.vrk", "standard player.vrk",
                                            "standard player.vrk"};
    std::string BackgroundTexturePath;
    std::string DominoesTexturePath;
    std::string BackDominoesTexturePath;
    bool UseRules = true;  // the tactic switch
    double CameraX = 0, CameraY = 0, CameraZ = 0;
    double CameraAngleX = 0, CameraAngleY = 0;
};
