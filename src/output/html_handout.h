#pragma once

#include "base/progress.h"
#include "base/string_table.h"
#include "store/game.h"

#include "output/shown_parts.h"
#include <QByteArray>
#include <QList>

#include <QString>

#include <array>

namespace briqo {

// A lesson as one web page: every board with its number, dealer and vulnerability, the four
// hands, the auction, contract and lead, and the question; the answer stays folded away until
// the student opens it. The page stands alone (its style inside it, no script, no file or font
// from elsewhere), so it can be mailed or put on any site, and it reads on a phone.
struct HtmlHandoutSettings {
    int languageNumber = LanguageDutch; // the captions, and the card letters the games are stored in
    int year = 2026; // in the maker's notice at the foot of the page
    QString title; // the lesson's title at the top; the page's name is "Briqo" without one
    QString subtitle;
    bool tenAs10 = false; // "10" for the ten in the hands and the lead
    // What each board shows, as for a printed handout; with doubleDummy the table and par of each
    // complete deal are worked out (a solve per game) and shown under the hands.
    ShownParts shown;
    bool showNotice = true; // the program's notice, once, at the foot of the page
};

// The page as UTF-8 bytes. Every text a user typed is escaped, so a question holding "<" or "&"
// reads as typed; suit marks in a question or answer ("!S", "\S") become the suit's symbol.
// ProgressReport is told of each board as it is written (with doubleDummy each takes a solve); a
// stop there gives no bytes.
QByteArray handoutHtml(
    const QList<Game> &games, const HtmlHandoutSettings &settings, const ProgressReport &progress = {});

// Whether a file name asks for the web page: ".html" or ".htm", in any letter case.
bool isHtmlFileName(const QString &fileName);

} // namespace briqo
