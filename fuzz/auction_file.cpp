// libFuzzer target: the auction file as a user may leave it after editing it by hand, loaded onto
// the bidding model as the window does, then bid on, rotated and saved again. The second part of
// the input (after a line "@@") is the clicks on the bidding box that follow the load.

#include "auction/auction_model.h"
#include "auction/final_contract.h"
#include "auction/rotation.h"
#include "fuzz_support.h"
#include "base/string_table.h"
#include "store/game_files.h"

using namespace briqo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QList<QByteArray> input = fuzz::parts(fuzz::bytesOf(data, size), 2);
    const QString path = fuzz::scratchFolder() + QStringLiteral("/Spel 005 bieding.txt");
    fuzz::putFile(path, input[0]);

    const std::optional<AuctionFile> read = readAuctionFile(path);
    FUZZ_CHECK(read.has_value() == (input[0].size() > 10));
    if (!read)
        return 0;
    nextNoteNumber(*read);
    for (const FileCell &cell : read->cells)
        noteNumber(cell.note);

    // What the program writes back reads as what it read.
    fuzz::putFile(path, auctionFileBytes(*read));
    FUZZ_CHECK(readAuctionFile(path) == read);

    AuctionModel model;
    model.loadFrom(read->callKinds, QList<FileCell>(read->cells.begin(), read->cells.end()));
    for (int language : {LanguageDutch, LanguageEnglish}) {
        if (const std::optional<FinalContract> contract = finalContract(model))
            contractText(*contract, language);
    }
    hiddenRowNumbers(model);
    auctionBottom(model);
    model.commonTail();

    for (const char click : input[1]) {
        const int k = static_cast<unsigned char>(click) % 42 - 1; // -1 and 41: outside the box
        const ClickOutcome outcome = model.click(k, QStringLiteral("x"));
        if (outcome.askDeleteAll)
            model.clearAll(North);
        if (k == 41 && canRotate(model))
            rotateGrid(model, static_cast<unsigned char>(click));
        finalContract(model);
        auctionBottom(model);
    }
    const QList<FileCell> cells = model.cellsForFile();
    FUZZ_CHECK(cells.size() == AuctionCells);
    return 0;
}
