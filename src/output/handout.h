#pragma once

#include "base/progress.h"
#include "output/picture_export.h"

#include <QByteArray>
#include <QList>

namespace briqo {

struct Game;

// A handout for a lesson: the boards with their questions, perPage to an A4 page, and their
// answers either on pages of their own after the boards or under each board.
struct HandoutSettings {
    PictureSettings picture;
    int perPage = 4;
    bool answersInline = false;
};

// The biggest number of boards a page takes: beyond that no board can be read on paper.
constexpr int MaxBoardsPerPage = 9;

// The handout as the bytes of a PDF file, its text searchable; empty when it cannot be made.
// ProgressReport is told of each board as it is prepared (its double-dummy table worked out); a stop
// there gives no bytes.
QByteArray handoutPdf(const QList<Game> &games, const HandoutSettings &settings, const ProgressReport &progress = {});

} // namespace briqo
