#pragma once

// Shared steps of the lead, rotation and stored-game tests: one deal in both languages, the
// buttons of the box, clicking a card of a hand and reading the files a game leaves.

#include "shell/frm_bordix.h"
#include "support/board_driver.h"
#include "support/fake_services.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include <initializer_list>

namespace briqo::testing {

// The deal of these tests, typed for North, East and South; West is completed:
//   North  AKQJ  AQJ   AKQ   AKT      East   T987  T98  JT9  QJ9
//   South  6543  765   876   876      West   2     K432 5432 5432
// West holds the king of hearts, North the ten of clubs.
inline QString dealField(int field, int languageNumber)
{
    static const char *const english[12]
        = { "AKQJ", "AQJ", "AKQ", "AKT", "T987", "T98", "JT9", "QJ9", "6543", "765", "876", "876" };
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
constexpr int contractBid(int level, int strain)
{
    return 5 * (level - 1) + strain;
}
constexpr int Pass = 35;
constexpr int ClubsStrain = 0;
constexpr int HeartsStrain = 2;
constexpr int SpadesStrain = 3;

// The call label of a grid cell: its caption when shown, "" when the cell is free.
inline QString shownCall(const frmBordix &w, int row, int seat)
{
    const QLabel *call = w.lblB[seat][row];
    return call->isHidden() ? QString() : call->text();
}

// Clicks just inside the left half of character index of a field (index = length: past the
// last card). The caret is put elsewhere first, so only the click can bring it there.
inline void clickCharacter(QLineEdit *field, int index)
{
    field->setCursorPosition(index);
    const QRect caret = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    field->setCursorPosition(index == 0 ? int(field->text().size()) : 0);
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(caret.center().x() + 2, caret.center().y()));
    QCoreApplication::processEvents();
}

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace briqo::testing
