// A machine without the solver's library: the program still runs, no table is given, and the user
// is told in both languages what to install. The test points the program at a file that is not
// there (BRIQO_DDS_LIBRARY, set by the test's command).

#include "analysis/double_dummy_worker.h"

#include "known_deals.h"
#include "base/string_table.h"

#include <QSignalSpy>
#include <QTest>

using namespace briqo;
using namespace briqo::test;

class TestDoubleDummyMissing : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(qEnvironmentVariableIsSet("BRIQO_DDS_LIBRARY")); }

    void noTableIsGivenAndTheWorkerSaysWhy()
    {
        DoubleDummyWorker worker;
        QSignalSpy answers(&worker, &DoubleDummyWorker::finished);
        QSignalSpy faults(&worker, &DoubleDummyWorker::failed);
        QSignalSpy missing(&worker, &DoubleDummyWorker::unavailable);
        QVERIFY(worker.request(northSouthTakeAll(), 11, 2));
        QTRY_COMPARE_WITH_TIMEOUT(missing.size(), 1, 20000);
        QCOMPARE(answers.size(), 0);
        QCOMPARE(faults.size(), 0);
        QVERIFY(!worker.isPending());
        // Asked again, it answers the same way without trying to open the file each time.
        QVERIFY(worker.request(northSouthTakeAll(), 11, 0));
        QTRY_COMPARE_WITH_TIMEOUT(missing.size(), 2, 20000);
        QVERIFY(!solveDeal(northSouthTakeAll(), 11, 2));
        QVERIFY(!doubleDummyAvailable());
    }

    void theMessageNamesThePackageAndTheReasonInBothLanguages()
    {
        const QString dutch = doubleDummyUnavailableText(LanguageDutch);
        const QString english = doubleDummyUnavailableText(LanguageEnglish);
        QVERIFY(dutch != english);
        for (const QString &text : {dutch, english}) {
            QVERIFY2(text.contains(QLatin1String("libdds0")), qPrintable(text));
            QVERIFY2(text.contains(QLatin1String("no-such-libdds.so")), qPrintable(text)); // the loader's reason
        }
        QVERIFY(dutch.contains(QLatin1String("dubbeldummy")));
        QVERIFY(english.contains(QLatin1String("double-dummy")));
    }
};

QTEST_GUILESS_MAIN(TestDoubleDummyMissing)
#include "test_double_dummy_missing.moc"
