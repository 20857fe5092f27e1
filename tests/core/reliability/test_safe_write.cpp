// The one way output files are written: whole or not at all, whatever the disk does.

#include "core/reliability/hostile_disk.h"
#include "platform/safe_write.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/wait.h>
#include <unistd.h>

using namespace briqo;
using namespace briqo::testing;
using test::FullDisk;

namespace { } // namespace

class TestSafeWrite : public QObject {
    Q_OBJECT

private slots:
    void aWriteReplacesTheFileWhole()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lesson.pbn"));
        QVERIFY(writeFileSafely(path, "first"));
        const WriteOutcome second = writeFileSafely(path, "second, longer");
        QVERIFY(second.ok && second.reason.isEmpty());
        QCOMPARE(contents(path), QByteArray("second, longer"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"lesson.pbn"});
    }

    // Qt 6.4 commits a file whose buffered write failed: the earlier file became a cut one.
    void aFullDiskLeavesTheEarlierFileAndGivesTheReason_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<qint64>("room");
        QTest::newRow("no byte fits") << int(FullDisk::FileSizeLimit) << qint64(0);
        QTest::newRow("room for a part") << int(FullDisk::FileSizeLimit) << qint64(1000);
        QTest::newRow("full file system") << int(FullDisk::SmallFileSystem) << qint64(0);
    }
    void aFullDiskLeavesTheEarlierFileAndGivesTheReason()
    {
        QFETCH(int, kind);
        QFETCH(qint64, room);
        QTemporaryDir dir;
        FullDisk disk(FullDisk::Kind(kind), dir.path(), room);
        if (!disk.ready())
            QSKIP("no right to mount a small file system here");
        const QString path = dir.filePath(QStringLiteral("board.png"));
        const QByteArray earlier = QByteArray("earlier picture ").repeated(100);
        QVERIFY(writeFileSafely(path, earlier));
        disk.fill();
        // Larger than Qt's write buffer, and than the room left.
        const WriteOutcome outcome = writeFileSafely(path, QByteArray(64 * 1024, 'n'));
        disk.drain();
        QVERIFY(!outcome);
        QVERIFY(!outcome.reason.isEmpty());
        QCOMPARE(contents(path), earlier);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {"board.png"});

        // A small file that fits Qt's buffer is pushed out before the commit too.
        disk.fill();
        const WriteOutcome small = writeFileSafely(path, QByteArray(room + 10, 's'));
        disk.drain();
        QVERIFY(!small);
        QCOMPARE(contents(path), earlier);
    }

    // A folder of pictures: all are written or, when one does not fit, none replaces its earlier
    // file and no temporary file is left.
    void manyFilesAreWrittenTogetherOrNotAtAll()
    {
        QTemporaryDir dir;
        FullDisk disk(FullDisk::SmallFileSystem, dir.path());
        if (!disk.ready())
            QSKIP("no right to mount a small file system here");
        QList<std::pair<QString, QByteArray>> files;
        for (const char *name : {"Spel 001.png", "Spel 002.png", "Spel 003.png"})
            files.append({dir.filePath(QString::fromLatin1(name)), QByteArray(name).repeated(50)});
        QVERIFY(writeFilesSafely(files));
        for (const auto &[path, bytes] : files)
            QCOMPARE(contents(path), bytes);

        QList<std::pair<QString, QByteArray>> larger = files;
        larger[0].second = "small";
        larger[2].second = QByteArray(2 * 1024 * 1024, 'x'); // more than the file system holds
        QString failed;
        const WriteOutcome outcome = writeFilesSafely(larger, &failed);
        QVERIFY(!outcome);
        QVERIFY(!outcome.reason.isEmpty());
        QCOMPARE(failed, larger[2].first);
        for (const auto &[path, bytes] : files)
            QCOMPARE(contents(path), bytes);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    // Files given as they are made, in any order: none replaces its target before the commit, and
    // a write dropped halfway leaves the earlier files and no temporary file.
    void filesGivenOutOfOrderReplaceTheirTargetsOnlyAtTheCommit()
    {
        QTemporaryDir dir;
        const QStringList targets {dir.filePath("Spel 001.png"), dir.filePath("Spel 002.png"), dir.filePath("Spel 003.png")};
        QVERIFY(writeFilesSafely({{targets[0], "old 1"}, {targets[1], "old 2"}, {targets[2], "old 3"}}));
        {
            FilesWrittenTogether dropped(targets);
            QVERIFY(dropped.write(2, "new 3"));
            QVERIFY(dropped.write(0, "new 1"));
        }
        QCOMPARE(contents(targets[0]), QByteArray("old 1"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);

        FilesWrittenTogether together(targets);
        QVERIFY(together.write(1, "new 2"));
        QVERIFY(together.write(2, "new 3"));
        QString failed;
        QVERIFY(!together.commit(&failed)); // the first file was never given
        QCOMPARE(failed, targets[0]);
        QCOMPARE(contents(targets[1]), QByteArray("old 2"));

        FilesWrittenTogether again(targets);
        for (qsizetype i : {2, 0, 1})
            QVERIFY(again.write(i, "new " + QByteArray::number(i + 1)));
        QVERIFY(again.commit());
        for (qsizetype i = 0; i < 3; ++i)
            QCOMPARE(contents(targets[i]), "new " + QByteArray::number(i + 1));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    // A write killed before its commit leaves its temporary file; the next commit in that folder
    // removes it once its process is gone, and leaves those of a process still running.
    void aKilledWritesLeftoversGoAtTheNextCommit()
    {
        QTemporaryDir dir;
        const pid_t gone = ::fork();
        if (gone == 0)
            ::_exit(0);
        ::waitpid(gone, nullptr, 0);
        const QString deadOne = dir.filePath(QStringLiteral("Spel 001.png.briqo-part-%1").arg(gone));
        const QString running = dir.filePath(QStringLiteral("Spel 002.png.briqo-part-%1-1").arg(::getpid()));
        for (const QString &path : {deadOne, running}) {
            QFile half(path);
            QVERIFY(half.open(QIODevice::WriteOnly) && half.write("half a picture") > 0);
        }
        QVERIFY(writeFilesSafely({{dir.filePath(QStringLiteral("Spel 003.png")), "picture"}}));
        QVERIFY(!QFile::exists(deadOne));
        QVERIFY(QFile::exists(running));
    }

    void aFolderThatIsNotThereGivesTheReason()
    {
        QTemporaryDir dir;
        const WriteOutcome outcome = writeFileSafely(dir.filePath(QStringLiteral("no/such/x.pdf")), "x");
        QVERIFY(!outcome);
        QVERIFY(!outcome.reason.isEmpty());
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("no"))));
    }
};

QTEST_GUILESS_MAIN(TestSafeWrite)
#include "test_safe_write.moc"
