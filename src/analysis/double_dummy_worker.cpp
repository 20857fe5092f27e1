#include "analysis/double_dummy_worker.h"

#include "analysis/double_dummy_cache.h"

#include "analysis/dds_library.h"

#include "deal/hand_rules.h"

#include <QCoreApplication>
#include <QFutureWatcher>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <mutex>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#include <unistd.h>
#endif

namespace briqo {

namespace {

// One thread of our own: the solver takes one table at a time anyway, and the thread runs at a
// lower priority that must not leak into the application's shared pool.
struct SolverPool : QThreadPool {
    SolverPool() { setMaxThreadCount(1); }
};
Q_GLOBAL_STATIC(SolverPool, solverPool)

// A table keeps every core busy with the solver's threads. At a lower priority they give way to
// the UI thread whenever it wakes, so the window keeps painting and answering; the threads the
// solver starts inherit the priority of the thread that starts them.
void lowerThisThreadsPriority()
{
#ifdef Q_OS_LINUX
    thread_local bool lowered = false;
    if (lowered)
        return;
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    lowered = true;
#endif
}

} // namespace

DoubleDummyWorker::DoubleDummyWorker(QObject *parent)
    : QObject(parent)
{
    // The cache is made before the pool and so outlives it at exit: the pool waits for a table
    // still being looked up or solved while the cache it uses is whole.
    DoubleDummyCache::shared();
    // The pool is made before any table opens the solver's library (the window may solve on its
    // own thread for a picture first): at exit the library's handler then runs before the pool
    // waits for its thread, and a table still being solved ends while the library is whole.
    solverPool();
    // Closed as the application object goes, before any of the program's own clean-up at exit:
    // a thread still opening the library or solving a table finishes first while everything it
    // uses is whole, and none starts after.
    static std::once_flag closedWithApplication;
    std::call_once(closedWithApplication, [] { qAddPostRoutine(closeDdsLibrary); });
}

// A computation holds its own copy of the deal, so it may outlive the worker; it finishes in the
// thread pool and nobody hears of it.
DoubleDummyWorker::~DoubleDummyWorker() = default;

bool DoubleDummyWorker::request(const Holdings &deal, int languageNumber, int vulnerability)
{
    cancel();
    if (vulnerability < 0 || vulnerability > 3 || !isValidCompleteDeal(deal, languageNumber))
        return false;
    m_waiting = true;
    const Request next {deal, languageNumber, vulnerability};
    if (m_computing)
        m_next = next;
    else
        start(next);
    return true;
}

bool DoubleDummyWorker::waitForIdle(int msecs) { return solverPool()->waitForDone(msecs); }

void DoubleDummyWorker::cancel()
{
    ++m_generation;
    m_next.reset();
    m_waiting = false;
}

// Each computation gets a watcher of its own that remembers the request it answers: a watcher
// reused for a newer future could still deliver the older one's finish and then wait on the UI
// thread for the newer result.
void DoubleDummyWorker::start(const Request &request)
{
    m_computing = true;
    auto *watcher = new QFutureWatcher<Answer>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation = m_generation] {
        watcher->deleteLater();
        m_computing = false;
        computationDone(generation, watcher->result());
    });
    watcher->setFuture(QtConcurrent::run(static_cast<QThreadPool *>(solverPool()), [request] {
        lowerThisThreadsPriority();
        // The first request opens the solver's library, here on the worker thread: opening it
        // starts its threads and tables, which the UI thread must not wait for.
        if (!doubleDummyAvailable())
            return Answer {std::nullopt, true};
        return Answer {solveDeal(request.deal, request.languageNumber, request.vulnerability), false};
    }));
}

void DoubleDummyWorker::computationDone(quint64 generation, const Answer &answer)
{
    if (generation == m_generation && m_waiting) {
        m_waiting = false;
        if (answer.result)
            emit finished(*answer.result);
        else if (answer.libraryMissing)
            emit unavailable();
        else
            emit failed();
        return;
    }
    if (m_next) {
        const Request next = *m_next;
        m_next.reset();
        start(next);
    }
}

} // namespace briqo
