#pragma once

#include <QChar>
#include <QString>

#include <optional>

namespace briqo {

// The seat that makes the opening lead: the one after the declarer (remembered for the lead), or, with no declarer
// known, the owner of the clicked hand field (field = 4 x seat + suit). -1 for a field outside 0..15 when no declarer
// is known.
int leaderSeat(std::optional<int> declarer, int clickedField);

// The card character at the caret of a hand field (the character just after the caret).
// A ten shown as "10" is the ten whichever of its two characters is clicked: both give "T".
// A null QChar at or past the end of the text (or for a negative caret).
QChar leadCharAt(const QString &fieldText, int caretPos);

// The card text of the lead: the honour's name (Aas/Ace, Heer/King, Vrouw/Queen, Boer/Jack),
// "T" or "10" for the ten depending on the ten-as-10 option, the character itself otherwise.
// "1" is read as the ten. An empty text for a null character.
QString leadCardText(QChar c, int languageNumber, bool tenShownAs10);

// The confirmation question: "Oost start met Harten Heer" / "East leads with the King of Hearts".
// suit in hand order (0 spades .. 3 clubs).
QString leadQuestion(int leader, int suit, const QString &cardText, int languageNumber);

// The lead file's line: "Oost - 1Heer"; a ten shown as "10" is written "T".
QString leadRecord(int leader, int suit, const QString &cardText, int languageNumber);

// The suit picture of the lead: 109 spades, 108 hearts, 107 diamonds, 106 clubs.
constexpr int leadPicture(int suit) { return 109 - suit; }

} // namespace briqo
