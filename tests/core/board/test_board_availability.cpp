#include "board_script.h"

#include <QtTest>

class TestBoardAvailability : public QObject {
    Q_OBJECT
};

QTEST_GUILESS_MAIN(TestBoardAvailability)
#include "test_board_availability.moc"
