#include "analysis/double_dummy_worker.h"

#include "known_deals.h"

#include <QSignalSpy>
#include <QTest>
#include <QThread>

using namespace briqo;
using namespace briqo::test;

Q_DECLARE_METATYPE(briqo::DoubleDummyResult)

namespace {

// Lets every computation end and its finish be handed to the worker, so a result that is still
// on its way would show up.
void settle()
{
    DoubleDummyWorker::waitForIdle();
    QTest::qWait(20);
}

} // namespace

class TestDoubleDummyWorker : public QObject {
    Q_OBJECT

private slots:
    void theAnswerComesLaterOnTheAskingThread()
    {
        DoubleDummyWorker worker;
        QThread *answeredOn = nullptr;
        std::optional<DoubleDummyResult> answer;
        connect(&worker, &DoubleDummyWorker::finished, this, [&](const DoubleDummyResult &result) {
            answeredOn = QThread::currentThread();
            answer = result;
        });
        QVERIFY(worker.request(northSouthTakeAll(), 11, 2));
        QVERIFY(worker.isPending());
        QVERIFY(!answer);
        QTRY_VERIFY_WITH_TIMEOUT(answer.has_value(), 20000);
        QCOMPARE(answeredOn, QThread::currentThread());
        QCOMPARE(*answer, *solveDeal(northSouthTakeAll(), 11, 2));
        QVERIFY(!worker.isPending());
    }

    // The board moved on while an older deal was still being solved: only the newest answer may
    // reach it, once, whether the older request was replaced or cancelled first.
    void anOlderRequestIsNeverAnswered_data()
    {
        QTest::addColumn<bool>("cancelFirst");
        QTest::newRow("replaced") << false;
        QTest::newRow("cancelled, then replaced") << true;
    }
    void anOlderRequestIsNeverAnswered()
    {
        QFETCH(bool, cancelFirst);
        DoubleDummyWorker worker;
        QSignalSpy answers(&worker, &DoubleDummyWorker::finished);
        QVERIFY(worker.request(fourOneSuiters(), 11, 3));
        if (cancelFirst)
            worker.cancel();
        QVERIFY(worker.request(sacrificeInNoTrump(), 11, 1));
        QTRY_COMPARE_WITH_TIMEOUT(answers.count(), 1, 20000);
        settle();
        QCOMPARE(answers.count(), 1);
        QCOMPARE(answers.at(0).at(0).value<DoubleDummyResult>().parScore, 100);
    }

    void aCancelledRequestIsNeverAnswered()
    {
        DoubleDummyWorker worker;
        QSignalSpy answers(&worker, &DoubleDummyWorker::finished);
        QSignalSpy failures(&worker, &DoubleDummyWorker::failed);
        QVERIFY(worker.request(fourOneSuiters(), 11, 3));
        worker.cancel();
        QVERIFY(!worker.isPending());
        settle();
        QCOMPARE(answers.count(), 0);
        QCOMPARE(failures.count(), 0);

        // The worker is not stuck afterwards.
        QVERIFY(worker.request(northSouthTakeAll(), 11, 2));
        QTRY_COMPARE_WITH_TIMEOUT(answers.count(), 1, 20000);
    }

    void anIncompleteDealIsRefusedAndDropsTheEarlierRequest()
    {
        DoubleDummyWorker worker;
        QSignalSpy answers(&worker, &DoubleDummyWorker::finished);
        Holdings short51 = northSouthTakeAll();
        short51[FieldOf(West, Clubs)] = QStringLiteral("543");
        QVERIFY(worker.request(fourOneSuiters(), 11, 3));
        QVERIFY(!worker.request(short51, 11, 3));
        QVERIFY(!worker.isPending());
        settle();
        QCOMPARE(answers.count(), 0);
    }

    void theWorkerMayGoWhileItsDealIsSolved()
    {
        auto *worker = new DoubleDummyWorker;
        QVERIFY(worker->request(fourOneSuiters(), 11, 3));
        delete worker;
        settle();
    }
};

QTEST_GUILESS_MAIN(TestDoubleDummyWorker)
#include "test_double_dummy_worker.moc"
