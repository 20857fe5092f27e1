// Work shared among copies of the process: every piece arrives once, whatever becomes of a copy.

#include "platform/child_processes.h"

#include <QTest>

#include <cerrno>
#include <sys/wait.h>
#include <unistd.h>

using namespace briqo;

namespace {

QByteArray pieceOf(qsizetype i) { return QByteArray::number(i).repeated(int(1 + i % 7) * 1000); }

// Every piece delivered, each once, with its own bytes.
void expectEachOnce(const QList<QByteArray> &got, const QList<int> &times)
{
    for (qsizetype i = 0; i < got.size(); ++i) {
        QCOMPARE(times[i], 1);
        QCOMPARE(got[i], pieceOf(i));
    }
}

void expectNoCopyLeft()
{
    QCOMPARE(::waitpid(-1, nullptr, WNOHANG), -1);
    QCOMPARE(errno, ECHILD);
}

} // namespace

class TestChildProcesses : public QObject {
    Q_OBJECT

private slots:
    // Copies that work, that end halfway, and that hang: the pieces they took and never sent are
    // made here.
    void everyPieceArrivesOnceWhateverACopyDoes_data()
    {
        QTest::addColumn<QString>("copy");
        QTest::newRow("works") << "works";
        QTest::newRow("ends") << "ends";
        QTest::newRow("hangs") << "hangs";
    }
    void everyPieceArrivesOnceWhateverACopyDoes()
    {
        QFETCH(QString, copy);
        const pid_t parent = ::getpid();
        constexpr qsizetype Count = 40;
        QList<QByteArray> got(Count);
        QList<int> times(Count, 0);
        const bool finished = makeInChildProcesses(
            Count, 3,
            [&](qsizetype i) {
                if (::getpid() != parent && i >= 10) {
                    if (copy == QLatin1String("ends"))
                        ::_exit(2);
                    if (copy == QLatin1String("hangs"))
                        ::pause();
                }
                return pieceOf(i);
            },
            [&](qsizetype i, QByteArray bytes) {
                got[i] = std::move(bytes);
                ++times[i];
                return true;
            },
            std::chrono::milliseconds(300));
        QVERIFY(finished);
        expectEachOnce(got, times);
        expectNoCopyLeft();
    }

    // A receiver that says stop gets nothing more, and the copies are ended.
    void stoppingEndsTheCopies()
    {
        int delivered = 0;
        const bool finished = makeInChildProcesses(
            200, 2, [](qsizetype i) { return pieceOf(i); },
            [&](qsizetype, QByteArray) { return ++delivered < 5; });
        QVERIFY(!finished);
        QCOMPARE(delivered, 5);
        expectNoCopyLeft();
    }

    // One process, or one piece: everything here, in order.
    void withoutCopiesThePiecesComeInOrder()
    {
        for (int processes : {1, 4}) {
            const qsizetype count = processes == 1 ? 5 : 1;
            QList<qsizetype> order;
            QVERIFY(makeInChildProcesses(count, processes, [](qsizetype i) { return pieceOf(i); },
                [&](qsizetype i, QByteArray bytes) {
                    order << i;
                    return bytes == pieceOf(i);
                }));
            QCOMPARE(order.size(), count);
            for (qsizetype i = 0; i < count; ++i)
                QCOMPARE(order[i], i);
        }
    }
};

QTEST_GUILESS_MAIN(TestChildProcesses)
#include "test_child_processes.moc"
