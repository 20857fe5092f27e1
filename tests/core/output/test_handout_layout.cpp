// Where the boards of a handout go: whole boards inside the page, none over another, the grid
// that shows them largest; and answers that are never split over two pages.

#include "output/handout_layout.h"

#include <QTest>

using namespace briqo;

namespace {

// A4 at 96 dots per inch with half-inch margins, as the handout draws it.
const HandoutPage A4 {QSizeF(793.7, 1122.5), 48, 24};
// A board's picture without and with a question below it.
const QSizeF Board(619, 620);
const QSizeF BoardWithQuestion(619, 700);

QRectF contentOf(const HandoutPage &page)
{
    return QRectF(QPointF(page.margin, page.margin),
        QSizeF(page.size.width() - 2 * page.margin, page.size.height() - 2 * page.margin));
}

bool within(const QRectF &inner, const QRectF &outer)
{
    constexpr double e = 1e-6;
    return inner.left() >= outer.left() - e && inner.top() >= outer.top() - e && inner.right() <= outer.right() + e
        && inner.bottom() <= outer.bottom() + e;
}

} // namespace

class TestHandoutLayout : public QObject {
    Q_OBJECT

private slots:
    void twelveBoardsFourAPageTakeThreePagesInTwoByTwo()
    {
        const HandoutLayout layout = layoutHandout(QList<QSizeF>(12, Board), 4, A4, 0);
        QCOMPARE(layout.pageCount, 3);
        QCOMPARE(layout.columns, 2);
        QCOMPARE(layout.rows, 2);
        QCOMPARE(layout.places.size(), 12);
        for (int i = 0; i < 12; ++i)
            QCOMPARE(layout.places[i].page, i / 4);
        // Reading order: left to right, then down.
        QVERIFY(layout.places[1].board.left() > layout.places[0].board.right());
        QVERIFY(layout.places[2].board.top() > layout.places[0].board.bottom());
        QCOMPARE(layout.places[2].board.left(), layout.places[0].board.left());
    }

    void noBoardIsCutOrCoversAnother_data()
    {
        QTest::addColumn<int>("perPage");
        QTest::addColumn<double>("answerShare");
        for (int perPage = 1; perPage <= 9; ++perPage) {
            QTest::addRow("%d a page", perPage) << perPage << 0.0;
            QTest::addRow("%d a page, answers inline", perPage) << perPage << 0.22;
        }
    }
    void noBoardIsCutOrCoversAnother()
    {
        QFETCH(int, perPage);
        QFETCH(double, answerShare);
        // Boards of different heights, and more than fill the last page.
        QList<QSizeF> boards;
        for (int i = 0; i < 2 * perPage + 1; ++i)
            boards << (i % 3 == 1 ? BoardWithQuestion : Board);
        const HandoutLayout layout = layoutHandout(boards, perPage, A4, answerShare);
        QCOMPARE(layout.pageCount, 3);
        QVERIFY(layout.scale > 0 && layout.scale <= 1);
        const QRectF content = contentOf(A4);
        for (int i = 0; i < boards.size(); ++i) {
            const HandoutPlace &a = layout.places[i];
            QVERIFY2(within(a.board, content), qPrintable(QStringLiteral("board %1").arg(i)));
            QCOMPARE(a.board.size(), boards[i] * layout.scale); // the whole board, never cropped
            QCOMPARE(a.answer.isEmpty(), answerShare == 0);
            if (answerShare > 0) {
                QVERIFY(within(a.answer, content));
                QVERIFY(a.answer.top() >= a.board.bottom());
            }
            for (int j = 0; j < i; ++j) {
                const HandoutPlace &b = layout.places[j];
                if (a.page != b.page)
                    continue;
                QVERIFY(!a.board.intersects(b.board));
                QVERIFY(!a.board.intersects(b.answer) && !a.answer.intersects(b.board));
            }
        }
    }

    void theGridIsTheOneThatShowsTheBoardsLargest()
    {
        // Two square boards stand above each other on a portrait page, not side by side.
        const HandoutLayout two = layoutHandout(QList<QSizeF>(2, Board), 2, A4, 0);
        QCOMPARE(two.columns, 1);
        QCOMPARE(two.rows, 2);
        // One board is shown at its own size at most: a page is not filled by blowing it up.
        const HandoutLayout one = layoutHandout({QSizeF(300, 300)}, 1, A4, 0);
        QCOMPARE(one.scale, 1.0);
        // Nonsense asked for is still a handout.
        QCOMPARE(layoutHandout(QList<QSizeF>(3, Board), 0, A4, 0).pageCount, 3);
        QCOMPARE(layoutHandout({}, 4, A4, 0).pageCount, 0);
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
