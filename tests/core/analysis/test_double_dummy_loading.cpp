// The solver's library is opened when the first table is asked for, on the worker thread; a
// board without a complete deal never opens it. Runs in a process of its own, since a library
// once opened stays open.

#include "analysis/double_dummy_worker.h"

#include "known_deals.h"

#include <QSignalSpy>
#include <QTest>

#include <dlfcn.h>

using namespace briqo;
using namespace briqo::test;

Q_DECLARE_METATYPE(briqo::DoubleDummyResult)

namespace {

bool libraryIsOpen()
{
    void *handle = dlopen(BRIQO_DDS_SONAME, RTLD_NOW | RTLD_NOLOAD);
    if (handle)
        dlclose(handle);
    return handle != nullptr;
}

} // namespace

class TestDoubleDummyLoading : public QObject {
    Q_OBJECT

private slots:
    void theLibraryIsOpenedAtTheFirstCompleteDealOnly()
    {
        QVERIFY2(!libraryIsOpen(), "the program must not be linked with the solver's library");
        DoubleDummyWorker worker;
        QSignalSpy answers(&worker, &DoubleDummyWorker::finished);
        Holdings unfinished = northSouthTakeAll();
        unfinished[0].clear();
        QVERIFY(!worker.request(unfinished, 11, 0));
        QVERIFY(!solveDeal(unfinished, 11, 0));
        QVERIFY(!libraryIsOpen());

        QVERIFY(worker.request(northSouthTakeAll(), 11, 2));
        QTRY_COMPARE_WITH_TIMEOUT(answers.size(), 1, 20000);
        QVERIFY(libraryIsOpen());
        QVERIFY(doubleDummyAvailable());
        QCOMPARE(answers.first().first().value<DoubleDummyResult>().tricks[NoTrumpStrain][North], 13);
    }
};

QTEST_GUILESS_MAIN(TestDoubleDummyLoading)
#include "test_double_dummy_loading.moc"
