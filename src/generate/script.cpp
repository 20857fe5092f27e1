#include "generate/script.h"

#include "generate/generate_strings.h"
#include "base/string_table.h"

#include <QHash>

#include <algorithm>
#include <bit>

namespace briqo::generate {

namespace {

using namespace generate_text;

constexpr std::int64_t MaxNumber = 1'000'000'000'000LL;
// A condition of a real lesson has a few hundred parts at most. Bigger ones (an identifier
// doubled sixty times over, ten thousand brackets) would take the generator hours per deal or
// the program's stack: they are refused.
constexpr std::int64_t MaxConditionSize = 20'000;
constexpr int MaxNesting = 300;

struct Token {
    enum Kind { Word, Number, Symbol, End } kind = End;
    QString text;
    int line = 1;
    int column = 1;
};

struct Failure {
    int line;
    int column;
    QString message;
};

QString filled(int id, int language, QChar placeholder, const QString &value)
{
    return fillPlaceholder(ResString(id, language), placeholder, value);
}

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// Splits the script into words, numbers and operators; comments ("#" and "//" to the end of the
// line, "/* ... */") are skipped.
QList<Token> tokenize(const QString &text, int language)
{
    QList<Token> tokens;
    int line = 1;
    int lineStart = 0;
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto column = [&](qsizetype at) { return int(at - lineStart) + 1; };
    while (i < n) {
        const QChar c = text[i];
        if (c == QLatin1Char('\n')) {
            ++line;
            lineStart = int(++i);
            continue;
        }
        if (c.isSpace()) {
            ++i;
            continue;
        }
        const QChar next = i + 1 < n ? text[i + 1] : QChar();
        if (c == QLatin1Char('#') || (c == QLatin1Char('/') && next == QLatin1Char('/'))) {
            while (i < n && text[i] != QLatin1Char('\n'))
                ++i;
            continue;
        }
        if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            const int startLine = line, startColumn = column(i);
            i += 2;
            while (i < n && !(text[i] == QLatin1Char('*') && i + 1 < n && text[i + 1] == QLatin1Char('/'))) {
                if (text[i] == QLatin1Char('\n')) {
                    ++line;
                    lineStart = int(i + 1);
                }
                ++i;
            }
            if (i >= n)
                throw Failure {startLine, startColumn, ResString(UnclosedComment, language)};
            i += 2;
            continue;
        }
        Token t;
        t.line = line;
        t.column = column(i);
        if (isWordChar(c)) {
            const qsizetype start = i;
            bool digits = true;
            while (i < n && isWordChar(text[i])) {
                digits = digits && text[i].isDigit() && text[i].unicode() < 128;
                ++i;
            }
            t.kind = digits ? Token::Number : Token::Word;
            t.text = text.mid(start, i - start);
            tokens << t;
            continue;
        }
        static const QStringList twoChar {QStringLiteral("&&"), QStringLiteral("||"), QStringLiteral("=="),
            QStringLiteral("!="), QStringLiteral("<="), QStringLiteral(">=")};
        const QString pair = text.mid(i, 2);
        t.kind = Token::Symbol;
        if (twoChar.contains(pair)) {
            t.text = pair;
            i += 2;
        } else if (QStringLiteral("!<>+-*/%(),?:=").contains(c)) {
            t.text = QString(c);
            ++i;
        } else {
            throw Failure {t.line, t.column, filled(UnexpectedCharacter, language, QLatin1Char('~'), QString(c))};
        }
        tokens << t;
    }
    Token end;
    end.line = line;
    end.column = column(n);
    tokens << end;
    return tokens;
}

const QStringList SeatWords {
    QStringLiteral("north"), QStringLiteral("east"), QStringLiteral("south"), QStringLiteral("west")};
// Each suit's singular and plural, in hand order.
const QStringList SuitWords[4] {{QStringLiteral("spade"), QStringLiteral("spades")},
    {QStringLiteral("heart"), QStringLiteral("hearts")}, {QStringLiteral("diamond"), QStringLiteral("diamonds")},
    {QStringLiteral("club"), QStringLiteral("clubs")}};
// The alternate counts by number, under their readable names.
const QStringList CountWords[10] {{QStringLiteral("tens"), QStringLiteral("ten"), QStringLiteral("pt0")},
    {QStringLiteral("jacks"), QStringLiteral("jack"), QStringLiteral("pt1")},
    {QStringLiteral("queens"), QStringLiteral("queen"), QStringLiteral("pt2")},
    {QStringLiteral("kings"), QStringLiteral("king"), QStringLiteral("pt3")},
    {QStringLiteral("aces"), QStringLiteral("ace"), QStringLiteral("pt4")},
    {QStringLiteral("top2"), QStringLiteral("pt5")}, {QStringLiteral("top3"), QStringLiteral("pt6")},
    {QStringLiteral("top4"), QStringLiteral("pt7")}, {QStringLiteral("top5"), QStringLiteral("pt8")},
    {QStringLiteral("c13"), QStringLiteral("pt9")}};
// Parts of the language this generator does not offer: named in a clear refusal.
const QStringList LeftOutWords {QStringLiteral("pointcount"), QStringLiteral("altcount"), QStringLiteral("cccc"),
    QStringLiteral("quality"), QStringLiteral("tricks"), QStringLiteral("trick"), QStringLiteral("score"),
    QStringLiteral("imps"), QStringLiteral("imp"), QStringLiteral("printall"), QStringLiteral("print"),
    QStringLiteral("printew"), QStringLiteral("printcompact"), QStringLiteral("printes"), QStringLiteral("average"),
    QStringLiteral("frequency"), QStringLiteral("notrump"), QStringLiteral("notrumps")};
const QStringList OtherKeywords {QStringLiteral("hcp"), QStringLiteral("hcps"), QStringLiteral("control"),
    QStringLiteral("controls"), QStringLiteral("loser"), QStringLiteral("losers"), QStringLiteral("shape"),
    QStringLiteral("hascard"), QStringLiteral("any"), QStringLiteral("and"), QStringLiteral("or"),
    QStringLiteral("not"), QStringLiteral("generate"), QStringLiteral("produce"), QStringLiteral("vulnerable"),
    QStringLiteral("dealer"), QStringLiteral("predeal"), QStringLiteral("condition"), QStringLiteral("action"),
    QStringLiteral("printoneline"), QStringLiteral("printpbn")};

int suitOfWord(const QString &lower)
{
    for (int s = 0; s < 4; ++s)
        if (SuitWords[s].contains(lower))
            return s;
    return -1;
}

int countOfWord(const QString &lower)
{
    for (int k = 0; k < 10; ++k)
        if (CountWords[k].contains(lower))
            return k;
    return -1;
}

bool isKeyword(const QString &lower)
{
    return SeatWords.contains(lower) || suitOfWord(lower) >= 0 || countOfWord(lower) >= 0
        || LeftOutWords.contains(lower) || OtherKeywords.contains(lower);
}

// Rank of a card letter ("T" or "10" for the ten), -1 for anything else.
int rankOfLetter(QChar c)
{
    static const QString letters = QStringLiteral("23456789TJQKA");
    return int(letters.indexOf(c.toUpper()));
}

int suitOfLetter(QChar c) { return int(QStringLiteral("SHDC").indexOf(c.toUpper())); }

// Whether a shape pattern ("4333", "5xxx") fits the four lengths, in this order or (any) in any.
bool shapeFits(const QString &pattern, bool any, std::array<int, 4> lengths)
{
    auto fitsInOrder = [&pattern](const std::array<int, 4> &l) {
        for (int i = 0; i < 4; ++i) {
            const QChar p = pattern[i];
            if (p.toLower() != QLatin1Char('x') && p.digitValue() != l[i])
                return false;
        }
        return true;
    };
    if (!any)
        return fitsInOrder(lengths);
    std::sort(lengths.begin(), lengths.end());
    do {
        if (fitsInOrder(lengths))
            return true;
    } while (std::next_permutation(lengths.begin(), lengths.end()));
    return false;
}

class Parser {
public:
    Parser(QList<Token> tokens, int language)
        : m_tokens(std::move(tokens))
        , m_language(language)
    { }

    Program run()
    {
        while (peek().kind != Token::End)
            statement();
        return std::move(m_program);
    }

private:
    const Token &peek(int ahead = 0) const { return m_tokens[std::min<qsizetype>(m_at + ahead, m_tokens.size() - 1)]; }
    Token take()
    {
        Token t = peek();
        if (m_at < m_tokens.size() - 1)
            ++m_at;
        return t;
    }
    static QString lower(const Token &t) { return t.text.toLower(); }
    bool isSymbol(const char *s, int ahead = 0) const
    {
        return peek(ahead).kind == Token::Symbol && peek(ahead).text == QLatin1String(s);
    }
    bool isWord(const char *w) const { return peek().kind == Token::Word && lower(peek()) == QLatin1String(w); }

    [[noreturn]] void fail(const Token &at, const QString &message) const
    {
        throw Failure {at.line, at.column, message};
    }
    [[noreturn]] void expected(int what) const
    {
        fail(peek(), filled(Expected, m_language, QLatin1Char('*'), ResString(what, m_language)));
    }
    void expectSymbol(const char *s)
    {
        if (!isSymbol(s))
            fail(
                peek(), filled(Expected, m_language, QLatin1Char('*'), QStringLiteral("\"%1\"").arg(QLatin1String(s))));
        take();
    }
    [[noreturn]] void leftOut(const Token &t) const { fail(t, filled(LeftOut, m_language, QLatin1Char('~'), t.text)); }

    std::int64_t number()
    {
        if (peek().kind != Token::Number)
            expected(ExpectedNumber);
        const Token t = take();
        bool ok = false;
        const qint64 v = t.text.toLongLong(&ok);
        if (!ok || v > MaxNumber)
            fail(t, filled(NumberTooBig, m_language, QLatin1Char('~'), t.text));
        return v;
    }

    int seat()
    {
        const int s = peek().kind == Token::Word ? int(SeatWords.indexOf(lower(peek()))) : -1;
        if (s < 0)
            expected(ExpectedSeat);
        take();
        return s;
    }

    int suit()
    {
        const int s = peek().kind == Token::Word ? suitOfWord(lower(peek())) : -1;
        if (s < 0)
            expected(ExpectedSuit);
        take();
        return s;
    }

    void statement()
    {
        const Token t = peek();
        const QString w = lower(t);
        if (t.kind == Token::Word && isSymbol("=", 1) && !isSymbol("=", 2)) {
            if (isKeyword(w))
                fail(t, filled(ReservedWord, m_language, QLatin1Char('~'), t.text));
            take();
            take();
            m_names.insert(t.text, expression());
            return;
        }
        if (t.kind != Token::Word || !isStatementWord(w)) {
            m_program.condition = expression();
            return;
        }
        take();
        if (w == QLatin1String("generate")) {
            m_program.generate = number();
        } else if (w == QLatin1String("produce")) {
            m_program.produce = number();
        } else if (w == QLatin1String("dealer")) {
            m_program.dealer = seat();
        } else if (w == QLatin1String("vulnerable")) {
            static const QStringList values {
                QStringLiteral("none"), QStringLiteral("ns"), QStringLiteral("ew"), QStringLiteral("all")};
            const int v = peek().kind == Token::Word ? int(values.indexOf(lower(peek()))) : -1;
            if (v < 0)
                expected(ExpectedVulnerability);
            take();
            m_program.vulnerability = v;
        } else if (w == QLatin1String("predeal")) {
            predeal();
        } else if (w == QLatin1String("condition")) {
            m_program.condition = expression();
        } else if (w == QLatin1String("action")) {
            actions();
        } else {
            leftOut(t);
        }
    }

    static bool isStatementWord(const QString &w)
    {
        static const QStringList words {QStringLiteral("generate"), QStringLiteral("produce"), QStringLiteral("dealer"),
            QStringLiteral("vulnerable"), QStringLiteral("predeal"), QStringLiteral("condition"),
            QStringLiteral("action"), QStringLiteral("pointcount"), QStringLiteral("altcount")};
        return words.contains(w);
    }

    // "predeal south SAQ542, HKJ87, D32, CAK" and "predeal north, S2": a seat, then holdings (a
    // suit letter and its cards) separated by commas; a seat after a comma starts the next hand.
    void predeal()
    {
        int who = seat();
        if (isSymbol(","))
            take();
        for (;;) {
            if (peek().kind != Token::Word)
                expected(ExpectedCard);
            const Token t = take();
            const int s = suitOfLetter(t.text[0]);
            if (s < 0 || t.text.size() < 2)
                fail(t, filled(Expected, m_language, QLatin1Char('*'), ResString(ExpectedCard, m_language)));
            const QString ranks = t.text.mid(1).replace(QLatin1String("10"), QLatin1String("T"));
            for (const QChar c : ranks) {
                const int r = rankOfLetter(c);
                if (r < 0)
                    fail(t, filled(Expected, m_language, QLatin1Char('*'), ResString(ExpectedCard, m_language)));
                const HandBits bit = cardBit(s, r);
                for (const HandBits held : m_program.predeal.hands)
                    if (held & bit)
                        fail(t,
                            filled(CardTwice, m_language, QLatin1Char('~'),
                                QStringLiteral("SHDC")[s] + QString(c.toUpper())));
                m_program.predeal.hands[who] |= bit;
                if (std::popcount(m_program.predeal.hands[who]) > 13)
                    fail(t, filled(TooManyCards, m_language, QLatin1Char('*'), SeatName(who, m_language)));
            }
            if (!isSymbol(","))
                return;
            take();
            if (peek().kind == Token::Word && SeatWords.contains(lower(peek()))) {
                who = seat();
                if (isSymbol(","))
                    take();
            }
        }
    }

    void actions()
    {
        for (;;) {
            const Token t = peek();
            const QString w = lower(t);
            if (t.kind == Token::Word && w == QLatin1String("printoneline"))
                m_program.actions << Action::PrintOneLine;
            else if (t.kind == Token::Word && w == QLatin1String("printpbn"))
                m_program.actions << Action::PrintPbn;
            else if (t.kind == Token::Word && LeftOutWords.contains(w))
                leftOut(t);
            else
                expected(ExpectedAction);
            take();
            if (!isSymbol(","))
                return;
            take();
        }
    }

    int add(Node node)
    {
        // The work of evaluating the node: its own and that of every operand, shared ones counted
        // each time they are used.
        std::int64_t size = 1;
        for (int operand : {node.a, node.b, node.c})
            size += operand >= 0 ? m_sizes[operand] : 0;
        if (size > MaxConditionSize)
            fail(peek(), ResString(TooComplex, m_language));
        m_sizes.push_back(size);
        m_program.nodes.push_back(node);
        return int(m_program.nodes.size()) - 1;
    }
    int binary(Op op, int a, int b) { return add(Node {op, 0, -1, a, b, -1, 0}); }

    int expression()
    {
        if (++m_nesting > MaxNesting)
            fail(peek(), ResString(TooComplex, m_language));
        const int condition = orExpression();
        --m_nesting;
        if (!isSymbol("?"))
            return condition;
        take();
        const int yes = expression();
        expectSymbol(":");
        const int no = expression();
        return add(Node {Op::Choose, 0, -1, condition, yes, no, 0});
    }

    int orExpression()
    {
        int left = andExpression();
        while (isSymbol("||") || isWord("or")) {
            take();
            left = binary(Op::Or, left, andExpression());
        }
        return left;
    }

    int andExpression()
    {
        int left = equality();
        while (isSymbol("&&") || isWord("and")) {
            take();
            left = binary(Op::And, left, equality());
        }
        return left;
    }

    int equality()
    {
        int left = comparison();
        while (isSymbol("==") || isSymbol("!=")) {
            const Op op = take().text == QLatin1String("==") ? Op::Equal : Op::NotEqual;
            left = binary(op, left, comparison());
        }
        return left;
    }

    int comparison()
    {
        int left = sum();
        while (isSymbol("<") || isSymbol("<=") || isSymbol(">") || isSymbol(">=")) {
            const QString s = take().text;
            const Op op = s == QLatin1String("<") ? Op::Less
                : s == QLatin1String("<=")        ? Op::LessEqual
                : s == QLatin1String(">")         ? Op::Greater
                                                  : Op::GreaterEqual;
            left = binary(op, left, sum());
        }
        return left;
    }

    int sum()
    {
        int left = product();
        while (isSymbol("+") || isSymbol("-")) {
            const Op op = take().text == QLatin1String("+") ? Op::Add : Op::Subtract;
            left = binary(op, left, product());
        }
        return left;
    }

    int product()
    {
        int left = unary();
        while (isSymbol("*") || isSymbol("/") || isSymbol("%")) {
            const QString s = take().text;
            const Op op = s == QLatin1String("*") ? Op::Multiply : s == QLatin1String("/") ? Op::Divide : Op::Modulo;
            left = binary(op, left, unary());
        }
        return left;
    }

    int unary()
    {
        if (!isSymbol("!") && !isWord("not") && !isSymbol("-"))
            m_unaryRun = 0;
        else if (++m_unaryRun > MaxNesting)
            fail(peek(), ResString(TooComplex, m_language));
        if (isSymbol("!") || isWord("not")) {
            take();
            return add(Node {Op::Not, 0, -1, unary(), -1, -1, 0});
        }
        if (isSymbol("-")) {
            take();
            return add(Node {Op::Negate, 0, -1, unary(), -1, -1, 0});
        }
        return primary();
    }

    int primary()
    {
        const Token t = peek();
        if (t.kind == Token::Number)
            return add(Node {Op::Number, 0, -1, -1, -1, -1, number()});
        if (isSymbol("(")) {
            take();
            const int inner = expression();
            expectSymbol(")");
            return inner;
        }
        if (t.kind != Token::Word)
            expected(ExpectedExpression);
        const QString w = lower(t);
        if (LeftOutWords.contains(w))
            leftOut(t);
        if (!isKeyword(w)) {
            take();
            const auto found = m_names.constFind(t.text);
            if (found == m_names.constEnd())
                fail(t, filled(UnknownWord, m_language, QLatin1Char('~'), t.text));
            return *found;
        }
        take();
        if (const int s = suitOfWord(w); s >= 0)
            return seatCall(Op::Length, s, false);
        if (w == QLatin1String("hcp") || w == QLatin1String("hcps"))
            return seatCall(Op::Hcp, -1, true);
        if (w == QLatin1String("control") || w == QLatin1String("controls"))
            return seatCall(Op::Controls, -1, true);
        if (w == QLatin1String("loser") || w == QLatin1String("losers"))
            return seatCall(Op::Losers, -1, true);
        if (const int k = countOfWord(w); k >= 0) {
            const int node = seatCall(Op::Count, -1, true);
            m_program.nodes[node].value = k;
            return node;
        }
        if (w == QLatin1String("shape"))
            return shapeCall();
        if (w == QLatin1String("hascard"))
            return hasCardCall();
        fail(t, filled(Expected, m_language, QLatin1Char('*'), ResString(ExpectedExpression, m_language)));
    }

    // name(seat) or, when a suit may follow, name(seat, suit).
    int seatCall(Op op, int suitOfName, bool suitMayFollow)
    {
        expectSymbol("(");
        Node node {op, std::int8_t(seat()), std::int8_t(suitOfName), -1, -1, -1, 0};
        if (suitMayFollow && isSymbol(",")) {
            take();
            node.suit = std::int8_t(suit());
        }
        expectSymbol(")");
        return add(node);
    }

    int hasCardCall()
    {
        expectSymbol("(");
        const int who = seat();
        expectSymbol(",");
        const Token t = peek();
        QString text = (t.kind == Token::Word || t.kind == Token::Number) ? t.text : QString();
        text.replace(QLatin1String("10"), QLatin1String("T"));
        int s = -1, r = -1;
        if (text.size() == 2) {
            // The rank first ("AS", "TC"), or the suit first as in a predeal ("SA").
            r = rankOfLetter(text[0]);
            s = suitOfLetter(text[1]);
            if (r < 0 || s < 0) {
                s = suitOfLetter(text[0]);
                r = rankOfLetter(text[1]);
            }
        }
        if (r < 0 || s < 0)
            expected(ExpectedCard);
        take();
        expectSymbol(")");
        return add(Node {Op::HasCard, std::int8_t(who), -1, -1, -1, -1, std::int64_t(cardBit(s, r))});
    }

    // shape(seat, any 4333 + 54xx - any 0xxx): the first pattern and those after "+" join the set,
    // those after "-" leave it, in the order written.
    int shapeCall()
    {
        expectSymbol("(");
        const int who = seat();
        expectSymbol(",");
        ShapeSet set;
        bool adding = true;
        if (isSymbol("+") || isSymbol("-"))
            adding = take().text == QLatin1String("+");
        for (;;) {
            bool any = false;
            if (isWord("any")) {
                take();
                any = true;
            }
            const Token t = peek();
            const bool shaped = (t.kind == Token::Word || t.kind == Token::Number) && t.text.size() == 4
                && std::all_of(t.text.begin(), t.text.end(),
                    [](QChar c) { return (c.isDigit() && c.unicode() < 128) || c.toLower() == QLatin1Char('x'); });
            if (!shaped)
                expected(ExpectedShape);
            take();
            for (int s = 0; s <= 13; ++s)
                for (int h = 0; s + h <= 13; ++h)
                    for (int d = 0; s + h + d <= 13; ++d)
                        if (shapeFits(t.text, any, {s, h, d, 13 - s - h - d}))
                            set.set(ShapeSet::indexOf(s, h, d), adding);
            if (isSymbol("+") || isSymbol("-")) {
                adding = take().text == QLatin1String("+");
                continue;
            }
            break;
        }
        expectSymbol(")");
        m_program.shapes.push_back(set);
        return add(Node {Op::Shape, std::int8_t(who), -1, -1, -1, -1, std::int64_t(m_program.shapes.size() - 1)});
    }

    QList<Token> m_tokens;
    qsizetype m_at = 0;
    int m_language;
    Program m_program;
    QHash<QString, int> m_names;
    std::vector<std::int64_t> m_sizes; // per node, see add()
    int m_nesting = 0;
    int m_unaryRun = 0; // "!" and "-" in a row
};

} // namespace

QString ScriptError::text(int languageNumber) const
{
    QString t = ResString(AtLineColumn, languageNumber);
    t = fillPlaceholder(t, QLatin1Char('~'), QString::number(line));
    t = fillPlaceholder(t, QLatin1Char('#'), QString::number(column));
    return fillPlaceholder(t, QLatin1Char('*'), message);
}

ParseResult parseScript(const QString &text, int languageNumber)
{
    ParseResult result;
    try {
        Parser parser(tokenize(text, languageNumber), languageNumber);
        result.program = parser.run();
    } catch (const Failure &f) {
        result.error = {f.line, f.column, f.message};
    }
    return result;
}

} // namespace briqo::generate
