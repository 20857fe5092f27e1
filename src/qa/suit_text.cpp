#include "qa/suit_text.h"

namespace briqo {

namespace {

int suitOfLetter(QChar letter)
{
    switch (letter.unicode()) {
    case 'S':
        return 0;
    case 'H':
        return 1;
    case 'D':
        return 2;
    case 'C':
        return 3;
    default:
        return -1;
    }
}

// The suit a mark at position i stands for, or -1 when there is no mark there.
int suitMarkAt(const QString &text, qsizetype i)
{
    if (i + 1 >= text.size())
        return -1;
    const QChar mark = text.at(i);
    if (mark != u'!' && mark != u'\\')
        return -1;
    // An exclamation mark ending a word is punctuation, not a suit; after a card ("AK!H") it is a suit.
    if (mark == u'!' && i > 0 && text.at(i - 1).isLower())
        return -1;
    return suitOfLetter(text.at(i + 1));
}

} // namespace

QChar suitSymbol(int suit)
{
    static constexpr char16_t symbols[] = {u'\u2660', u'\u2665', u'\u2666', u'\u2663'};
    return suit >= 0 && suit < 4 ? QChar(symbols[suit]) : QChar();
}

QList<SuitTextPiece> suitTextPieces(const QString &text)
{
    QList<SuitTextPiece> pieces;
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int suit = suitMarkAt(text, i);
        if (suit < 0) {
            plain += text.at(i);
            continue;
        }
        if (!plain.isEmpty())
            pieces.append({plain, -1});
        plain.clear();
        pieces.append({QString(suitSymbol(suit)), suit});
        ++i;
    }
    if (!plain.isEmpty())
        pieces.append({plain, -1});
    return pieces;
}

QString withSuitSymbols(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const SuitTextPiece &piece : suitTextPieces(text))
        result += piece.text;
    return result;
}

} // namespace briqo
