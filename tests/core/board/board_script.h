#pragma once

#include "board/availability.h"
#include "board/board.h"
#include "base/string_ids.h"

#include <QStringList>
#include <QTest>

namespace briqo::test {

template<typename... T> void row(const char *name, T... values) { (QTest::newRow(name) << ... << values); }

// A deal with every kind of holding: a void-free hand, a doubleton, honours spread over the table.
// Fields: North spades, hearts, diamonds, clubs, then East, South, West.
inline Holdings dutchDeal()
{
    return {"AHV2", "432", "AH5", "765", "BT9", "AHV", "432", "AHVB", "8765", "BT98", "VBT", "32", "43", "765", "9876",
        "T984"};
}

inline Holdings englishDeal()
{
    Holdings deal = dutchDeal();
    for (QString &h : deal)
        h.replace('H', 'K').replace('V', 'Q').replace('B', 'J');
    return deal;
}

// Types the text into the field key by key, then leaves the field.
inline QList<BoardOutcome> type(Board &board, int field, const QString &text)
{
    QList<BoardOutcome> outcomes;
    for (const QChar c : text)
        outcomes << board.typeKey(field, c);
    outcomes << board.leaveField(field);
    return outcomes;
}

// A board for game n with North, East and South typed; leaving South's last field fills West.
inline Board typedBoard(long long n = 1, int language = LanguageDutch)
{
    Board board(language);
    board.setGameNumber(QString::number(n));
    const Holdings deal = language == LanguageDutch ? dutchDeal() : englishDeal();
    for (int field = 0; field < 12; ++field)
        type(board, field, deal[field]);
    return board;
}

// Box clicks: "1C".."7N" bids, "P" pass, "X" double, "XX" redouble, "#" number, "D" delete last,
// "DA" delete all (answered Yes). The outcome of the last click.
inline BoardOutcome bid(Board &board, const QString &script)
{
    static const QStringList words {"P", "X", "XX", "#", "D", "DA"};
    BoardOutcome last;
    for (const QString &t : script.split(' ', Qt::SkipEmptyParts)) {
        const int w = int(words.indexOf(t));
        const int k
            = w >= 0 ? BoxButton::Pass + w : 5 * t[0].digitValue() - 5 + int(QStringLiteral("CDHSN").indexOf(t.back()));
        last = board.clickBox(k, k == BoxButton::DeleteAll ? Answer::Yes : Answer::NotAsked);
    }
    return last;
}

// The message texts of an outcome, "|"-separated lines kept.
inline QStringList texts(const BoardOutcome &out, int language)
{
    QStringList t;
    for (const BoardMessage &m : out.messages)
        t << m.text(language);
    return t;
}

// The controls on offer, in a fixed order: "fields:N" (how many hand fields), then the names of
// the enabled controls.
inline QString signature(const Availability &a)
{
    QStringList on;
    on << QStringLiteral("fields:%1").arg(std::count(a.entryFields.begin(), a.entryFields.end(), true));
    auto add = [&on](bool b, const char *name) {
        if (b)
            on << name;
    };
    add(a.biddingBox, "box");
    add(a.deleteLastBid, "del");
    add(a.save, "save");
    add(a.picture, "pic");
    add(a.print, "print");
    add(a.clipboard, "clip");
    add(a.rotate, "rot");
    add(a.question, "qa");
    add(a.hiddenHandBoxes[0], "hide");
    add(a.tenAs10Box, "ten");
    add(a.pointsBox, "pts");
    add(a.leadBoxVisible, a.leadBoxCaption == Str::DeleteLead ? "dellead" : "lead");
    add(a.leadBoxChecked, "leadmode");
    add(a.loadGame, "load");
    add(a.renumber, "renum");
    add(a.picturesList, "bmp");
    add(a.dealerAndVulnerability, "dv");
    add(a.contract, "contract");
    return on.join(' ');
}

} // namespace briqo::test
