// A PBN file read from its bytes gives what its decoded text gives: the same boards and the same
// problems with the same lines, in every encoding a file comes in.

#include "base/string_table.h"
#include "exchange/pbn_reader.h"
#include "exchange/pbn_text.h"
#include "store/code_page_1252.h"

#include <QStringEncoder>
#include <QTest>

using namespace briqo;

namespace {

// Everything the scanner treats apart: no-break spaces between words and around a tag, a tag name
// and values with letters beyond ASCII, an escaped quote and an escaped accented letter, commentary
// over lines with suit escapes, a "#" copy, a line it cannot read, and an unclosed brace at the end.
const QString Sample
    = QStringLiteral("% PBN 2.1\r\n"
                     "{Les van José}\r\n"
                     "\r\n"
                     "[Event \"Clubavond \u00e9\u00e9n\"]\r\n"
                     "[Board \"1\"]\r\n"
                     "[Dealer\u00a0\"N\"]\r\n"
                     "[Vulnerable \"None\"]\r\n"
                     "[Spel\u00e9r \"Andr\u00e9 \\\"de\\\" \\\u00e9erste\"]\r\n"
                     "[Deal \"N:AKQJ.AKQ.AKQ.AKQ T987.JT9.JT9.JT9 6543.876.876.876 2.5432.5432.5432\"]\r\n"
                     "[Auction \"N\"]\r\n"
                     "1NT\u00a0Pass 3NT =1= Pass ; sterk\r\n"
                     "Pass Pass\r\n"
                     "[Note \"1:Caf\u00e9 \\S\"]\r\n"
                     "[Play \"E\"]\r\n"
                     "SA\r\n"
                     "{Vraag: wat \\H speel je?\r\n  Tweede regel \u20ac}\r\n"
                     "\r\n"
                     "[Event \"#\"]\r\n"
                     "[Board \"2\"]\r\n"
                     "[Deal \"E:- AKQJ.AKQ.AKQ.AKQ T987.JT9.JT9.JT9 6543.876.876.876\"]\r\n"
                     "dit is geen tag\r\n"
                     "[Board \"3\"]\r\n"
                     "[Deal \"S:AKQJ.AKQ.AKQ.AKQ T987.JT9.JT9.JT9 6543.876.876.876 2.5432.5432.5432\"]\r\n"
                     "{nooit gesloten\r\n"
                     "[Board \"4\"]\r\n");

QByteArray utf16le(const QString &text)
{
    return QByteArray("\xFF\xFE") + QStringEncoder(QStringEncoder::Utf16LE)(text);
}

} // namespace

class TestPbnBytes : public QObject {
    Q_OBJECT

private slots:
    void theBytesGiveWhatTheTextGives_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("asWritten"); // the file's bytes mean the text it was made from
        QTest::newRow("code page 1252") << encode1252(Sample) << true;
        QTest::newRow("UTF-8 without a mark") << Sample.toUtf8() << true;
        QTest::newRow("UTF-8 with a mark") << QByteArray("\xEF\xBB\xBF") + Sample.toUtf8() << true;
        QTest::newRow("UTF-8 declared") << QByteArray("% charset=UTF-8\r\n") + Sample.toUtf8() << true;
        QTest::newRow("UTF-16 with a mark") << utf16le(Sample) << true;
        // UTF-8 bytes in a file that is not UTF-8 (a byte 0xE9 elsewhere): every byte is a
        // character of the code page, and C2 A0 is a letter and a no-break space.
        QTest::newRow("UTF-8 bytes read as 1252") << Sample.toUtf8() + QByteArray("{caf\xE9}\r\n") << false;
        QTest::newRow("CR line ends") << encode1252(QString(Sample).replace(QLatin1String("\r\n"), QLatin1String("\r")))
                                      << true;
        QTest::newRow("LF line ends") << Sample.toUtf8().replace("\r\n", "\n") << true;
    }
    void theBytesGiveWhatTheTextGives()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, asWritten);
        const PbnReadResult fromText = readPbn(decodeExchangeFile(bytes), LanguageDutch);
        PbnReadResult fromBytes;
        readPbnFile(bytes, LanguageDutch, fromBytes.problems,
            [&](ExchangeBoard &&board) { fromBytes.boards.append(std::move(board)); });
        QCOMPARE(fromBytes.boards.size(), fromText.boards.size());
        QCOMPARE(fromBytes.boards.size(), 3); // the unclosed brace takes the rest of the file
        QCOMPARE(fromBytes.problems.size(), fromText.problems.size());
        for (qsizetype i = 0; i < fromText.problems.size(); ++i)
            QCOMPARE(describe(fromBytes.problems[i], LanguageEnglish), describe(fromText.problems[i], LanguageEnglish));
        for (qsizetype i = 0; i < fromText.boards.size(); ++i)
            QVERIFY2(fromBytes.boards[i] == fromText.boards[i], qPrintable(QString::number(i)));
        // The no-break space parts the calls, and the commentary over two lines is the answer.
        if (!asWritten)
            return;
        QCOMPARE(fromBytes.boards[0].calls.size(), 6);
        QVERIFY(fromBytes.boards[0].answer && fromBytes.boards[0].answer->contains(QLatin1String("Tweede regel")));
    }

    // The last game ends at the end of the file as well as at an empty line, after a mark and with
    // CR LF line ends; tag names are read in any letter case, and a copy finds its value however
    // many games back it was given, whatever the order of the tags.
    void theLastGameAndCopiesAreReadWithoutAnEmptyLine()
    {
        const QByteArray bytes = "\xEF\xBB\xBF[Event \"Les\"]\r\n[Site \"Club\"]\r\n[BOARD \"1\"]\r\n"
                                 "[Deal \"N:AKQJ.AKQ.AKQ.AKQ T987.JT9.JT9.JT9 6543.876.876.876 2.5432.5432.5432\"]\r\n"
                                 "\r\n[Board \"2\"]\r\n[Deal \"#\"]\r\n\r\n"
                                 "[Deal \"#\"]\r\n[Site \"##, zaal 2\"]\r\n[Board \"3\"]\r\n[Event \"#\"]\r\n"
                                 "[auction \"n\"]\r\n1nt! pass? 3NT AP\r\n{Het antwoord}";
        PbnReadResult read;
        readPbnFile(
            bytes, LanguageDutch, read.problems, [&](ExchangeBoard &&board) { read.boards.append(std::move(board)); });
        QVERIFY(read.problems.isEmpty());
        QCOMPARE(read.boards.size(), 3);
        for (const ExchangeBoard &board : read.boards)
            QVERIFY(board.deal.deal && *board.deal.deal == *read.boards[0].deal.deal);
        const ExchangeBoard &last = read.boards[2];
        QCOMPARE(last.boardText, QStringLiteral("3"));
        QCOMPARE(last.auctionSeat, 0);
        QCOMPARE(last.calls.size(), 6);
        QCOMPARE(last.calls[0].token, QStringLiteral("1nt!"));
        QCOMPARE(last.calls[0].strain, 4);
        QCOMPARE(last.answer, std::optional<QString>(QStringLiteral("Het antwoord")));
        QCOMPARE(readPbn(decodeExchangeFile(bytes), LanguageDutch).boards, read.boards);
    }

    // Calls are read in any letter case with their marks; a letter beyond ASCII is read as the
    // text's upper case reads it, and a longer word is no call.
    void callsAreReadInEveryForm_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<int>("kind"); // -1 for no call
        QTest::addColumn<int>("strain");
        QTest::newRow("pass") << QStringLiteral("pass") << int(ExchangeCall::Pass) << 0;
        QTest::newRow("sans atout") << QStringLiteral("3sa?!") << int(ExchangeCall::Bid) << 4;
        QTest::newRow("no trump as N") << QStringLiteral("2N") << int(ExchangeCall::Bid) << 4;
        QTest::newRow("hearts") << QStringLiteral("4h") << int(ExchangeCall::Bid) << 2;
        QTest::newRow("redouble") << QStringLiteral("Rdbl") << int(ExchangeCall::Redouble) << 0;
        QTest::newRow("double") << QStringLiteral("x!") << int(ExchangeCall::Double) << 0;
        QTest::newRow("sharp s") << QStringLiteral("pa\u00df") << int(ExchangeCall::Pass) << 0;
        QTest::newRow("level eight") << QStringLiteral("8C") << -1 << 0;
        QTest::newRow("a word") << QStringLiteral("Passe") << -1 << 0;
        QTest::newRow("marks alone") << QStringLiteral("!?") << -1 << 0;
        QTest::newRow("a strain too many") << QStringLiteral("1CD") << -1 << 0;
    }
    void callsAreReadInEveryForm()
    {
        QFETCH(QString, word);
        QFETCH(int, kind);
        QFETCH(int, strain);
        const std::optional<ExchangeCall> call = readCall(word);
        QCOMPARE(call.has_value(), kind >= 0);
        if (!call)
            return;
        QCOMPARE(int(call->kind), kind);
        QCOMPARE(call->strain, strain);
        QCOMPARE(call->token, word);
    }

    // The file is checked for UTF-8 in pieces; a character cut by a piece's end, or a fault after
    // the first piece, must be judged as in the whole file.
    void utf8IsJudgedOnTheWholeFile()
    {
        QByteArray large(65535, 'a');
        large += "\xC3\xA9"; // one character over the piece's end
        large += QByteArray(70000, 'b');
        QCOMPARE(exchangeFileEncoding(large), ExchangeEncoding::Utf8);
        QByteArray broken = large + "\xA9";
        QCOMPARE(exchangeFileEncoding(broken), ExchangeEncoding::CodePage1252);
        QByteArray unfinished = large + "\xC3";
        QCOMPARE(exchangeFileEncoding(unfinished), ExchangeEncoding::CodePage1252);
        QByteArray noAscii(140000, '\0');
        for (qsizetype i = 0; i < noAscii.size(); i += 2) {
            noAscii[i] = '\xC3';
            noAscii[i + 1] = '\xA9';
        }
        QCOMPARE(exchangeFileEncoding(noAscii), ExchangeEncoding::Utf8);
        QCOMPARE(decodeExchangeFile(noAscii).size(), 70000);
    }
};

QTEST_GUILESS_MAIN(TestPbnBytes)
#include "test_pbn_bytes.moc"
