#pragma once

#include "exchange/exchange_board.h"

#include <QList>
#include <QString>

namespace briqo {

struct LinReadResult {
    QList<ExchangeBoard> boards;
    QList<ExchangeProblem> problems;
};

// Reads the online hand viewer's format: pairs "key|value|" (pn players, md deal, sv vulnerability,
// ah or qx the board, mb calls, an the note of the call before, pc played cards; other keys are
// skipped). A file may hold several boards: each "qx" or each further "md" starts the next.
// Never fails: an unreadable pair is a problem with its line.
LinReadResult readLin(const QString &text);

// One board on one line: pn|..|st||md|..|rh||ah|Board n|sv|..|mb|..|an|..|pc|..|pg||. The players'
// names are the seat names of the language. A "|" inside a note text is written "/".
QString writeLin(const ExchangeBoard &board, int languageNumber);

// The hand viewer's address with the board as its "lin" parameter.
QString handViewerLink(const ExchangeBoard &board, int languageNumber);

// The LIN text of a hand viewer link ("lin" parameter), or its hands given as the parameters
// n, e, s and w turned into an "md" value; empty when the text is not such a link.
QString linOfHandViewerLink(const QString &link);

} // namespace briqo
