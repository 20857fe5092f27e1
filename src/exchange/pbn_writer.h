#pragma once

#include "exchange/exchange_board.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace briqo {

// A PBN 2.1 file in export format: the escape lines of the standard, then one game per board with
// the mandatory tags in their order ("?" for what is not known), the deal with the dealer's hand
// first, the auction with its notes, the contract and declarer, the play section holding the
// opening lead, the double-dummy table and par when the board carries them (OptimumScore and
// OptimumResultTable), the question as commentary before the deal and the answer as commentary at
// the end. Latin-1 bytes, CR LF line ends, no line longer than the standard allows.
QByteArray writePbn(const QList<ExchangeBoard> &boards);

// The characters of the boards' texts that ISO-8859-1 lacks and that PBN and LIN files therefore
// hold in their nearest plain form (curly quotes as straight ones, the euro sign as "EUR"), each
// once; empty when there are none. Exports name them in their notice.
QString charactersWrittenPlain(const QList<ExchangeBoard> &boards);

// One game as text, the way it stands in the file (also for the clipboard).
QString pbnGameText(const ExchangeBoard &board);

} // namespace briqo
