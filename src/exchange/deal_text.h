#pragma once

#include "deal/deal.h"

#include <QString>

#include <optional>

namespace briqo {

// The exchange formats write cards with the English letters (A K Q J T 9 .. 2) and the suits S H D C,
// whatever the language of the interface. Inside this folder a deal is 16 holdings in those letters
// (field = 4 x seat + suit, highest card first), converted to the language only when it becomes a game.

// A card of the exchange formats: suit in hand order (0 spades .. 3 clubs), rank as an English letter.
struct ExchangeCard {
    int suit = 0;
    QChar rank;

    bool operator==(const ExchangeCard &) const = default;
};

// "SA", "HT", "D10", "c7": suit letter then rank, either case; nullopt for anything else.
std::optional<ExchangeCard> parseCard(const QString &text);
QString cardText(const ExchangeCard &card); // "HK"

// The seat letter of the formats: N E S W (either case); -1 for anything else.
int seatFromLetter(QChar c);
QChar seatLetter(int seat);

// What reading a deal text gave: recognised tells that the text has the shape of the kind of deal
// asked for; deal holds it only when it is 52 different cards, 13 in each hand. Three complete
// hands and one unknown ("-" or empty) give the fourth, as typing three hands does.
struct DealText {
    bool recognised = false;
    std::optional<Holdings> deal;

    bool operator==(const DealText &) const = default;
};

// "N:AKQ.JT9.876.5432 - ... ...": the seat of the first hand, then the hands clockwise.
DealText parsePbnDeal(const QString &text);
// The hands clockwise from first (the dealer, as the standard asks).
QString formatPbnDeal(const Holdings &deal, int first);

// LIN "md": the dealer digit (1 South, 2 West, 3 North, 4 East) and the hands South, West, North,
// East, each "S..H..D..C..". With or without the leading "md|" and the closing "|".
DealText parseLinDeal(const QString &text, int *dealer = nullptr);
QString formatLinDeal(const Holdings &deal, int dealer);

// LIN dealer digits.
int linDealerDigit(int seat);
int seatFromLinDigit(QChar c); // -1 when not 1-4

// The deal checks of the exchange letters: 13 cards in each hand, 52 different cards.
bool isCompleteExchangeDeal(const Holdings &deal);
// Fills the one empty hand when the other three hold 13 cards each.
void completeFourthHand(Holdings &deal);

// Between the exchange letters and the letters of a language; tens are written "T" both ways and
// each holding comes out highest card first. A letter unknown to the alphabet is dropped.
Holdings dealInLanguage(const Holdings &deal, int languageNumber);
Holdings dealFromLanguage(const Holdings &deal, int languageNumber);

} // namespace briqo
