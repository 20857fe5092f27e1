#include "board_script.h"

#include <QtTest>

class TestBoardStore : public QObject {
    Q_OBJECT
};

QTEST_GUILESS_MAIN(TestBoardStore)
#include "test_board_store.moc"
