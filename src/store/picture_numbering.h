#pragma once

#include "store/game_paths.h"

#include <QString>
#include <QStringList>

namespace briqo {

// Board pictures of a game are "Spel 005.bmp", "Spel 005_1.bmp", "Spel 005_2.bmp", ... in the
// game's folder. A new picture takes the lowest number no picture has, so deleted numbers are
// reused and nothing is ever overwritten.

// The number of a picture file: 0 when its base (the name up to the first ".") has no "_",
// otherwise the leading numeric value of the text after the first "_" (0 when it does not start
// with a number).
long long pictureNumber(const QString &fileName);

// The smallest k >= 0 that no "*.bmp" name in fileNames (letter case ignored) has as its number,
// compared as numbers: with pictures 0 to 10 the next is 11, although "_10" sorts before "_2".
int nextPictureNumber(const QStringList &fileNames);

// "" for 0, "_k" otherwise.
QString pictureSuffix(int number);

// "" or "_" followed by decimal digits: a suffix pictureSuffix can give.
bool isPictureSuffix(const QString &suffix);

QString nextPictureSuffix(const QStringList &fileNames);

// The "*.bmp" files of a folder (extension in any case), sorted by name ignoring case; empty when
// the folder is missing.
QStringList bmpFileNames(const QString &gameFolder);

// Each name up to its first ".", in the order given: the entries of the picture list window.
QStringList pictureBases(const QStringList &fileNames);

// The next picture's suffix for a game folder: what the capture needs before it saves.
QString nextPictureSuffixInFolder(const QString &gameFolder);

// "Spel 005_2.bmp"
QString pictureFileName(const GameWords &words, long long n, const QString &suffix);

} // namespace briqo
