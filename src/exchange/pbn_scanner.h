#pragma once

// The first half of reading a PBN file: the scanner that cuts the file into games of tags,
// sections and commentary, over the file's text or over its bytes. The reader (pbn_reader.cpp)
// then makes boards of them.

#include "exchange/exchange_board.h"
#include "exchange/exchange_strings.h"
#include "store/code_page_1252.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace briqo::pbn_scan {

// A problem list stops growing here: a file of garbage must not become a list of millions.
constexpr int MaxProblems = 500;

// A stretch of the file: pieces of its text are only made when they are used, so most of a
// large file (the words of tables, the tags nobody reads) never becomes text at all.
struct Piece {
    qsizetype from = 0;
    qsizetype to = 0;
    bool isEmpty() const { return from == to; }
};

struct Token {
    Piece piece;
    int line = 0;
    bool commentary = false;
};

// The tags the reader looks at, whatever their letter case.
enum class TagKind { Other, Board, Deal, Auction, Play, Note, Dealer, Vulnerable, Contract, Declarer };

// A tag value: the stretch between the quotes, or text of its own when it had escapes or is a
// copy made from an earlier value.
struct TagValue {
    Piece piece;
    bool owned = false;
    QString text;
};

struct RawTag {
    Piece name;
    TagKind kind = TagKind::Other;
    int exact = 0; // 1 for a name written "Board", 2 for "Event": either starts a new game
    TagValue value;
    int line = 0;
    QList<Token> section; // what follows the tag up to the next tag: section data and commentary
};

struct RawGame {
    int line = 0;
    QList<Token> leading; // commentary before the first tag
    std::vector<RawTag> tags;
};

inline bool isLineEnd(char16_t c) { return c == u'\n' || c == u'\r'; }

// What the scanner reads: the file's text, or its bytes. The characters that give a file its
// shape (brackets, braces, quotes, blanks, line ends) are ASCII, and in UTF-8 and in code page
// 1252 an ASCII byte is always that character, never part of another; so the bytes are scanned
// as they are and only the pieces kept (names, values, words, commentary) become text.
class TextSource {
public:
    explicit TextSource(const QString &text)
        : s(text)
    { }
    qsizetype size() const { return s.size(); }
    char16_t at(qsizetype i) const { return s[i].unicode(); }
    // The length of the blank at i (a space, a tab or a no-break space), 0 for none.
    int blankAt(qsizetype i) const { return isBlankUnit(at(i)) ? 1 : 0; }
    // The length of the letter, digit or underscore at i, 0 for none.
    int nameCharAt(qsizetype i) const { return s[i].isLetterOrNumber() || s[i] == QLatin1Char('_') ? 1 : 0; }
    int charLength(qsizetype) const { return 1; }
    qsizetype find(char16_t c, qsizetype from) const { return s.indexOf(QChar(c), from); }
    QString text(qsizetype from, qsizetype to) const { return s.mid(from, to - from); }
    QString text(Piece p) const { return text(p.from, p.to); }
    bool same(Piece x, Piece y) const
    {
        return QStringView(s).sliced(x.from, x.to - x.from) == QStringView(s).sliced(y.from, y.to - y.from);
    }

private:
    static bool isBlankUnit(char16_t c) { return c == u' ' || c == u'\t' || c == 0xA0; }
    const QString &s;
};

class ByteSource {
public:
    enum Encoding { Utf8, CodePage1252 };
    ByteSource(QByteArrayView bytes, Encoding encoding)
        : b(bytes)
        , m_encoding(encoding)
    { }
    qsizetype size() const { return b.size(); }
    // The byte; one above 127 is never a character the scanner looks for.
    char16_t at(qsizetype i) const { return uchar(b[i]); }
    int blankAt(qsizetype i) const
    {
        const uchar c = uchar(b[i]);
        if (c == ' ' || c == '\t')
            return 1;
        if (m_encoding == CodePage1252)
            return c == 0xA0 ? 1 : 0;
        return c == 0xC2 && i + 1 < b.size() && uchar(b[i + 1]) == 0xA0 ? 2 : 0;
    }
    int nameCharAt(qsizetype i) const
    {
        const uchar c = uchar(b[i]);
        if (c < 0x80)
            return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' ? 1 : 0;
        const int length = charLength(i);
        const QString decoded = text(i, i + length);
        // A character beyond the first plane is no letter to the text scanner either: it sees
        // its two halves, and neither is one.
        return decoded.size() == 1 && decoded[0].isLetterOrNumber() ? length : 0;
    }
    // The bytes of the character that starts at i (a malformed UTF-8 byte counts alone).
    int charLength(qsizetype i) const
    {
        const uchar c = uchar(b[i]);
        if (m_encoding == CodePage1252 || c < 0xC0)
            return 1;
        const int length = c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        for (int k = 1; k < length; ++k) {
            if (i + k >= b.size() || (uchar(b[i + k]) & 0xC0) != 0x80)
                return 1;
        }
        return length;
    }
    qsizetype find(char16_t c, qsizetype from) const { return b.indexOf(char(c), from); }
    QString text(qsizetype from, qsizetype to) const
    {
        const QByteArrayView piece = b.sliced(from, to - from);
        bool ascii = true;
        for (const char c : piece)
            ascii = ascii && uchar(c) < 0x80;
        if (ascii)
            return QString::fromLatin1(piece);
        return m_encoding == Utf8 ? QString::fromUtf8(piece) : decode1252(piece);
    }
    QString text(Piece p) const { return text(p.from, p.to); }
    // Equal bytes are equal text and back: a name holds only whole characters, and each
    // encoding gives every character its own bytes.
    bool same(Piece x, Piece y) const { return b.sliced(x.from, x.to - x.from) == b.sliced(y.from, y.to - y.from); }

private:
    QByteArrayView b;
    Encoding m_encoding;
};

template<typename Source> class Scanner {
public:
    // Each game goes to gameDone as soon as it ends, so a large file is never held as tokens whole.
    Scanner(const Source &source, QList<ExchangeProblem> &problems, std::function<void(RawGame &)> gameDone)
        : s(source)
        , m_problems(problems)
        , m_gameDone(std::move(gameDone))
    { }

    void run()
    {
        while (i < s.size()) {
            if (s.at(i) == u'%') {
                skipToLineEnd();
                endLine();
                continue;
            }
            if (restOfLineBlank()) {
                skipToLineEnd();
                endLine();
                closeGame();
                continue;
            }
            while (i < s.size() && !isLineEnd(s.at(i)))
                scanItem();
            endLine();
        }
        closeGame();
    }

private:
    void problem(int text, int atLine, const QString &detail)
    {
        if (m_problems.size() < MaxProblems)
            m_problems.append({text, atLine, {}, detail});
    }

    bool restOfLineBlank() const
    {
        qsizetype j = i;
        while (j < s.size()) {
            const int blank = s.blankAt(j);
            if (blank == 0)
                break;
            j += blank;
        }
        return j >= s.size() || isLineEnd(s.at(j));
    }

    void skipBlanks()
    {
        while (i < s.size()) {
            const int blank = s.blankAt(i);
            if (blank == 0)
                return;
            i += blank;
        }
    }

    void skipToLineEnd()
    {
        while (i < s.size() && !isLineEnd(s.at(i)))
            ++i;
    }

    void endLine()
    {
        if (i < s.size() && s.at(i) == u'\r')
            ++i;
        if (i < s.size() && s.at(i) == u'\n')
            ++i;
        ++line;
    }

    QString restOfLine(qsizetype from) const
    {
        qsizetype j = from;
        while (j < s.size() && !isLineEnd(s.at(j)))
            ++j;
        return s.text(from, j).trimmed();
    }

    void scanItem()
    {
        const char16_t c = s.at(i);
        if (const int blank = s.blankAt(i)) {
            i += blank;
        } else if (c == u'[') {
            scanTag();
        } else if (c == u'{') {
            scanBracedCommentary();
        } else if (c == u';') {
            const qsizetype start = i + 1;
            skipToLineEnd();
            addToken({{start, i}, line, true});
        } else {
            const qsizetype start = i;
            while (i < s.size() && !isLineEnd(s.at(i)) && s.blankAt(i) == 0 && s.at(i) != u'[' && s.at(i) != u'{'
                && s.at(i) != u';')
                i += s.charLength(i);
            addToken({{start, i}, line, false});
        }
    }

    void scanTag()
    {
        const qsizetype open = i;
        ++i;
        skipBlanks();
        const qsizetype nameStart = i;
        while (i < s.size()) {
            const int length = s.nameCharAt(i);
            if (length == 0)
                break;
            i += length;
        }
        const qsizetype nameEnd = i;
        skipBlanks();
        if (nameEnd == nameStart || i >= s.size() || s.at(i) != u'"') {
            problem(exchange_text::SyntaxNotUnderstood, line, restOfLine(open));
            skipToLineEnd();
            return;
        }
        ++i;
        // The value in runs between escapes; a backslash takes the character after it as it is.
        const qsizetype valueStart = i;
        QString value;
        bool escaped = false;
        qsizetype run = i;
        bool closed = false;
        while (i < s.size() && !isLineEnd(s.at(i))) {
            if (s.at(i) == u'\\' && i + 1 < s.size() && !isLineEnd(s.at(i + 1))) {
                escaped = true;
                value += s.text(run, i);
                const int length = s.charLength(i + 1);
                value += s.text(i + 1, i + 1 + length);
                i += 1 + length;
                run = i;
            } else if (s.at(i) == u'"') {
                closed = true;
                break;
            } else {
                i += s.charLength(i);
            }
        }
        const qsizetype valueEnd = i;
        if (escaped)
            value += s.text(run, i);
        if (!closed) {
            problem(exchange_text::SyntaxUnclosed, line, QStringLiteral("\""));
            return;
        }
        ++i;
        skipBlanks();
        if (i >= s.size() || s.at(i) != u']') {
            problem(exchange_text::SyntaxUnclosed, line, QStringLiteral("["));
            skipToLineEnd();
            return;
        }
        ++i;
        RawTag tag;
        tag.name = {nameStart, nameEnd};
        tag.value = escaped ? TagValue {{}, true, value} : TagValue {{valueStart, valueEnd}, false, {}};
        tag.line = line;
        nameKind(tag);
        addTag(std::move(tag));
    }

    void scanBracedCommentary()
    {
        const int startLine = line;
        const qsizetype close = s.find(u'}', i + 1);
        if (close < 0) {
            problem(exchange_text::SyntaxUnclosed, startLine, QStringLiteral("{"));
            // The rest of the file is the unfinished commentary; count its lines and stop.
            for (; i < s.size(); ++i) {
                if (s.at(i) == u'\n' || (s.at(i) == u'\r' && (i + 1 >= s.size() || s.at(i + 1) != u'\n')))
                    ++line;
            }
            return;
        }
        const Piece raw {i + 1, close};
        for (qsizetype j = i + 1; j < close; ++j) {
            if (s.at(j) == u'\n' || (s.at(j) == u'\r' && (j + 1 >= close || s.at(j + 1) != u'\n')))
                ++line;
        }
        i = close + 1;
        addToken({raw, startLine, true});
    }

    // What a tag's name makes it: the names the reader uses are matched in any letter case.
    void nameKind(RawTag &tag) const
    {
        static const std::pair<const char *, TagKind> kinds[]
            = {{"board", TagKind::Board}, {"deal", TagKind::Deal}, {"auction", TagKind::Auction},
                {"play", TagKind::Play}, {"note", TagKind::Note}, {"dealer", TagKind::Dealer},
                {"vulnerable", TagKind::Vulnerable}, {"contract", TagKind::Contract}, {"declarer", TagKind::Declarer}};
        const qsizetype length = tag.name.to - tag.name.from;
        char lower[12] = {};
        bool ascii = length < qsizetype(sizeof lower);
        for (qsizetype k = 0; ascii && k < length; ++k) {
            const char16_t c = s.at(tag.name.from + k);
            ascii = c < 128;
            lower[k] = char(c >= u'A' && c <= u'Z' ? c + 32 : c);
        }
        if (ascii) {
            const std::string_view name(lower, size_t(length));
            for (const auto &[known, kind] : kinds) {
                if (name == known)
                    tag.kind = kind;
            }
            if (name == "board" || name == "event") {
                const auto writtenAs = [&](const char *word) {
                    for (qsizetype k = 0; k < length; ++k) {
                        if (s.at(tag.name.from + k) != char16_t(word[k]))
                            return false;
                    }
                    return true;
                };
                tag.exact = writtenAs("Board") ? 1 : writtenAs("Event") ? 2 : 0;
            }
            return;
        }
        // Letters beyond ASCII: as the text compares them, without regard to case.
        const QString name = s.text(tag.name);
        for (const auto &[known, kind] : kinds) {
            if (name.compare(QLatin1String(known), Qt::CaseInsensitive) == 0)
                tag.kind = kind;
        }
    }

    void addTag(RawTag tag)
    {
        // A game whose file forgot the empty line: a second Board or Event starts the next game.
        if (m_open && tag.exact) {
            for (const RawTag &t : m_game.tags) {
                if (t.exact == tag.exact) {
                    closeGame();
                    break;
                }
            }
        }
        if (!m_open) {
            m_open = true;
            m_game.line = tag.line;
        }
        m_game.tags.push_back(std::move(tag));
    }

    void addToken(Token token)
    {
        if (token.piece.isEmpty() && !token.commentary)
            return;
        if (!m_game.tags.empty()) {
            m_game.tags.back().section.append(token);
        } else if (token.commentary) {
            m_game.leading.append(std::move(token));
        } else {
            problem(exchange_text::SyntaxNotUnderstood, token.line, s.text(token.piece));
        }
    }

    void closeGame()
    {
        if (!m_game.tags.empty())
            m_gameDone(m_game);
        // Commentary without any tag (a file's heading) belongs to no game.
        m_game.line = 0;
        m_game.leading.clear();
        m_game.tags.clear();
        m_open = false;
    }

    const Source &s;
    QList<ExchangeProblem> &m_problems;
    std::function<void(RawGame &)> m_gameDone;
    qsizetype i = 0;
    int line = 1;
    RawGame m_game;
    bool m_open = false;
};

} // namespace briqo::pbn_scan
