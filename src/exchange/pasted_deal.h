#pragma once

#include "exchange/deal_text.h"

#include <QString>

namespace briqo {

// Any deal a user may paste onto the board: a hand viewer link, a LIN text (with "md|" or the bare
// md value), a full PBN game (its first deal) or a PBN deal string ("N:AKQ.JT9.876.5432 ..."), in
// the exchange letters. Not recognised when the text is none of these.
DealText parsePastedDeal(const QString &text);

} // namespace briqo
