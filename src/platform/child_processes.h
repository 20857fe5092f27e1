#pragma once

#include <QByteArray>
#include <QList>

#include <functional>

namespace briqo {

// Makes count pieces of bytes, make(0) to make(count - 1), shared among `processes` processes:
// this one and copies of it started for the purpose (fork), each making every processes-th piece.
// The copies hand their pieces back through pipes in order, so no more than a few are in flight
// however many there are. A copy that cannot be started or that ends early leaves its pieces to
// this process, so every piece is made once and the result is the same as making them all here.
//
// For work that cannot be spread over threads (anything drawing widgets). A copy has only the
// thread that called this: make must not wait for other threads of the program, nor talk to the
// display (the caller runs it only on a platform without one).
QList<QByteArray> makeInChildProcesses(qsizetype count, int processes, const std::function<QByteArray(qsizetype)> &make);

} // namespace briqo
