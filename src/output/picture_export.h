#pragma once

#include "base/string_table.h"
#include "output/board_picture.h"
#include "output/shown_parts.h"
#include "platform/safe_write.h"
#include "ui/board/board_view.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

#include <functional>
#include <optional>

namespace briqo {

struct Game;

// The kinds of file a board's picture is written as: the window's bitmap, PNG, and the two vector
// forms, in which the text stays text.
enum class PictureFormat { Bmp, Png, Pdf, Svg };

// The format a file name asks for by its extension (any letter case); none for another one.
std::optional<PictureFormat> pictureFormatOf(const QString &fileName);
QString extensionOf(PictureFormat format); // "png", without the dot

// How a stored game becomes a picture without the window: the language of the captions, the
// year in the maker's notice, the display options, and for bitmaps how many pixels a pixel of
// the window becomes (2 doubles the width and the height). The defaults draw the window's picture.
struct PictureSettings {
    int languageNumber = LanguageDutch;
    int year = 2026;
    BoardOptions board;
    double scale = 1;
    // What the board shows. A part shows when both this and the display options let it (the
    // points, the hands); shown.doubleDummy works out the table and par of each complete deal
    // (when board.doubleDummy does not carry one already), which takes a solve per game.
    ShownParts shown;
    // "!S" or "\S" in the question drawn as the red or black suit symbol. The window's own
    // picture shows the question as typed.
    bool suitSymbols = false;
    // A deal without any call keeps the empty auction frame, as on the window's board.
    bool emptyAuctionFrame = true;
    // The maker's notices in the two bottom corners (a handout prints the notice once a page).
    bool makerNotes = true;
};

// A board of its own, filled with the game and stripped as its picture shows it: what every
// picture file and handout draws.
class PreparedBoard {
public:
    PreparedBoard(const Game &game, const PictureSettings &settings);

    BoardView view;
    PictureFrame frame;
};

// The picture as an image, the window's picture pixel for pixel at scale 1.
QImage boardImage(PreparedBoard &board, double scale);

// The bytes of the picture file of the game; empty if it cannot be made.
QByteArray pictureFileBytes(const Game &game, PictureFormat format, const PictureSettings &settings);

// The picture files of many games, each as pictureFileBytes makes it, on `threads` cores (0: all
// the machine has; 1: everything on this thread), each handed to deliver with the game's index as
// soon as it is made, not necessarily in the games' order. deliver returns false to stop: no more
// files are made. Returns false when it was stopped. Double-dummy tables the settings show are
// best solved ahead (solveTablesAhead), as the two below do: a board solves its own one by one.
//
// The boards are widgets, which only a process's main thread may make and draw. Without a display
// (the command line, or any program on the offscreen platform) the games are shared among copies
// of this process, each making whole files; with a display, the boards are filled and drawn here
// one after the other while the PNG and BMP encoding, most of a PNG's cost, runs on other threads
// (PDF and SVG are drawn straight into their files, so they stay on this thread then).
bool makePictureFiles(const QList<Game> &games, PictureFormat format, const PictureSettings &settings, int threads,
    const std::function<bool(qsizetype, QByteArray)> &deliver);

// The picture files of the games written to paths (one each, in the games' order) as they are
// made, on `threads` cores as above, and made durable together: each file whole or not at all, and
// on a failure no earlier file replaced. failedPath names the file that failed; the reason is
// empty when its picture could not be made. progress counts the double-dummy tables to solve
// first, if any, then the files written.
WriteOutcome writePictureFiles(const QList<Game> &games, PictureFormat format, const PictureSettings &settings,
    const QStringList &paths, int threads, QString *failedPath = nullptr, const ProgressReport &progress = {});

// The same files gathered in the games' order.
QList<QByteArray> pictureFilesBytes(
    const QList<Game> &games, PictureFormat format, const PictureSettings &settings, int threads = 0);

} // namespace briqo
