#pragma once

#include "support/fake_services.h"
#include "ui/main_window/frm_bordix.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace briqo {

// Drives the real main window the way a user does: typing into its fields and moving between them.
inline void activate(frmBordix &w)
{
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

// The board's window shown and active, as a user finds it.
inline frmBordix &shown(TestBoard &board)
{
    activate(board.window());
    return board.window();
}

inline void giveFocus(QWidget *widget)
{
    widget->setFocus(Qt::OtherFocusReason);
    QCoreApplication::processEvents();
}

inline void typeGameNumber(frmBordix &w, const QString &number)
{
    giveFocus(w.txtSpel);
    w.txtSpel->selectAll();
    QTest::keyClick(w.txtSpel, Qt::Key_Delete);
    QTest::keyClicks(w.txtSpel, number);
    QCoreApplication::processEvents();
}

// Types a holding into a field and leaves it, as a user tabbing through the hands would.
inline void typeHolding(frmBordix &w, int field, const QString &cards)
{
    giveFocus(w.txtInvoer[field]);
    QTest::keyClicks(w.txtInvoer[field], cards);
    giveFocus(w.cmdFocus);
}

// A deal in English letters; West's hand is what is left: spades 2, and 5432 in the other suits.
inline const QStringList &sampleDeal()
{
    static const QStringList fields = {
        QStringLiteral("AKQJ"),
        QStringLiteral("AKQ"),
        QStringLiteral("AKQ"),
        QStringLiteral("AKQ"),
        QStringLiteral("T987"),
        QStringLiteral("JT9"),
        QStringLiteral("JT9"),
        QStringLiteral("JT9"),
        QStringLiteral("6543"),
        QStringLiteral("876"),
        QStringLiteral("876"),
        QStringLiteral("876"),
    };
    return fields;
}

// Holdings written in the letters of a language (10 Dutch: H V B for K Q J).
inline QString inLetters(QString cards, int languageNumber)
{
    if (languageNumber == 10)
        cards.replace(QLatin1Char('K'), QLatin1Char('H'))
            .replace(QLatin1Char('Q'), QLatin1Char('V'))
            .replace(QLatin1Char('J'), QLatin1Char('B'));
    return cards;
}

// The sample deal complete, West's cards added, in the letters of a language.
inline Holdings sampleHoldings(int languageNumber)
{
    Holdings holdings;
    for (int field = 0; field < 16; ++field)
        holdings[field] = inLetters(
            field < 12 ? sampleDeal().at(field) : QString::fromLatin1(field == 12 ? "2" : "5432"), languageNumber);
    return holdings;
}

// Game number n and the first three hands of the sample deal, typed; West is completed.
// The honours are written in the letters of the board's language.
inline void typeSampleDeal(frmBordix &w, const QString &game = QStringLiteral("1"))
{
    typeGameNumber(w, game);
    for (int field = 0; field < 12; ++field) {
        typeHolding(w, field, inLetters(sampleDeal().at(field), w.LanguageNumber));
    }
    QCoreApplication::processEvents();
}

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Selects a game in the list as a click on its entry does; false when it is not listed.
inline bool selectGame(frmBordix &w, const QString &entry)
{
    const QList<QListWidgetItem *> found = w.lstSpellen->findItems(entry, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    w.lstSpellen->setCurrentItem(found.first());
    return true;
}

inline QStringList listedGames(const frmBordix &w)
{
    QStringList entries;
    for (int i = 0; i < w.lstSpellen->count(); ++i)
        entries << w.lstSpellen->item(i)->text();
    return entries;
}

// Clicks on bidding-box buttons, by number (0..34 bids, 35 pass, 36 double, 37 redouble, 38 number).
inline void bid(frmBordix &w, std::initializer_list<int> buttons)
{
    for (int k : buttons)
        w.lblBB_Click(k);
}

} // namespace briqo
