#pragma once

#include <QList>
#include <QString>

namespace briqo {

// A question or answer is stored as typed (the game files are code page 1252, which has no suit
// symbols), so a teacher writes a suit as "!S" or as the PBN escape "\S". Pictures, handouts and
// web pages draw those as the suit's symbol. "!S" right after a lower-case letter ("Wow!So") is left as
// text.

// One run of a text: plain characters, or one suit symbol (suit 0..3 = spades, hearts, diamonds,
// clubs; -1 for plain text).
struct SuitTextPiece {
    QString text; // the characters, or the symbol itself for a suit
    int suit = -1;

    bool isSuit() const { return suit >= 0; }
    bool isRed() const { return suit == 1 || suit == 2; }
    bool operator==(const SuitTextPiece &) const = default;
};

// The text split into plain runs and suit symbols, in order; adjoining plain text is one piece.
QList<SuitTextPiece> suitTextPieces(const QString &text);

// The text with every suit mark replaced by its symbol (U+2660, U+2665, U+2666, U+2663).
QString withSuitSymbols(const QString &text);

// The symbol of a suit (0..3 as above).
QChar suitSymbol(int suit);

} // namespace briqo
