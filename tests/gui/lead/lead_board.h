#pragma once

// Shared steps of the lead, rotation and stored-game tests: one deal in both languages, bidding
// through the box, choosing a stored game in the list and reading the files a game leaves.

#include "shell/frm_bordix.h"
#include "support/board_driver.h"
#include "support/fake_services.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTest>

#include <initializer_list>

namespace briqo::testing {

// The deal of these tests, typed for North, East and South; West is completed:
//   North  AKQJ  AQJ   AKQ   AKT      East   T987  T98  JT9  QJ9
//   South  6543  765   876   876      West   2     K432 5432 5432
// West holds the king of hearts, North the ten of clubs.
inline QString dealField(int field, int languageNumber)
{
    static const char *const english[12] = {"AKQJ", "AQJ", "AKQ", "AKT", "T987", "T98",
                                            "JT9",  "QJ9", "6543", "765", "876", "876"};
    QString cards = QString::fromLatin1(english[field]);
    if (languageNumber == 10) {
        cards.replace(QLatin1Char('K'), QLatin1Char('H'));
        cards.replace(QLatin1Char('Q'), QLatin1Char('V'));
        cards.replace(QLatin1Char('J'), QLatin1Char('B'));
    }
    return cards;
}

inline void typeDeal(frmBordix &w, const QString &game)
{
    typeGameNumber(w, game);
    for (int field = 0; field < 12; ++field)
        typeHolding(w, field, dealField(field, w.LanguageNumber));
    QCoreApplication::processEvents();
}

// Box buttons: k = 5 x (level - 1) + strain (clubs 0 .. no trump 4); 35 pass, 36 double.
constexpr int bid(int level, int strain)
{
    return 5 * (level - 1) + strain;
}
constexpr int Pass = 35;
constexpr int ClubsStrain = 0;
constexpr int HeartsStrain = 2;
constexpr int SpadesStrain = 3;

inline void callAll(frmBordix &w, std::initializer_list<int> calls)
{
    for (int k : calls)
        w.lblBB_Click(k);
}

// The call label of a grid cell: its caption when shown, "" when the cell is free.
inline QString shownCall(const frmBordix &w, int row, int seat)
{
    const QLabel *call = w.lblB[seat][row];
    return call->isHidden() ? QString() : call->text();
}

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Clicks a game of the list, as the user does before loading or deleting it.
inline bool selectStoredGame(frmBordix &w, const QString &entry)
{
    const QList<QListWidgetItem *> found = w.lstSpellen->findItems(entry, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    w.lstSpellen->setCurrentItem(found.first());
    found.first()->setSelected(true);
    QCoreApplication::processEvents();
    return true;
}

inline QStringList listedGames(const frmBordix &w)
{
    QStringList games;
    for (int i = 0; i < w.lstSpellen->count(); ++i)
        games << w.lstSpellen->item(i)->text();
    return games;
}

} // namespace briqo::testing
