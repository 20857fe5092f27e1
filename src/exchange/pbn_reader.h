#pragma once

#include "exchange/exchange_board.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>

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

// The same for a file's bytes, in any encoding decodeExchangeFile knows, without turning the file
// into text first: each board goes to boardRead as soon as its game ends, so neither the boards
// nor their words are ever held for the whole file. The problems are those readPbn gives.
void readPbnFile(const QByteArray &bytes, int languageNumber, QList<ExchangeProblem> &problems,
    const std::function<void(ExchangeBoard &&)> &boardRead);

} // namespace briqo
