#pragma once

#include "analysis/double_dummy.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QString>

#include <array>
#include <optional>

namespace briqo {

// Every table the solver has worked out, so that no deal is solved twice: teachers print the same
// handout many times, and the overview shows the par of every stored game each time it opens.
//
// Kept in memory for the run and in one small file in the user's cache folder, shared by every
// Briqo process (the window, briqo-cli). The file only ever saves time: deleting it, or finding it
// damaged or half written, costs a new solve and nothing else. A table is one line with its own
// check sum, appended under a lock on a second file; a line that does not check is passed over.
// When the file grows past its limit the newest half is kept, written beside it and renamed over
// it, so no reader ever sees a half-written file.
class DoubleDummyCache {
public:
    // A deal and its vulnerability without the letters of a language: which seat holds each of
    // the 52 cards, and the vulnerability digit. The text also names the table in the file.
    struct Key {
        QByteArray text;
        bool operator==(const Key &) const = default;
    };

    // None for a deal that is not 52 different cards, 13 in each hand, or a vulnerability outside
    // 0..3. The holdings are in the card letters of the language, tens as "T" or "10".
    static std::optional<Key> keyOf(const Holdings &deal, int languageNumber, int vulnerability);
    // seatOfCard[suit x 13 + rank]: suit in hand order (0 spades .. 3 clubs), rank 0 the two .. 12
    // the ace; the seat 0..3.
    static std::optional<Key> keyOf(const std::array<int, 52> &seatOfCard, int vulnerability);

    // The one cache of the process, in defaultFolder() until useFolder() names another.
    static DoubleDummyCache &shared();
    // BRIQO_CACHE_DIR when it is set (set but empty: memory only, as the tests run), otherwise the
    // application's cache folder (QStandardPaths::CacheLocation of "Briqo").
    static QString defaultFolder();

    // An empty folder keeps the tables in memory only.
    explicit DoubleDummyCache(const QString &folder);
    DoubleDummyCache(const DoubleDummyCache &) = delete;
    DoubleDummyCache &operator=(const DoubleDummyCache &) = delete;

    // Starts again in another folder (tests, benches): forgets what memory held.
    void useFolder(const QString &folder);
    QString folder() const;
    // The file the tables are kept in; empty when they are kept in memory only.
    QString filePath() const;

    // The table of a deal solved before, in this process or in another one since.
    std::optional<DoubleDummyResult> find(const Key &key);
    // Known in memory, without reading the file: quick enough for the UI thread at any time.
    std::optional<DoubleDummyResult> findInMemory(const Key &key) const;
    void insert(const Key &key, const DoubleDummyResult &result);

    // The file is kept to about this size: a few thousand tables.
    static constexpr qint64 MaxFileBytes = 2 * 1024 * 1024;

private:
    void readNewLines();
    void append(const QByteArray &line);
    void compact(int fileDescriptor);

    mutable QMutex m_mutex;
    QString m_folder;
    QHash<QByteArray, DoubleDummyResult> m_tables;
    // How far the file has been read, and which file that was (a compaction replaces it).
    quint64 m_readInode = 0;
    qint64 m_readOffset = 0;
};

// One table as a line of the cache file, and back; none for a line that is damaged, cut short or
// written by another version of the program. Used by the cache, and by its tests.
QByteArray cacheLine(const DoubleDummyCache::Key &key, const DoubleDummyResult &result);
std::optional<std::pair<DoubleDummyCache::Key, DoubleDummyResult>> parseCacheLine(QByteArrayView line);

} // namespace briqo
