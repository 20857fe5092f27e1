#include "platform/dialog_folder.h"
#include "platform/program_folder.h"
#include "base/profile.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace briqo;

// Where the games live and where the file dialogs open, for a user whose home is an empty
// temporary folder.
class TestProgramFolders : public QObject {
    Q_OBJECT

    QTemporaryDir m_home;
    QString m_userData;

    QString path(const QString &relative) const { return m_home.filePath(relative); }

    void touch(const QString &file) const
    {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        qputenv("HOME", QFile::encodeName(m_home.path()));
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
        m_userData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(m_userData.startsWith(m_home.path()));
    }

    void aCopyInAWritableFolderKeepsItsGamesBesideItself()
    {
        QDir().mkpath(path("portable"));
        QCOMPARE(dataFolderFor(path("portable")), path("portable"));
        // A folder named bin is not yet an installed tree.
        QDir().mkpath(path("tools/bin"));
        QCOMPARE(dataFolderFor(path("tools/bin")), path("tools/bin"));
    }

    // Root may write anywhere: an installed tree is known by the menu entry beside it as well.
    void anInstalledTreeKeepsTheGamesInTheUsersDataFolder()
    {
        touch(path("prefix/share/applications/") + applicationId() + QStringLiteral(".desktop"));
        QDir().mkpath(path("prefix/bin"));
        QVERIFY(isInstalledTree(path("prefix/bin")));
        QCOMPARE(dataFolderFor(path("prefix/bin")), m_userData);
        QVERIFY2(QFileInfo(m_userData).isDir(), "the user's data folder is made when missing");
        // The menu entry of another program does not count.
        touch(path("other/share/applications/org.example.Other.desktop"));
        QDir().mkpath(path("other/bin"));
        QVERIFY(!isInstalledTree(path("other/bin")));
    }

    void aFolderTheUserCannotWriteKeepsTheGamesInTheUsersDataFolder()
    {
        if (::geteuid() == 0)
            QSKIP("root may write into any folder");
        QDir().mkpath(path("locked"));
        QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner);
        QCOMPARE(dataFolderFor(path("locked")), m_userData);
        QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void versionComesFromTheBuild()
    {
        QCOMPARE(programVersion(),
            QStringLiteral("%1.%2.%3").arg(BRIQO_VERSION_MAJOR).arg(BRIQO_VERSION_MINOR).arg(BRIQO_VERSION_PATCH));
        QVERIFY(applicationId().count(QLatin1Char('.')) >= 2);
    }

    // The first dialog opens in Documents (the home folder while there is none); after that in the
    // folder of the last file chosen, kept in taal.ini beside the language.
    void dialogsStartInDocumentsAndThenWhereTheLastFileWasChosen()
    {
        const QString ini = path("program/taal.ini");
        QDir().mkpath(path("program"));
        QVERIFY(WriteIni(QStringLiteral("Taal"), QStringLiteral("nummer"), QStringLiteral("11"), ini));
        QCOMPARE(dialogStartFolder(ini), QDir::homePath());
        QDir().mkpath(path("Documents"));
        QCOMPARE(dialogStartFolder(ini), path("Documents"));

        QDir().mkpath(path("lessons/week 3"));
        rememberDialogFolder(ini, path("lessons/week 3/hand-out.pdf"));
        QCOMPARE(dialogStartFolder(ini), path("lessons/week 3"));
        QCOMPARE(ReadIni(QStringLiteral("Taal"), QStringLiteral("nummer"), ini), QStringLiteral("11"));

        // Cancelling a dialog changes nothing.
        rememberDialogFolder(ini, QString());
        QCOMPARE(dialogStartFolder(ini), path("lessons/week 3"));
    }

    void aRememberedFolderWithAnyNameComesBackAsItWas()
    {
        const QString ini = path("program/taal.ini");
        const QString folder = path(QStringLiteral("Bridge \u00e9t\u00e9/\u0421\u043f\u0435\u043b \u2660"));
        QVERIFY(QDir().mkpath(folder));
        rememberDialogFolder(ini, folder + QStringLiteral("/lesson.pbn"));
        QCOMPARE(dialogStartFolder(ini), folder);
        // A folder typed into taal.ini by hand counts too.
        QVERIFY(WriteIni(QStringLiteral("Bestanden"), QStringLiteral("Map"), path("lessons"), ini));
        QCOMPARE(dialogStartFolder(ini), path("lessons"));
    }

    void aRememberedFolderThatIsGoneOrNotAFolderGivesDocumentsAgain()
    {
        const QString ini = path("program/taal.ini");
        QDir().mkpath(path("gone"));
        rememberDialogFolder(ini, path("gone/x.pbn"));
        QVERIFY(QDir(path("gone")).removeRecursively());
        QCOMPARE(dialogStartFolder(ini), path("Documents"));

        for (const char *value : {"relative/folder", "", "\"\""}) {
            QVERIFY(WriteIni(QStringLiteral("Bestanden"), QStringLiteral("Map"), QString::fromLatin1(value), ini));
            QCOMPARE(dialogStartFolder(ini), path("Documents"));
        }
        QCOMPARE(dialogStartFolder(QString()), path("Documents"));
    }
};

QTEST_GUILESS_MAIN(TestProgramFolders)
#include "test_program_folders.moc"
