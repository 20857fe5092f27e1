#pragma once

#include "analysis/double_dummy.h"

#include <QObject>

#include <optional>

namespace briqo {

// Solves deals away from the UI thread. Only the newest request is ever answered: a request
// supersedes any earlier one, and cancel() drops them all. The solver cannot be stopped in the
// middle of a table, so a superseded computation runs to its end and its result is thrown away;
// requests made meanwhile are not queued up, only the newest waits for its turn.
class DoubleDummyWorker : public QObject {
    Q_OBJECT

public:
    explicit DoubleDummyWorker(QObject *parent = nullptr);
    ~DoubleDummyWorker() override;

    // False, and nothing starts, for a deal that is not complete (see solveDeal); any earlier
    // request is dropped all the same, since the board no longer shows its deal.
    bool request(const Holdings &deal, int languageNumber, int vulnerability);
    void cancel();
    // A request is waiting for its answer.
    bool isPending() const { return m_waiting; }
    // Waits until no deal is being solved, by any worker (at shutdown, or in a test); false when
    // msecs ran out first.
    static bool waitForIdle(int msecs = -1);

signals:
    // Emitted on the thread that owns the worker, for the newest request only.
    void finished(const briqo::DoubleDummyResult &result);
    // The solver refused the newest request (it reported a fault).
    void failed();
    // The solver's library could not be opened (doubleDummyUnavailableText says why); no request
    // will ever be answered in this run.
    void unavailable();

private:
    struct Request {
        Holdings deal;
        int languageNumber = 0;
        int vulnerability = 0;
    };

    void start(const Request &request);
    struct Answer {
        std::optional<DoubleDummyResult> result;
        bool libraryMissing = false;
    };
    void computationDone(quint64 generation, const Answer &answer);

    std::optional<Request> m_next; // waits while an older computation runs
    quint64 m_generation = 0; // of the newest request
    bool m_computing = false;
    bool m_waiting = false;
};

} // namespace briqo
