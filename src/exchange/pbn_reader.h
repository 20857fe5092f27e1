#pragma once

#include "exchange/exchange_board.h"

#include <QList>
#include <QString>

namespace briqo {

struct PbnReadResult {
    QList<ExchangeBoard> boards; // in file order, one per game of the file
    QList<ExchangeProblem> problems; // what could not be read, with line numbers
};

// Reads a PBN file (versions 1.0 to 2.1, import and export format): escape lines ("%"), tag pairs
// with quoted values, commentary after ";" and between braces (over several lines), games ended by
// an empty line, the "#" copies of the export format, Auction and Play sections over several lines
// with their notes, and tables (OptimumResultTable, ScoreTable, ...) that are skipped. Suit symbols
// in commentary become letters of the language. Never fails: what cannot be read is a problem
// with its line, and reading goes on at the next line.
PbnReadResult readPbn(const QString &text, int languageNumber);

} // namespace briqo
