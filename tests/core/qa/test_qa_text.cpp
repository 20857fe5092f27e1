#include "qa/qa_text.h"
#include "qa/suit_text.h"
#include "base/string_table.h"
#include "store/game_store.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace briqo;

namespace {

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class QaTextTest : public QObject {
    Q_OBJECT

private slots:
    void suitMarksBecomeSymbolsButPunctuationStaysText()
    {
        QCOMPARE(withSuitSymbols("1!S - 2!H, lead \\D or \\C?"),
            QString::fromUtf8("1\u2660 - 2\u2665, lead \u2666 or \u2663?"));
        // An exclamation mark after a word, a lower-case letter or a mark at the end stay as typed.
        QCOMPARE(withSuitSymbols("Wow!So good! !s !"), QStringLiteral("Wow!So good! !s !"));
        const QList<SuitTextPiece> pieces = suitTextPieces("AK!Hx");
        QCOMPARE(pieces.size(), 3);
        QCOMPARE(pieces[0], (SuitTextPiece {"AK", -1}));
        QVERIFY(pieces[1].isSuit() && pieces[1].isRed() && pieces[1].suit == 1);
        QCOMPARE(pieces[2].text, QStringLiteral("x"));
        QVERIFY(suitTextPieces("").isEmpty());
    }

    void clipboardTextHasCrLfBetweenPartsAndNoneAtTheEnd()
    {
        QCOMPARE(qaClipboardText("Vraag", "Q", "Antwoord/uitleg", "A"),
            QStringLiteral("Vraag\r\nQ\r\n\r\nAntwoord/uitleg\r\nA"));
        // The boxes keep a line break as LF; on the clipboard every break is CR LF.
        QCOMPARE(qaClipboardText("Question", "one\ntwo", "Answer/explanation", "x\r\ny\n"),
            QStringLiteral("Question\r\none\r\ntwo\r\n\r\nAnswer/explanation\r\nx\r\ny\r\n"));
        QCOMPARE(qaClipboardText("Vraag", "", "Antwoord/uitleg", ""),
            QStringLiteral("Vraag\r\n\r\n\r\nAntwoord/uitleg\r\n"));
    }

    void charactersOutside1252AreNamedOnceEach()
    {
        QCOMPARE(charactersOutside1252(QString::fromUtf8("één € — “x” ‰ Œ ? ~")), QStringList {});
        QCOMPARE(charactersOutside1252(QString::fromUtf8("Łódź ąą αβα 😀x😀 ♠")),
            (QStringList {QString::fromUtf8("Ł"), QString::fromUtf8("ź"), QString::fromUtf8("ą"),
                QString::fromUtf8("α"), QString::fromUtf8("β"), QString::fromUtf8("😀"), QString::fromUtf8("♠")}));
        // A lone half of a pair is no character at all and cannot be stored either.
        QCOMPARE(charactersOutside1252(QString(QChar(0xD83D)) + "a"), QStringList {QString(QChar(0xD83D))});
    }

    void questionAndAnswerFilesAreStoredIn1252AndReadBackAsTheBoxShowedThem()
    {
        QTemporaryDir dir;
        const GameStore store(dir.path(), LanguageDutch);
        QVERIFY(store.writeQuestion(5, QString::fromUtf8("Wat bied je — café 5€?\nTweede regel")));
        QVERIFY(store.writeAnswer(5, QString()));
        const GameFilePaths paths = store.paths(5);
        QVERIFY(paths.question.endsWith("/Spellen/Spel 005/Spel 005 Vraag.txt"));
        QVERIFY(paths.answer.endsWith("/Spellen/Spel 005/Spel 005 Antwoord.txt"));
        QCOMPARE(bytesOf(paths.question), QByteArray("Wat bied je \x97 caf\xE9 5\x80?\r\nTweede regel\r\n"));
        QCOMPARE(bytesOf(paths.answer), QByteArray("\r\n"));
        QCOMPARE(boxTextOfStored(store.readAnswer(5)), QString());

        // Blanks around the whole text go; those inside it, also at the ends of inner lines, stay.
        QFile file(paths.question);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("   Eerste  \r\n\r\n  derde regel   \r\n");
        file.close();
        QCOMPARE(boxTextOfStored(store.readQuestion(5)), QStringLiteral("Eerste  \n\n  derde regel"));
    }
};

QTEST_APPLESS_MAIN(QaTextTest)
#include "test_qa_text.moc"
