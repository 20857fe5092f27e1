// briqo-cli picture and handout, run as a script runs them: no display, a program folder of its own.

#include "base/string_table.h"
#include "store/game_store.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

using namespace briqo;

namespace {

struct Run {
    int exitCode = -1;
    QString err;
};

QString data(const char *name) { return QStringLiteral(BRIQO_TEST_DATA "/exchange/") + QLatin1String(name); }

QString tool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int pageCount(const QString &pdf)
{
    const QRegularExpressionMatch m
        = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(tool(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The pixel size a PNG file's header gives; empty for anything else.
QSize pngSize(const QString &path)
{
    QFile f(path);
    const QByteArray head = f.open(QIODevice::ReadOnly) ? f.read(24) : QByteArray();
    if (head.size() < 24 || !head.startsWith("\x89PNG"))
        return {};
    return QSize(qFromBigEndian<qint32>(head.constData() + 16), qFromBigEndian<qint32>(head.constData() + 20));
}

// Every file below a folder with a digest of its bytes and its time: what "nothing was written" means.
QStringList snapshot(const QString &folder)
{
    QStringList seen;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        const QByteArray digest = f.open(QIODevice::ReadOnly)
            ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha1).toHex()
            : QByteArray();
        seen << path + QLatin1Char(' ') + QString::fromLatin1(digest) + QLatin1Char(' ')
                + QString::number(it.fileInfo().lastModified().toMSecsSinceEpoch());
    }
    seen.sort();
    return seen;
}

} // namespace

class CliPicturesTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_folder; // the program folder, with games 1 to 6 stored in English
    QTemporaryDir m_out;

    Run cli(const QStringList &args, const char *lang = "en")
    {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(BRIQO_CLI),
            args
                + QStringList {
                    QStringLiteral("--folder"), m_folder.path(), QStringLiteral("--lang"), QLatin1String(lang)});
        p.waitForFinished(120000);
        return {
            p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
    }
    QString out(const QString &name) const { return m_out.filePath(name); }

private slots:
    void initTestCase()
    {
        for (const char *file : {"dealing_machine.pbn", "teaching.pbn"}) {
            QProcess p;
            p.start(QStringLiteral(BRIQO_CLI),
                {QStringLiteral("import"), data(file), QStringLiteral("--folder"), m_folder.path(),
                    QStringLiteral("--lang"), QStringLiteral("en")});
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 0);
        }
        QCOMPARE(GameStore(m_folder.path(), LanguageEnglish).list().size(), 6);
    }

    void everyRefusalSaysWhyAndWritesNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString png = out(QStringLiteral("x.png"));
        const QString pdf = out(QStringLiteral("x.pdf"));
        const QString games = m_folder.filePath(QStringLiteral("Games"));
        QTest::newRow("no game") << QStringList {"picture", "--out", png} << "Say which game";
        QTest::newRow("no output") << QStringList {"picture", "--game", "5"} << "Name the file.";
        QTest::newRow("game not stored") << QStringList {"picture", "--game", "7", "--out", png}
                                         << "Game 7 is not stored.";
        QTest::newRow("one of the games not stored") << QStringList {"picture", "--games", "5-8", "--out",
            out(QStringLiteral("all/"))} << "Game 8 is not stored.";
        QTest::newRow("game and games") << QStringList {"picture", "--game", "5", "--games", "5", "--out", png}
                                        << "not both";
        QTest::newRow("game not a number")
            << QStringList {"picture", "--game", "five", "--out", png} << "Bad value for --game: five";
        QTest::newRow("bad list") << QStringList {"handout", "--games", "12-1", "--out", pdf}
                                  << "Bad list of games: 12-1";
        QTest::newRow("unknown format") << QStringList {"picture", "--game", "5", "--out", out(QStringLiteral("x.gif"))}
                                        << "Bad value for --out";
        QTest::newRow("unknown folder format")
            << QStringList {"picture", "--games", "5", "--out", out(QStringLiteral("d/")), "--format", "gif"}
            << "Bad value for --format: gif";
        QTest::newRow("several games into one file")
            << QStringList {"picture", "--games", "5,6", "--out", png} << "is a folder";
        QTest::newRow("scale too small") << QStringList {"picture", "--game", "5", "--out", png, "--scale", "0.5"}
                                         << "Bad value for --scale: 0.5";
        QTest::newRow("unknown seat") << QStringList {"picture", "--game", "5", "--out", png, "--hide", "X"}
                                      << "Bad value for --hide: X";
        QTest::newRow("ten boards a page")
            << QStringList {"handout", "--out", pdf, "--per-page", "10"} << "Bad value for --per-page: 10";
        QTest::newRow("answers nowhere") << QStringList {"handout", "--out", pdf, "--answers", "never"}
                                         << "Bad value for --answers: never";
        QTest::newRow("unreadable board file")
            << QStringList {"handout", "--out", pdf, "--pbn", out(QStringLiteral("missing.pbn"))} << "cannot be read";
        QTest::newRow("board not in the file") << QStringList {"picture", "--game", "1", "--out", png, "--pbn",
            data("teaching.pbn")} << "Board 1 is not in";
        QTest::newRow("unwritable output")
            << QStringList {"picture", "--game", "5", "--out", out(QStringLiteral("no/such/folder/x.png"))}
            << "cannot be written";
        QTest::newRow("into the games folder")
            << QStringList {"picture", "--game", "5", "--out", games + QStringLiteral("/Game 005/x.png")}
            << "lies in the games folder";
        QTest::newRow("games folder as the folder of pictures") << QStringList {"picture", "--games", "5,6", "--out",
            games + QStringLiteral("/")} << "lies in the games folder";
    }
    void everyRefusalSaysWhyAndWritesNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const QStringList before = snapshot(m_folder.path());
        const Run run = cli(args);
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(snapshot(m_folder.path()), before);
        QVERIFY(!QFile::exists(out(QStringLiteral("x.png"))) && !QFile::exists(out(QStringLiteral("x.pdf"))));
    }

    void aRefusalSpeaksDutchToo()
    {
        const Run run = cli({QStringLiteral("picture"), QStringLiteral("--game"), QStringLiteral("7"),
                                QStringLiteral("--out"), out(QStringLiteral("x.png"))},
            "nl");
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QStringLiteral("Spel 7 is niet opgeslagen.")), qPrintable(run.err));
    }

    void picturesInEveryFormatWithoutTouchingTheGames()
    {
        const QStringList before = snapshot(m_folder.path());
        const QString png = out(QStringLiteral("board5.png"));
        QCOMPARE(cli({QStringLiteral("picture"), QStringLiteral("--game"), QStringLiteral("5"), QStringLiteral("--out"),
                         png})
                     .exitCode,
            0);
        const QSize plain = pngSize(png);
        QVERIFY(plain.isValid());
        const QString sharp = out(QStringLiteral("board5x2.png"));
        QCOMPARE(cli({QStringLiteral("picture"), QStringLiteral("--game"), QStringLiteral("5"), QStringLiteral("--out"),
                         sharp, QStringLiteral("--scale"), QStringLiteral("2"), QStringLiteral("--ten")})
                     .exitCode,
            0);
        QCOMPARE(pngSize(sharp), plain * 2);

        // One file per game into a folder that is made for them, named as the window names pictures.
        const QString folder = out(QStringLiteral("lesson/"));
        const Run many = cli({QStringLiteral("picture"), QStringLiteral("--games"), QStringLiteral("1-2,5"),
            QStringLiteral("--out"), folder, QStringLiteral("--format"), QStringLiteral("svg")});
        QCOMPARE(many.exitCode, 0);
        QCOMPARE(QDir(folder).entryList(QDir::Files, QDir::Name),
            (QStringList {"Game 001.svg", "Game 002.svg", "Game 005.svg"}));
        QVERIFY(many.err.contains(QStringLiteral("Game 005.svg written.")));

        // From the board file instead of the store: the question of board 5 is in the PDF's text.
        const QString pdf = out(QStringLiteral("from_file.pdf"));
        QCOMPARE(cli({QStringLiteral("picture"), QStringLiteral("--game"), QStringLiteral("5"), QStringLiteral("--pbn"),
                         data("teaching.pbn"), QStringLiteral("--out"), pdf})
                     .exitCode,
            0);
        const QString text = tool(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY2(text.contains(QStringLiteral("What do you lead against")), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("Par")));

        // --dd works the table and par out and draws them below the board.
        const QString withTable = out(QStringLiteral("with_table.pdf"));
        QCOMPARE(cli({QStringLiteral("picture"), QStringLiteral("--game"), QStringLiteral("5"), QStringLiteral("--out"),
                         withTable, QStringLiteral("--dd")})
                     .exitCode,
            0);
        QVERIFY(tool(QStringLiteral("pdftotext"), {withTable, QStringLiteral("-")}).contains(QStringLiteral("Par")));
        QCOMPARE(snapshot(m_folder.path()), before);
    }

    void handoutOfTheStoredGames()
    {
        const QStringList before = snapshot(m_folder.path());
        const QString pdf = out(QStringLiteral("lesson.pdf"));
        const Run run = cli({QStringLiteral("handout"), QStringLiteral("--games"), QStringLiteral("1-6"),
            QStringLiteral("--per-page"), QStringLiteral("4"), QStringLiteral("--out"), pdf});
        QCOMPARE(run.exitCode, 0);
        // Six boards on two pages, then the answer of board 5 on its own page.
        QCOMPARE(pageCount(pdf), 3);
        const QString answers = tool(QStringLiteral("pdftotext"),
            {QStringLiteral("-f"), QStringLiteral("3"), QStringLiteral("-l"), QStringLiteral("3"), pdf,
                QStringLiteral("-")});
        QVERIFY2(answers.contains(QStringLiteral("Game 5")) && answers.contains(QStringLiteral("honour")),
            qPrintable(answers));

        const QString inlined = out(QStringLiteral("inline.pdf"));
        QCOMPARE(cli({QStringLiteral("handout"), QStringLiteral("--out"), inlined, QStringLiteral("--answers"),
                         QStringLiteral("inline"), QStringLiteral("--hide"), QStringLiteral("NS")})
                     .exitCode,
            0);
        QCOMPARE(pageCount(inlined), 2);
        QCOMPARE(snapshot(m_folder.path()), before);
    }
};

QTEST_GUILESS_MAIN(CliPicturesTest)
#include "test_cli_pictures.moc"
