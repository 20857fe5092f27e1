// Where the boards of a handout go: cells inside the page, none over another, the grid that lets
// the type be largest; and answers that are never split over two pages.

#include "output/handout_layout.h"

#include <QTest>

using namespace briqo;

namespace {

// The body of an A4 page at 96 dots per inch with half-inch margins, and the gap between boards.
const QSizeF Body(698, 1000);
constexpr double Gap = 24;

// A board that takes 20 times its type's size across and 40 times down, or more for the boards
// given as tall.
BoardsFitting boardsOf(int count, QList<int> tall = {}, double tallFactor = 60)
{
    return [=](const QSizeF &cell, double points) {
        int n = 0;
        for (int i = 0; i < count; ++i) {
            const double down = (tall.contains(i) ? tallFactor : 40) * points;
            n += 20 * points <= cell.width() && down <= cell.height() ? 1 : 0;
        }
        return n;
    };
}

} // namespace

class TestHandoutLayout : public QObject {
    Q_OBJECT

private slots:
    // Every board's cell inside the body and none over another; the type as large as the cells allow.
    void theGridShowsTheBoardsLargest_data()
    {
        QTest::addColumn<int>("perPage");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        QTest::newRow("one") << 1 << 1 << 1;
        QTest::newRow("two above each other, as wide as the page") << 2 << 1 << 2;
        QTest::newRow("four in two by two") << 4 << 2 << 2;
        QTest::newRow("five in three by two") << 5 << 3 << 2;
        QTest::newRow("six in three by two") << 6 << 3 << 2;
        QTest::newRow("nonsense is one a page") << 0 << 1 << 1;
    }
    void theGridShowsTheBoardsLargest()
    {
        QFETCH(int, perPage);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const BoardGrid grid = chooseBoardGrid(perPage, Body, Gap, 12, 12, 8, 0.5, boardsOf(12));
        QCOMPARE(grid.columns, columns);
        QCOMPARE(grid.rows, rows);
        QVERIFY(grid.fits);
        QVERIFY(grid.points >= 8 && grid.points <= 12);
        // One step larger would not fit.
        if (grid.points < 12)
            QVERIFY(boardsOf(12)(grid.cell, grid.points + 0.5) < 12);
        const QRectF body(QPointF(0, 0), Body);
        for (int slot = 0; slot < std::max(1, perPage); ++slot) {
            const QRectF place = grid.place(slot, Gap);
            QVERIFY2(body.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(place), qPrintable(QString::number(slot)));
            for (int other = 0; other < slot; ++other)
                QVERIFY(!place.intersects(grid.place(other, Gap)));
        }
        // Reading order: left to right, then down.
        if (columns > 1)
            QVERIFY(grid.place(1, Gap).left() > grid.place(0, Gap).right());
    }

    void boardsThatNeverFitGetTheLeastTypeInTheGridThatHoldsMost()
    {
        // Board 3 is so tall that at six a page it fits no cell at any size.
        const BoardGrid grid = chooseBoardGrid(6, Body, Gap, 6, 12, 8, 0.5, boardsOf(6, {3}, 200));
        QVERIFY(!grid.fits);
        QCOMPARE(grid.points, 8.0);
        QCOMPARE(boardsOf(6, {3}, 200)(grid.cell, 8), 5);
        // One tall board decides the type of all.
        const BoardGrid one = chooseBoardGrid(4, Body, Gap, 4, 12, 8, 0.5, boardsOf(4, {2}, 50));
        QVERIFY(one.fits);
        QVERIFY(one.points < chooseBoardGrid(4, Body, Gap, 4, 12, 8, 0.5, boardsOf(4)).points);
    }

    void answersFillPagesWithoutBeingSplit()
    {
        // The first page has less room (its heading); a block taller than a page stands alone, and
        // one that fits a whole page waits for the next.
        const QList<QList<int>> pages = paginateBlocks({300, 300, 300, 1500, 100, 400, 400}, 700, 1000, 20);
        QCOMPARE(pages, (QList<QList<int>> {{0, 1}, {2}, {3}, {4, 5, 6}}));
        QCOMPARE(paginateBlocks({}, 700, 1000, 20), QList<QList<int>> {});
        QCOMPARE(paginateBlocks({800}, 700, 1000, 20), (QList<QList<int>> {{}, {0}}));
        QCOMPARE(paginateBlocks({1500, 10}, 700, 1000, 20), (QList<QList<int>> {{0}, {1}}));
    }
};

QTEST_GUILESS_MAIN(TestHandoutLayout)
#include "test_handout_layout.moc"
