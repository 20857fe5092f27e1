#include "platform/child_processes.h"

#include <QThreadPool>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace briqo {

namespace {

// All size bytes read or written, through interruptions and short transfers; false at the end
// of the pipe or on an error.
template<typename Transfer, typename Bytes>
bool transferAll(Transfer transfer, int fd, Bytes *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = transfer(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= size_t(n);
    }
    return true;
}

bool writeAll(int fd, const char *data, size_t size) { return transferAll(::write, fd, data, size); }

bool readAll(int fd, char *data, size_t size) { return transferAll(::read, fd, data, size); }

// A piece on the pipe: its number and its length (8 bytes each), then its bytes.
bool sendPiece(int fd, qsizetype index, const QByteArray &bytes)
{
    const std::int64_t header[2] = {std::int64_t(index), std::int64_t(bytes.size())};
    return writeAll(fd, reinterpret_cast<const char *>(header), sizeof header)
        && writeAll(fd, bytes.constData(), size_t(bytes.size()));
}

bool receivePiece(int fd, qsizetype index, QByteArray &bytes)
{
    std::int64_t header[2] = {};
    if (!readAll(fd, reinterpret_cast<char *>(header), sizeof header) || header[0] != index || header[1] < 0
        || header[1] > (std::int64_t(1) << 31))
        return false;
    bytes.resize(qsizetype(header[1]));
    return readAll(fd, bytes.data(), size_t(header[1]));
}

struct Child {
    pid_t pid = -1;
    int fd = -1; // the reading end; -1 once the copy is given up
};

} // namespace

QList<QByteArray> makeInChildProcesses(qsizetype count, int processes, const std::function<QByteArray(qsizetype)> &make)
{
    QList<QByteArray> pieces(count);
    if (processes < 2 || count < 2) {
        for (qsizetype i = 0; i < count; ++i)
            pieces[i] = make(i);
        return pieces;
    }
    // A copy whose reader has gone must end on its next write, not the whole program.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previous {};
    ::sigaction(SIGPIPE, &ignore, &previous);

    // Qt keeps a pool of threads for its own work (converting large images, for one); a copy
    // would wait for ever on threads it does not have. Emptied here, the pool starts new threads in
    // each process as they are needed.
    QThreadPool::globalInstance()->waitForDone();
    std::vector<Child> children(static_cast<size_t>(processes));
    for (int k = 1; k < processes; ++k) {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            continue;
        const pid_t pid = ::fork();
        if (pid == 0) {
            // The copy: its own pieces, in order, then gone without running anything of the
            // program's end (no flushing of buffers that are the parent's, no destructors).
            ::close(ends[0]);
            for (int j = 1; j < processes; ++j) {
                if (children[size_t(j)].fd >= 0)
                    ::close(children[size_t(j)].fd);
            }
            for (qsizetype i = k; i < count; i += processes) {
                if (!sendPiece(ends[1], i, make(i)))
                    ::_exit(1);
            }
            ::_exit(0);
        }
        ::close(ends[1]);
        if (pid < 0) {
            ::close(ends[0]);
            continue;
        }
        children[size_t(k)] = {pid, ends[0]};
    }

    for (qsizetype i = 0; i < count; ++i) {
        Child &child = children[size_t(i % processes)];
        if (child.fd >= 0 && receivePiece(child.fd, i, pieces[i]))
            continue;
        if (child.fd >= 0) {
            ::close(child.fd);
            child.fd = -1;
        }
        pieces[i] = make(i);
    }
    for (Child &child : children) {
        if (child.fd >= 0)
            ::close(child.fd);
        if (child.pid > 0) {
            while (::waitpid(child.pid, nullptr, 0) < 0 && errno == EINTR) { }
        }
    }
    ::sigaction(SIGPIPE, &previous, nullptr);
    return pieces;
}

} // namespace briqo
