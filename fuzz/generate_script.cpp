// libFuzzer target: a script of the deal generator as a user writes it, and the fixed cards of the
// dialog (the part after a line "@@"). A script that reads must deal only deals that meet it and
// keep its predealt cards; one that does not must say where, within the text.

#include "fuzz_support.h"
#include "generate/constraints.h"
#include "generate/generated_games.h"
#include "generate/generator.h"
#include "generate/script.h"
#include "base/string_table.h"

#include <bit>

using namespace briqo;
using namespace briqo::generate;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> input = fuzz::parts(fuzz::bytesOf(data, size), 2);
    const QString text = QString::fromUtf8(input[0]);
    for (int language : {LanguageDutch, LanguageEnglish}) {
        DealConstraints c;
        c[language == LanguageDutch ? North : West].fixedCards = QString::fromUtf8(input[1]);
        const ConstraintScript made = scriptFromConstraints(c, language);
        FUZZ_CHECK(made.script.isEmpty() != made.error.isEmpty());
        if (!made.script.isEmpty())
            FUZZ_CHECK(parseScript(made.script, language).program.has_value());
    }

    const ParseResult parsed = parseScript(text, LanguageEnglish);
    if (!parsed.program) {
        FUZZ_CHECK(parsed.error.line >= 1 && parsed.error.line <= text.count(QLatin1Char('\n')) + 1);
        FUZZ_CHECK(parsed.error.column >= 1 && parsed.error.column <= text.size() + 1);
        FUZZ_CHECK(!parsed.error.message.isEmpty());
        return 0;
    }
    const Program &program = *parsed.program;
    GenerateOptions o;
    o.produce = 3;
    o.generateLimit = 300;
    o.threads = 2;
    const GenerateOutcome out = generateDeals(program, o);
    for (const Deal &d : out.deals) {
        FUZZ_CHECK(accepts(program, d));
        HandBits all = 0;
        for (int seat = 0; seat < 4; ++seat) {
            FUZZ_CHECK(std::popcount(d.hands[seat]) == 13);
            FUZZ_CHECK((d.hands[seat] & program.predeal.hands[seat]) == program.predeal.hands[seat]);
            all |= d.hands[seat];
        }
        FUZZ_CHECK(std::popcount(all) == 52);
        oneLineOfDeal(d);
    }
    return 0;
}
