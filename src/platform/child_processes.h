#pragma once

#include <QByteArray>

#include <chrono>
#include <functional>

namespace briqo {

// Makes count pieces of bytes, make(0) to make(count - 1), shared among `processes` processes:
// this one and copies of it started for the purpose (fork). Whichever process is free takes the
// next piece nobody has taken yet, so a copy slowed down by the rest of the machine leaves more to
// the others and all finish at about the same moment.
//
// Each piece is handed to deliver, in this process, as soon as it is here: not necessarily in
// order. deliver returns false to stop: the copies are ended and nothing more is delivered. A copy
// that cannot be started, ends early or says nothing for longer than silenceLimit is ended and
// leaves its pieces to this process, so every piece is delivered exactly once. Returns false when
// deliver stopped it.
//
// For work that cannot be spread over threads (anything drawing widgets). A copy has only the
// thread that called this: make must not wait for other threads of the program, nor talk to the
// display (the caller runs it only on a platform without one).
bool makeInChildProcesses(qsizetype count, int processes, const std::function<QByteArray(qsizetype)> &make,
    const std::function<bool(qsizetype, QByteArray)> &deliver,
    std::chrono::milliseconds silenceLimit = std::chrono::minutes(1));

} // namespace briqo
