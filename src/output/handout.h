#pragma once

#include "base/progress.h"
#include "output/html_handout.h"
#include "output/picture_export.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace briqo {

struct Game;

// How the boards of a handout are set out on its pages.
enum class HandoutKind {
    Board, // each board with its auction and question, perPage to a page (at most
           // MostBoardsWithAuctionPerPage)
    Record, // a hand record as clubs print it: the four hands, dealer, vulnerability and, when
            // asked, the double-dummy table and par; 6 or 9 boards to a page, no auction
    Question, // a question sheet: the hands that show, the auction so far and the question, one
              // board under the other; the answers on the last pages
};

// A handout for a lesson: the boards with their questions, and their answers either on pages of
// their own after the boards or (in the board layout) under each board. Every page carries the
// title and subtitle when there are any, its page number and, unless left out, the program's notice.
struct HandoutSettings {
    PictureSettings picture; // the language, the year, the display options and what each board shows
    HandoutKind kind = HandoutKind::Board;
    int perPage = 4;
    bool answersInline = false;
    QString title; // the lesson's title; a caller may pass the event of a board file as the default
    QString subtitle;
    bool notice = true; // the program's notice at the foot of each page
};

// The biggest number of boards a page takes: beyond that no board can be read on paper.
constexpr int MaxBoardsPerPage = 9;
// A board with its auction, table and question needs more room: more than 6 to an A4 page would
// take type below 8 points, so a board handout asked for 7 to 9 a page has 6.
constexpr int MostBoardsWithAuctionPerPage = 6;

// The layout asked for by its name on the command line ("board", "record", "question"); none for
// another name.
std::optional<HandoutKind> handoutKindOf(const QString &name);

// The handout as the bytes of a PDF file, its text searchable; empty when it cannot be made.
// ProgressReport is told of each board as it is prepared (its double-dummy table worked out); a stop
// there gives no bytes.
QByteArray handoutPdf(const QList<Game> &games, const HandoutSettings &settings, const ProgressReport &progress = {});

// The same handout as one web page: the title, the parts each board shows (a hand or the points
// left out by the display options stay out) and the notice; the layout and page size do not apply.
HtmlHandoutSettings webPageSettings(const HandoutSettings &settings);

} // namespace briqo
