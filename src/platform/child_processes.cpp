#include "platform/child_processes.h"

#include <QThreadPool>

#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace briqo {

namespace {

// The pipe a copy writes into is made large enough for many pieces, so that a copy goes on making
// while this process is busy with a piece of its own rather than waiting for it to read.
constexpr int PipeBytes = 1 << 20;

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

// The next piece from a copy, whose number must be one not yet here; -1 at the end of the pipe or
// on anything else.
qsizetype receivePiece(int fd, const std::vector<bool> &here, QByteArray &bytes)
{
    std::int64_t header[2] = {};
    if (!readAll(fd, reinterpret_cast<char *>(header), sizeof header) || header[0] < 0
        || header[0] >= std::int64_t(here.size()) || here[size_t(header[0])] || header[1] < 0
        || header[1] > (std::int64_t(1) << 31))
        return -1;
    bytes.resize(qsizetype(header[1]));
    return readAll(fd, bytes.data(), size_t(header[1])) ? qsizetype(header[0]) : -1;
}

using Counter = std::atomic<std::int64_t>;
static_assert(Counter::is_always_lock_free, "the piece counter is shared between processes");

using Clock = std::chrono::steady_clock;

struct Child {
    pid_t pid = -1;
    int fd = -1; // the reading end; -1 once the copy has finished or is given up
    Clock::time_point heard = Clock::now(); // the copy's last piece, or its start
};

// The pieces of one call: which are here, the copies making them, and where to hand them.
class Sharing {
public:
    Sharing(qsizetype count, const std::function<bool(qsizetype, QByteArray)> &deliver,
        std::chrono::milliseconds silenceLimit)
        : m_here(size_t(count))
        , m_deliver(deliver)
        , m_silenceLimit(silenceLimit)
    { }

    // One piece, made here or received; false when deliver says stop.
    bool hand(qsizetype index, QByteArray bytes)
    {
        m_here[size_t(index)] = true;
        return m_deliver(index, std::move(bytes));
    }

    void start(int copies, Counter *next, qsizetype count, const std::function<QByteArray(qsizetype)> &make)
    {
        for (int k = 0; k < copies; ++k) {
            int ends[2];
            if (::pipe2(ends, O_CLOEXEC) != 0)
                continue;
            ::fcntl(ends[1], F_SETPIPE_SZ, PipeBytes); // a smaller pipe is slower, not wrong
            const pid_t parent = ::getpid();
            const pid_t pid = ::fork();
            if (pid == 0) {
                // The copy: pieces until none is left, then gone without running anything of the
                // program's end (no flushing of buffers that are the parent's, no destructors).
                // It goes with the parent when that is killed.
                ::prctl(PR_SET_PDEATHSIG, SIGKILL);
                if (::getppid() != parent)
                    ::_exit(1);
                ::close(ends[0]);
                for (const Child &other : m_children)
                    ::close(other.fd);
                for (std::int64_t i = next->fetch_add(1); i < count; i = next->fetch_add(1)) {
                    if (!sendPiece(ends[1], qsizetype(i), make(qsizetype(i))))
                        ::_exit(1);
                }
                ::_exit(0);
            }
            ::close(ends[1]);
            if (pid < 0) {
                ::close(ends[0]);
                continue;
            }
            m_children.push_back({pid, ends[0]});
        }
    }

    bool anyCopyAtWork() const
    {
        for (const Child &child : m_children) {
            if (child.fd >= 0)
                return true;
        }
        return false;
    }

    // Takes in what the copies have sent, waiting up to the silence limit for something to come if
    // `wait` is set. False when deliver says stop. A copy silent for longer than the limit is ended.
    bool receive(bool wait)
    {
        std::vector<pollfd> waiting;
        std::vector<Child *> from;
        for (Child &child : m_children) {
            if (child.fd >= 0) {
                waiting.push_back({child.fd, POLLIN, 0});
                from.push_back(&child);
            }
        }
        if (waiting.empty())
            return true;
        const int ready = ::poll(waiting.data(), waiting.size(), wait ? int(m_silenceLimit.count()) : 0);
        if (ready < 0)
            return true; // interrupted: asked again by the caller
        const Clock::time_point now = Clock::now();
        for (size_t k = 0; k < waiting.size(); ++k) {
            Child &child = *from[k];
            if (waiting[k].revents == 0) {
                if (now - child.heard >= m_silenceLimit)
                    giveUp(child);
                continue;
            }
            QByteArray bytes;
            const qsizetype index = receivePiece(child.fd, m_here, bytes);
            // The end of a copy's pipe (finished, or ended early), or something that is no piece.
            if (index < 0) {
                giveUp(child);
                continue;
            }
            child.heard = now;
            if (!hand(index, std::move(bytes)))
                return false;
        }
        return true;
    }

    // Pieces a copy took and never sent are made here.
    bool makeWhatIsMissing(const std::function<QByteArray(qsizetype)> &make)
    {
        for (size_t i = 0; i < m_here.size(); ++i) {
            if (!m_here[i] && !hand(qsizetype(i), make(qsizetype(i))))
                return false;
        }
        return true;
    }

    ~Sharing()
    {
        for (Child &child : m_children)
            giveUp(child);
        for (const Child &child : m_children) {
            while (::waitpid(child.pid, nullptr, 0) < 0 && errno == EINTR) { }
        }
    }

private:
    // Ends a copy (one that has finished is only waited for): what it has not sent is no longer
    // wanted from it.
    static void giveUp(Child &child)
    {
        if (child.fd < 0)
            return;
        ::close(child.fd);
        child.fd = -1;
        ::kill(child.pid, SIGKILL);
    }

    std::vector<bool> m_here;
    std::vector<Child> m_children;
    const std::function<bool(qsizetype, QByteArray)> &m_deliver;
    const std::chrono::milliseconds m_silenceLimit;
};

} // namespace

bool makeInChildProcesses(qsizetype count, int processes, const std::function<QByteArray(qsizetype)> &make,
    const std::function<bool(qsizetype, QByteArray)> &deliver, std::chrono::milliseconds silenceLimit)
{
    // The number of the next piece nobody has taken, in memory every copy shares.
    void *shared = processes > 1 && count > 1
        ? ::mmap(nullptr, sizeof(Counter), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0)
        : MAP_FAILED;
    if (shared == MAP_FAILED) {
        for (qsizetype i = 0; i < count; ++i) {
            if (!deliver(i, make(i)))
                return false;
        }
        return true;
    }
    Counter *next = new (shared) Counter(0);

    // A copy whose reader has gone must end on its next write, not the whole program.
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previous {};
    ::sigaction(SIGPIPE, &ignore, &previous);

    // Qt keeps a pool of threads for its own work (converting large images, for one); a copy
    // would wait for ever on threads it does not have. Emptied here, the pool starts new threads in
    // each process as they are needed.
    QThreadPool::globalInstance()->waitForDone();
    bool finished = false;
    {
        Sharing sharing(count, deliver, silenceLimit);
        sharing.start(processes - 1, next, count, make);
        finished = [&] {
            for (std::int64_t i = next->fetch_add(1); i < count; i = next->fetch_add(1)) {
                if (!sharing.receive(false) || !sharing.hand(qsizetype(i), make(qsizetype(i))))
                    return false;
            }
            while (sharing.anyCopyAtWork()) {
                if (!sharing.receive(true))
                    return false;
            }
            return sharing.makeWhatIsMissing(make);
        }();
    }
    ::munmap(shared, sizeof(Counter));
    ::sigaction(SIGPIPE, &previous, nullptr);
    return finished;
}

} // namespace briqo
