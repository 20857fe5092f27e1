#include "analysis/double_dummy_cache.h"

#include "deal/hand_rules.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QIODevice>
#include <QMutexLocker>
#include <QSaveFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace briqo {

namespace {

const QString FileName = QStringLiteral("double-dummy-tables");
const QString LockName = QStringLiteral("double-dummy-tables.lock");
// The first word of every line: a line of another layout is passed over, never misread.
constexpr QByteArrayView LineVersion = "dd1";
constexpr int KeyLength = 27; // 26 hex digits for the 52 cards, 2 bits each, and the vulnerability

// FNV-1a: quick, and enough to tell a line that was cut short or run into another one.
quint64 checksum(QByteArrayView bytes)
{
    quint64 h = 14695981039346656037ull;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    return h;
}

QByteArray payloadOf(const DoubleDummyResult &result)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_4);
    for (const auto &strain : result.tricks)
        for (const int tricks : strain)
            out << static_cast<quint8>(tricks);
    out << static_cast<qint32>(result.parScore) << result.parDependsOnWhoBidsFirst;
    out << static_cast<quint8>(result.parContracts.size());
    for (const ParContract &c : result.parContracts) {
        out << static_cast<quint8>(c.level) << static_cast<quint8>(c.strain) << static_cast<quint8>(c.declarers.size());
        for (const int seat : c.declarers)
            out << static_cast<quint8>(seat);
        out << c.doubled << static_cast<quint8>(c.overtricks) << static_cast<quint8>(c.undertricks)
            << static_cast<qint32>(c.score);
    }
    // The solver's own texts are plain ASCII.
    for (const QStringList *texts : {&result.parLines, &result.parContractTexts}) {
        out << static_cast<quint8>(texts->size());
        for (const QString &text : *texts)
            out << text.toLatin1();
    }
    return bytes;
}

std::optional<DoubleDummyResult> resultOf(const QByteArray &bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_4);
    DoubleDummyResult result;
    for (auto &strain : result.tricks) {
        for (int &tricks : strain) {
            quint8 t = 0;
            in >> t;
            if (t > 13)
                return std::nullopt;
            tricks = t;
        }
    }
    qint32 parScore = 0;
    quint8 contracts = 0;
    in >> parScore >> result.parDependsOnWhoBidsFirst >> contracts;
    result.parScore = parScore;
    for (int i = 0; i < contracts && in.status() == QDataStream::Ok; ++i) {
        ParContract c;
        quint8 level = 0, strain = 0, seats = 0, over = 0, under = 0;
        qint32 score = 0;
        in >> level >> strain >> seats;
        if (level < 1 || level > 7 || strain >= StrainCount || seats < 1 || seats > 2)
            return std::nullopt;
        for (int s = 0; s < seats; ++s) {
            quint8 seat = 0;
            in >> seat;
            if (seat > 3)
                return std::nullopt;
            c.declarers << seat;
        }
        in >> c.doubled >> over >> under >> score;
        if (over > 13 || under > 13)
            return std::nullopt;
        c.level = level;
        c.strain = strain;
        c.overtricks = over;
        c.undertricks = under;
        c.score = score;
        result.parContracts << c;
    }
    for (QStringList *texts : {&result.parLines, &result.parContractTexts}) {
        quint8 count = 0;
        in >> count;
        for (int i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
            QByteArray text;
            in >> text;
            *texts << QString::fromLatin1(text);
        }
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return std::nullopt;
    return result;
}

bool isKey(QByteArrayView text)
{
    if (text.size() != KeyLength || text.back() < '0' || text.back() > '3')
        return false;
    for (const char c : text.first(KeyLength - 1))
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f')))
            return false;
    // 13 cards in each hand: a line damaged in a way that still checks cannot pass a wrong deal.
    std::array<int, 4> counts {};
    for (const char c : text.first(KeyLength - 1)) {
        const int nibble = c <= '9' ? c - '0' : c - 'a' + 10;
        ++counts[nibble >> 2];
        ++counts[nibble & 3];
    }
    return counts == std::array<int, 4> {13, 13, 13, 13};
}

// Reads and writes the whole of a file descriptor, through interruptions.
bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Held while a line is appended or the file is rewritten, by every process: a second file, so
// that the lock survives the file being replaced.
class FolderLock {
public:
    explicit FolderLock(const QString &path)
        : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
    {
        if (m_fd >= 0)
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) { }
    }
    ~FolderLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // also lets go of the lock
    }
    FolderLock(const FolderLock &) = delete;
    FolderLock &operator=(const FolderLock &) = delete;
    bool held() const { return m_fd >= 0; }

private:
    int m_fd;
};

} // namespace

QByteArray cacheLine(const DoubleDummyCache::Key &key, const DoubleDummyResult &result)
{
    QByteArray line = LineVersion.toByteArray() + ' ' + key.text + ' ' + payloadOf(result).toBase64();
    return line + ' ' + QByteArray::number(checksum(line), 16) + '\n';
}

std::optional<std::pair<DoubleDummyCache::Key, DoubleDummyResult>> parseCacheLine(QByteArrayView line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    const qsizetype lastBlank = line.lastIndexOf(' ');
    if (lastBlank < 0)
        return std::nullopt;
    const QByteArrayView body = line.first(lastBlank);
    bool ok = false;
    const quint64 sum = line.sliced(lastBlank + 1).toULongLong(&ok, 16);
    if (!ok || sum != checksum(body))
        return std::nullopt;
    const QList<QByteArray> words = body.toByteArray().split(' ');
    if (words.size() != 3 || words[0] != LineVersion || !isKey(words[1]))
        return std::nullopt;
    const auto decoded = QByteArray::fromBase64Encoding(words[2], QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return std::nullopt;
    std::optional<DoubleDummyResult> result = resultOf(*decoded);
    if (!result)
        return std::nullopt;
    return std::pair {DoubleDummyCache::Key {words[1]}, *result};
}

std::optional<DoubleDummyCache::Key> DoubleDummyCache::keyOf(const std::array<int, 52> &seatOfCard, int vulnerability)
{
    if (vulnerability < 0 || vulnerability > 3)
        return std::nullopt;
    std::array<int, 4> counts {};
    QByteArray text(KeyLength, '0');
    for (int card = 0; card < 52; ++card) {
        const int seat = seatOfCard[card];
        if (seat < 0 || seat > 3)
            return std::nullopt;
        ++counts[seat];
    }
    if (counts != std::array<int, 4> {13, 13, 13, 13})
        return std::nullopt;
    static const char digits[] = "0123456789abcdef";
    for (int i = 0; i < 26; ++i)
        text[i] = digits[seatOfCard[2 * i] << 2 | seatOfCard[2 * i + 1]];
    text[26] = static_cast<char>('0' + vulnerability);
    return Key {text};
}

std::optional<DoubleDummyCache::Key> DoubleDummyCache::keyOf(
    const Holdings &deal, int languageNumber, int vulnerability)
{
    if (!isValidCompleteDeal(deal, languageNumber))
        return std::nullopt;
    // The alphabet lists the ranks from the two up to the nine, then ace, king, queen, jack, ten.
    const QString alphabet = RankAlphabet(languageNumber);
    std::array<int, 52> seatOfCard;
    seatOfCard.fill(-1);
    for (int seat = 0; seat < 4; ++seat) {
        for (int suit = 0; suit < 4; ++suit) {
            for (const QChar c : tensAsT(deal[FieldOf(seat, suit)])) {
                const int p = static_cast<int>(alphabet.indexOf(c));
                if (p < 0)
                    return std::nullopt;
                const int rank = p < 8 ? p : 20 - p; // 0 the two .. 12 the ace
                seatOfCard[suit * 13 + rank] = seat;
            }
        }
    }
    return keyOf(seatOfCard, vulnerability);
}

DoubleDummyCache &DoubleDummyCache::shared()
{
    static DoubleDummyCache cache(defaultFolder());
    return cache;
}

QString DoubleDummyCache::defaultFolder()
{
    if (qEnvironmentVariableIsSet("BRIQO_CACHE_DIR"))
        return qEnvironmentVariable("BRIQO_CACHE_DIR");
    // The application's cache folder, whatever name the program that asks was given.
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/Briqo");
}

DoubleDummyCache::DoubleDummyCache(const QString &folder)
    : m_folder(folder)
{ }

void DoubleDummyCache::useFolder(const QString &folder)
{
    const QMutexLocker lock(&m_mutex);
    m_folder = folder;
    m_tables.clear();
    m_readInode = 0;
    m_readOffset = 0;
}

QString DoubleDummyCache::folder() const
{
    const QMutexLocker lock(&m_mutex);
    return m_folder;
}

QString DoubleDummyCache::filePath() const
{
    const QMutexLocker lock(&m_mutex);
    return m_folder.isEmpty() ? QString() : m_folder + QLatin1Char('/') + FileName;
}

std::optional<DoubleDummyResult> DoubleDummyCache::findInMemory(const Key &key) const
{
    const QMutexLocker lock(&m_mutex);
    const auto it = m_tables.constFind(key.text);
    if (it == m_tables.cend())
        return std::nullopt;
    return *it;
}

std::optional<DoubleDummyResult> DoubleDummyCache::find(const Key &key)
{
    const QMutexLocker lock(&m_mutex);
    auto it = m_tables.constFind(key.text);
    if (it == m_tables.cend()) {
        // Another process may have solved it since the file was last read.
        readNewLines();
        it = m_tables.constFind(key.text);
        if (it == m_tables.cend())
            return std::nullopt;
    }
    return *it;
}

void DoubleDummyCache::insert(const Key &key, const DoubleDummyResult &result)
{
    const QMutexLocker lock(&m_mutex);
    const auto it = m_tables.constFind(key.text);
    if (it != m_tables.cend() && *it == result)
        return;
    m_tables.insert(key.text, result);
    if (!m_folder.isEmpty())
        append(cacheLine(key, result));
}

// Only whole lines are taken: a line still being written by another process is read next time.
void DoubleDummyCache::readNewLines()
{
    if (m_folder.isEmpty())
        return;
    const QByteArray path = QFile::encodeName(m_folder + QLatin1Char('/') + FileName);
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat info { };
    if (::fstat(fd, &info) == 0) {
        // A rewritten file starts again from its beginning.
        if (static_cast<quint64>(info.st_ino) != m_readInode || info.st_size < m_readOffset) {
            m_readInode = static_cast<quint64>(info.st_ino);
            m_readOffset = 0;
        }
        const qint64 size = std::min<qint64>(info.st_size, 4 * MaxFileBytes) - m_readOffset;
        if (size > 0) {
            QByteArray bytes(size, Qt::Uninitialized);
            const ssize_t got = ::pread(fd, bytes.data(), static_cast<size_t>(size), m_readOffset);
            bytes.truncate(got > 0 ? got : 0);
            const qsizetype end = bytes.lastIndexOf('\n') + 1;
            for (qsizetype start = 0; start < end;) {
                const qsizetype stop = bytes.indexOf('\n', start) + 1;
                if (const auto entry = parseCacheLine(QByteArrayView(bytes).sliced(start, stop - start)))
                    m_tables.insert(entry->first.text, entry->second);
                start = stop;
            }
            m_readOffset += end;
        }
    }
    ::close(fd);
}

// Appended with one write under the lock, after a line break when the last writer was stopped in
// the middle of its line. Failures are let go: the table is still known in memory.
void DoubleDummyCache::append(const QByteArray &line)
{
    if (!QDir().mkpath(m_folder))
        return;
    const FolderLock lock(m_folder + QLatin1Char('/') + LockName);
    if (!lock.held())
        return;
    const QByteArray path = QFile::encodeName(m_folder + QLatin1Char('/') + FileName);
    const int fd = ::open(path.constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    struct stat info { };
    if (::fstat(fd, &info) == 0) {
        char last = '\n';
        if (info.st_size > 0 && ::pread(fd, &last, 1, info.st_size - 1) != 1)
            last = '\n';
        const bool written = writeAll(fd, last == '\n' ? line : '\n' + line);
        if (written && info.st_size + line.size() > MaxFileBytes)
            compact(fd);
    }
    ::close(fd);
}

// The newest tables, up to half the limit, written beside the file and renamed over it. Called
// under the lock, with the file open.
void DoubleDummyCache::compact(int fd)
{
    struct stat info { };
    if (::fstat(fd, &info) != 0)
        return;
    QByteArray bytes(static_cast<qsizetype>(info.st_size), Qt::Uninitialized);
    const ssize_t got = ::pread(fd, bytes.data(), static_cast<size_t>(bytes.size()), 0);
    bytes.truncate(got > 0 ? got : 0);
    QList<QByteArrayView> lines;
    for (qsizetype start = 0; start < bytes.size();) {
        qsizetype stop = bytes.indexOf('\n', start);
        stop = stop < 0 ? bytes.size() : stop + 1;
        lines << QByteArrayView(bytes).sliced(start, stop - start);
        start = stop;
    }
    QList<QByteArray> kept;
    QSet<QByteArray> seen;
    qint64 keptBytes = 0;
    for (qsizetype i = lines.size() - 1; i >= 0 && keptBytes < MaxFileBytes / 2; --i) {
        const auto entry = parseCacheLine(lines[i]);
        if (!entry || seen.contains(entry->first.text))
            continue;
        seen.insert(entry->first.text);
        kept << cacheLine(entry->first, entry->second);
        keptBytes += kept.back().size();
    }
    QSaveFile file(m_folder + QLatin1Char('/') + FileName);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return;
    for (qsizetype i = kept.size() - 1; i >= 0; --i)
        file.write(kept[i]);
    file.commit();
}

} // namespace briqo
