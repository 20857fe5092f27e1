// libFuzzer target: the hands file as a user may leave it after editing it by hand, read as the
// load does and run through every rule that looks at a loaded deal: counts, points, sorting, the
// deal check, the hand that completes itself, the card checks of typing and turning the board.

#include "auction/rotation.h"
#include "deal/deal.h"
#include "deal/hand_rules.h"
#include "fuzz_support.h"
#include "base/string_table.h"
#include "store/game_files.h"

using namespace briqo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzz::scratchFolder() + QStringLiteral("/Spel 005 handen.txt");
    fuzz::putFile(path, fuzz::bytesOf(data, size));
    const Holdings deal = readHandsFile(path);

    // Saved again, every holding comes back whole, its tens written "T".
    fuzz::putFile(path, handsFileBytes(deal));
    const Holdings again = readHandsFile(path);
    for (int field = 0; field < FieldCount; ++field)
        FUZZ_CHECK(again[field] == tensAsT(deal[field]));

    const int total = totalCards(deal);
    for (int language : {LanguageDutch, LanguageEnglish}) {
        const bool valid = isValidCompleteDeal(deal, language);
        FUZZ_CHECK(!valid || total == 52);
        seatToComplete(deal);
        for (int seat = 0; seat < SeatCount; ++seat) {
            CardCount(deal, seat);
            HighCardPoints(deal, seat, language);
            for (int suit = 0; suit < 4; ++suit) {
                const QString &holding = deal[FieldOf(seat, suit)];
                const QString sorted = sortedHolding(holding, language);
                // Sorting drops what is no card and never adds one ("T" and "10" both stay tens).
                FUZZ_CHECK(CardCount(sorted) <= CardCount(holding));
                tensAs10(holding);
                missingCards(deal, seat, suit, language);
            }
        }
        for (const QChar c : AcceptedCardChars(language))
            for (int field = 0; field < FieldCount; ++field)
                checkCardKey(deal, field, c.toUpper());
    }
    const std::array<QString, 16> turned = rotateHands(deal);
    FUZZ_CHECK(totalCards(turned) == total);
    return 0;
}
