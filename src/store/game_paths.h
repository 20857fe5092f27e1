#pragma once

#include <QString>

namespace briqo {

// The words every folder and file name of the game store is built from, in one language. A game
// saved in Dutch lives below "Spellen" and is not seen from the English interface ("Games").
struct GameWords {
    QString gamesFolder; // string 14: "Spellen" / "Games"
    QString game; // string 0:  "Spel" / "Game"
    QString bidding; // string 38: "bieding" / "bidding"
    QString hands; // string 39: "handen" / "hands"
    QString lead; // string 66: "Uitkomst" / "Lead"
    QString contract; // string 67: "Contract"
    QString question; // string 73: "Vraag" / "Question"
    QString answer; // string 78: "Antwoord" / "Answer"
};

GameWords gameWords(int languageNumber);

// The three digits a game number is written with in every name: the last three characters of
// n + 1000 ("005", "042", "123", "000"). Any other n is taken modulo 1000 (never negative), which
// is what the last three digits give for every n the field can hold and keeps names three digits.
QString GameDigits(long long n);

// "Spel 005"
QString gameFolderName(const GameWords &words, long long n);

// "Spel 005 bieding.txt"
QString gameFileName(const QString &folderName, const QString &word);

// The paths below look up every part that already exists ignoring letter case, so a game folder
// copied as "SPEL 005" is read and rewritten in place; parts not yet on disk get our spelling.

// <programFolder>/Spellen
QString GamesRoot(const QString &programFolder, const GameWords &words);

// <programFolder>/Spellen/Spel 005
QString GameFolder(const QString &programFolder, const GameWords &words, long long n);

// <gamesRoot>/<folderName>, for a name picked in the game list.
QString gameFolderOfEntry(const QString &gamesRoot, const QString &folderName);

// <gameFolder>/Spel 005 bieding.txt
QString gameFilePath(const QString &gameFolder, const QString &folderName, const QString &word);

// All game files of one game.
struct GameFilePaths {
    QString folder;
    QString auction;
    QString hands;
    QString lead;
    QString contract;
    QString question;
    QString answer;
};

GameFilePaths gameFilePaths(const QString &gameFolder, const QString &folderName, const GameWords &words);
// The same from a listing of the folder made already (every entry, hidden ones too); the folder is
// as it is spelled on disk.
GameFilePaths gameFilePathsIn(
    const QString &folder, const QStringList &entries, const QString &folderName, const GameWords &words);
// Every entry of a folder, hidden ones too, for gameFilePathsIn.
QStringList folderEntries(const QString &folder);

} // namespace briqo
