// libFuzzer target: the lead file as a user may leave it after editing it by hand. A line that
// parses writes back to a line that parses to the same lead.

#include "auction/lead_card.h"
#include "fuzz_support.h"
#include "base/string_table.h"
#include "store/game_files.h"

using namespace briqo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = fuzz::scratchFolder() + QStringLiteral("/Spel 005 Uitkomst.txt");
    fuzz::putFile(path, fuzz::bytesOf(data, size));
    const std::optional<LeadLine> lead = readLeadFile(path);
    if (!lead)
        return 0;
    FUZZ_CHECK(lead->suitIndex >= 0 && lead->suitIndex <= 3);

    QString error;
    FUZZ_CHECK(writeLeadFile(path, *lead, &error));
    const std::optional<LeadLine> again = readLeadFile(path);
    FUZZ_CHECK(again.has_value());
    FUZZ_CHECK(again->leaderName == lead->leaderName && again->suitIndex == lead->suitIndex);
    FUZZ_CHECK(again->cardText == QString(lead->cardText).replace(QStringLiteral("10"), QStringLiteral("T")));

    for (int language : {LanguageDutch, LanguageEnglish}) {
        const QChar first = lead->cardText.isEmpty() ? QChar() : lead->cardText[0];
        leadQuestion(0, lead->suitIndex, leadCardText(first, language, true), language);
        leadRecord(3, lead->suitIndex, lead->cardText, language);
    }
    return 0;
}
