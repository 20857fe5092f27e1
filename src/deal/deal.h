#pragma once

#include <QString>
#include <QStringList>

#include <array>

namespace briqo {

// Seats clockwise from North; suits of a hand top to bottom. A deal is held in 16 fields,
// field = 4 x seat + suit, so a hand is four consecutive fields.
enum Seat : int { North = 0, East = 1, South = 2, West = 3 };
enum HandSuit : int { Spades = 0, Hearts = 1, Diamonds = 2, Clubs = 3 };

constexpr int SeatCount = 4;
constexpr int FieldCount = 16;
using Holdings = std::array<QString, FieldCount>;

constexpr int SeatOfField(int field) { return field / 4; }
constexpr int SuitOfField(int field) { return field % 4; }
constexpr int FieldOf(int seat, int suit) { return 4 * seat + suit; }

QString SeatName(int seat, int languageNumber);
QString SuitName(int suit, int languageNumber);
QString VulnerabilityName(int value, int languageNumber);

// The 13 card letters of the language, lowest first: 2..9, then A K Q J T (A H V B T in Dutch).
QString RankAlphabet(int languageNumber);
// The letters that may be typed: the 13 above and the five honour letters in lower case.
QString AcceptedCardChars(int languageNumber);
// The name of a card in messages: the honour's word, or the letter itself for a spot card.
QString CardName(QChar letter, int languageNumber);

// Dealer (seat) and vulnerability (0 none, 1 North-South, 2 East-West, 3 both) of a game number.
// The cycle holds for games 1..1260 (dealer) and 1..1008 (vulnerability); other numbers, game 0
// included, give North and none, as the original lookup tables did.
int DealerOf(long long gameNumber);
int VulnerabilityOf(long long gameNumber);

// A holding as shown may write the ten "10"; every count, comparison and sort uses "T".
QString tensAsT(const QString &holding);
QString tensAs10(const QString &holding);

int CardCount(const QString &holding);
int CardCount(const Holdings &deal, int seat);
int HighCardPoints(const Holdings &deal, int seat, int languageNumber);

// The holding in descending rank order (A K Q J T 9 .. 2); letters outside the alphabet are
// dropped, duplicates kept; "10" stays "10" when the holding was written that way.
QString sortedHolding(const QString &holding, int languageNumber);

} // namespace briqo
