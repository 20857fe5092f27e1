// libFuzzer target: a whole game folder as a user, a copy from another machine or a save cut off
// at any instant may leave it, including the commit record and staged files of a save. Loading
// it twice gives the same game; a save either lands whole or leaves the stored files as they
// were; a deletion removes the folder or names what stops it.
//
// The input is parts separated by a line "@@"; each part is a file name on its first line and the
// file's bytes after it. The one-letter names A H L C Q W R stand for the auction, hands, lead,
// contract, question and answer files and the commit record; "A.new" for a staged auction file.

#include "fuzz_support.h"
#include "base/string_table.h"
#include "store/game_store.h"

using namespace briqo;

namespace {

QString fileName(const QByteArray &raw)
{
    static const QHash<QByteArray, QString> short_ = {
        {"A", QStringLiteral("Spel 005 bieding.txt")},
        {"H", QStringLiteral("Spel 005 handen.txt")},
        {"L", QStringLiteral("Spel 005 Uitkomst.txt")},
        {"C", QStringLiteral("Spel 005 Contract.txt")},
        {"Q", QStringLiteral("Spel 005 Vraag.txt")},
        {"W", QStringLiteral("Spel 005 Antwoord.txt")},
        {"R", QStringLiteral(".briqo-commit")},
    };
    QByteArray name = raw;
    QString ending;
    if (name.endsWith(".new")) {
        name.chop(4);
        ending = QStringLiteral(".new");
    }
    if (short_.contains(name))
        return short_.value(name) + ending;
    name = raw;
    name.replace('\0', '_').replace('/', '_').truncate(100);
    return name.isEmpty() || name == "." || name == ".." ? QString() : QString::fromLatin1(name);
}

QByteArray bytesAt(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString program = fuzz::scratchFolder() + QStringLiteral("/program");
    QDir(program).removeRecursively();
    const GameStore store(program, LanguageDutch);
    const QString folder = store.folderOf(5);
    QDir().mkpath(folder);
    for (const QByteArray &part : fuzz::parts(fuzz::bytesOf(data, size), 8)) {
        const qsizetype end = part.indexOf('\n');
        const QString name = fileName(end < 0 ? part : part.left(end));
        if (!name.isEmpty())
            fuzz::putFile(folder + u'/' + name, end < 0 ? QByteArray() : part.mid(end + 1));
    }

    const Game loaded = store.load(5);
    FUZZ_CHECK(loaded.number == 5);
    FUZZ_CHECK(store.load(5) == loaded);
    store.list();
    store.pictures(5);

    const GameFilePaths p = store.paths(5);
    const QByteArray auctionBefore = bytesAt(p.auction);
    const QByteArray handsBefore = bytesAt(p.hands);
    Game changed = loaded;
    changed.holdings[0] += QLatin1Char('2');
    const StoreResult saved = store.save(changed);
    if (saved) {
        const Game back = store.load(5);
        for (int field = 0; field < FieldCount; ++field)
            FUZZ_CHECK(back.holdings[field]
                == QString(changed.holdings[field]).replace(QStringLiteral("10"), QStringLiteral("T")));
        FUZZ_CHECK(back.auction == changed.auction.value_or(AuctionFile {}));
    } else if (saved.unchanged) {
        FUZZ_CHECK(bytesAt(p.auction) == auctionBefore);
        FUZZ_CHECK(bytesAt(p.hands) == handsBefore);
    }

    const RemoveResult removed = store.remove(5);
    FUZZ_CHECK(removed.ok == !QFileInfo::exists(folder));
    FUZZ_CHECK(removed.ok || !removed.blockers.isEmpty() || !removed.failedPath.isEmpty());
    return 0;
}
