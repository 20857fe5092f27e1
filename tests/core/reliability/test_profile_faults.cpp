// taal.ini under a full disk, and as editors leave it: the settings in it are never lost, and a
// write that cannot be done says so.

#include "base/profile.h"
#include "core/reliability/hostile_disk.h"
#include "support/test_files.h"

#include <QTemporaryDir>
#include <QTest>

using namespace briqo;
using namespace briqo::testing;
using test::FullDisk;

namespace {

const QByteArray kSettings = "; ingesteld door de school\r\n[Taal]\r\nnummer=11\r\n[Sorteer Spellen]\r\nHoe=1\r\n"
                             "[Update]\r\nWebsite=https://school.example/bridge\r\n";

QString hoe(const QString &ini) { return ReadIni(QStringLiteral("Sorteer Spellen"), QStringLiteral("Hoe"), ini); }

} // namespace

class TestProfileFaults : public QObject {
    Q_OBJECT

private slots:
    // Start-up writes the list order: on a full disk that used to leave an empty or cut-off file
    // while the write said it had succeeded, so the next start had lost the language.
    void fullDiskLeavesTaalIniWholeAndTheWriteSaysItFailed_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<qint64>("room");
        QTest::newRow("no byte fits") << int(FullDisk::FileSizeLimit) << qint64(0);
        QTest::newRow("room for half the file") << int(FullDisk::FileSizeLimit) << qint64(40);
        QTest::newRow("full file system") << int(FullDisk::SmallFileSystem) << qint64(0);
    }
    void fullDiskLeavesTaalIniWholeAndTheWriteSaysItFailed()
    {
        QFETCH(int, kind);
        QFETCH(qint64, room);
        QTemporaryDir dir;
        FullDisk disk(FullDisk::Kind(kind), dir.path(), room);
        if (!disk.ready())
            QSKIP("this machine cannot mount a small file system");
        const QString ini = dir.filePath(QStringLiteral("taal.ini"));
        put(ini, kSettings);

        disk.fill();
        const bool written
            = WriteIni(QStringLiteral("Sorteer Spellen"), QStringLiteral("Hoe"), QStringLiteral("0"), ini);
        disk.drain();
        QVERIFY(!written);
        QCOMPARE(contents(ini), kSettings);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList {QStringLiteral("taal.ini")});
    }

    // A taal.ini that is there but cannot be read would otherwise be replaced by a single entry.
    void aTaalIniThatCannotBeReadIsNeverReplaced()
    {
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("taal.ini"));
        QVERIFY(QDir().mkpath(ini)); // a folder in its place
        QVERIFY(!WriteIni(QStringLiteral("Taal"), QStringLiteral("nummer"), QStringLiteral("11"), ini));
        QVERIFY(QFileInfo(ini).isDir());

        // Far larger than any settings file: read as empty, and left alone.
        QVERIFY(QDir(ini).removeRecursively());
        QFile big(ini);
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(20 * 1024 * 1024));
        big.close();
        QCOMPARE(hoe(ini), QString());
        QVERIFY(!WriteIni(QStringLiteral("Sorteer Spellen"), QStringLiteral("Hoe"), QStringLiteral("0"), ini));
        QCOMPARE(QFileInfo(ini).size(), 20 * 1024 * 1024);
    }

    // Notepad saves with a byte-order mark, as UTF-8 or as "Unicode" (UTF-16): the settings read
    // through the mark, and a write keeps the file in the form the editor gave it.
    void aByteOrderMarkIsReadThroughAndKept_data()
    {
        QTest::addColumn<QByteArray>("mark");
        QTest::addColumn<bool>("utf16");
        QTest::newRow("UTF-8") << QByteArray("\xEF\xBB\xBF") << false;
        QTest::newRow("UTF-16") << QByteArray("\xFF\xFE") << true;
    }
    void aByteOrderMarkIsReadThroughAndKept()
    {
        QFETCH(QByteArray, mark);
        QFETCH(bool, utf16);
        const auto encoded = [utf16](const char *text) {
            const QString s = QString::fromLatin1(text);
            return utf16 ? QByteArray(reinterpret_cast<const char *>(s.utf16()), s.size() * 2) : s.toLatin1();
        };
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("taal.ini"));
        put(ini, mark + encoded("[Taal]\r\nnummer=11\r\n"));
        QCOMPARE(ReadIni(QStringLiteral("Taal"), QStringLiteral("nummer"), ini), QStringLiteral("11"));
        QVERIFY(WriteIni(QStringLiteral("Sorteer Spellen"), QStringLiteral("Hoe"), QStringLiteral("1"), ini));
        QCOMPARE(contents(ini), mark + encoded("[Taal]\r\nnummer=11\r\n[Sorteer Spellen]\r\nHoe=1\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestProfileFaults)
#include "test_profile_faults.moc"
