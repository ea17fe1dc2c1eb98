#pragma once
#include <string>

// The game engine's translated texts. Each starts as its English key; the language system
// replaces them with the translation.
struct JeuMessages {
    std::string Points = "points";
    std::string Point = "point";
    std::string AllTaken = "All the players have taken their 7 dominoes.";
    std::string AllReceiving = "All are receiving their 7 dominoes.";
    std::string PlaysDouble = "plays double";
    std::string Plays = "plays";
    std::string Of = "of";
    std::string Sulks = "sulks";
    std::string And = "and";
    std::string IsThePig = "is the pig!";
    std::string AreThePigs = "are the pigs!";
    std::string HasWonTheRound = "has won the round";
    std::string HaveWonTheRound = "have won the round";
};

// The process-wide texts the games use.
JeuMessages& GameTexts();
