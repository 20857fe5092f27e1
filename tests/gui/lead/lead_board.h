#pragma once
// Steps shared by the lead, rotation and stored-game tests.

#include "resources/pictures.h"
#include "support/board_driver.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>

namespace briqo::testing {

// Shows the window and types game and the sample deal.
inline void startDeal(frmBordix &w, const QString &game)
{
    activate(w);
    typeSampleDeal(w, game);
}

// Box buttons: 5 x (level - 1) + strain (clubs 0, diamonds 1, hearts 2, spades 3, no trump 4).
constexpr int OneHeart = 2, FourHearts = 17, Pass = 35;

// Clicks just inside character index of a field (index = length: past the last card). The caret
// is put elsewhere first, so only the click can bring it there.
inline void clickCharacter(QLineEdit *field, int index)
{
    field->setCursorPosition(index);
    const QRect caret = field->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    field->setCursorPosition(index == 0 ? int(field->text().size()) : 0);
    QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(caret.center().x() + 2, caret.center().y()));
}

inline bool leadLineHidden(const frmBordix &w)
{
    return w.lblVulin[5]->isHidden() && w.picUit->isHidden() && w.lblVulin[6]->isHidden();
}

// "West - [heart] Heer" in Dutch, "West - King [heart]" in English, with the delete box below it.
inline void verifyLeadLine(const frmBordix &w, const QString &leader, const QString &card, int picture)
{
    QVERIFY(!w.lblVulin[5]->isHidden() && !w.picUit->isHidden() && !w.lblVulin[6]->isHidden());
    QCOMPARE(w.lblVulin[5]->text(), leader + QStringLiteral(" - "));
    QCOMPARE(w.lblVulin[6]->text(), card);
    QCOMPARE(pictureIdOf(w.picUit), picture);
    const bool dutch = w.LanguageNumber == 10;
    const QLabel *first = dutch ? w.picUit : w.lblVulin[6];
    const QLabel *second = dutch ? w.lblVulin[6] : w.picUit;
    QVERIFY(first->x() >= w.lblVulin[5]->geometry().right() && second->x() > first->geometry().right());
    QCOMPARE(w.chkUitKomst->text(), dutch ? QStringLiteral("Wis uitkomst") : QStringLiteral("Delete lead"));
    QVERIFY(!w.chkUitKomst->isHidden() && !w.chkUitKomst->isChecked());
    QVERIFY(w.chkUitKomst->y() > w.lblVulin[5]->y());
}

} // namespace briqo::testing
