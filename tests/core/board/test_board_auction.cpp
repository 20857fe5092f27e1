#include "board_script.h"

#include <QtTest>

class TestBoardAuction : public QObject {
    Q_OBJECT
};

QTEST_GUILESS_MAIN(TestBoardAuction)
#include "test_board_auction.moc"
