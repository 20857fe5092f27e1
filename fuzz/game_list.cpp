// libFuzzer target: the game list over whatever a user puts below the games folder. Each input
// line names a folder below the games folder ("Spel 005", "SPEL 7", "Kopie"); a line "name/file"
// also puts a file into it, and a line starting with "!" makes a file where the name belongs.
// Every listed game is one of this language's, in its own folder, loads, and is listed once.

#include "store/game_list.h"
#include "fuzz_support.h"
#include "base/string_table.h"
#include "store/game_store.h"

using namespace briqo;

namespace {

// A name the file system takes: no separator, no NUL, not "." or "..", at most 100 bytes.
QString usableName(QByteArray raw)
{
    raw.replace('\0', '_');
    raw.replace('/', '_');
    raw.truncate(100);
    if (raw.isEmpty() || raw == "." || raw == "..")
        return {};
    return QString::fromLatin1(raw);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString program = fuzz::scratchFolder() + QStringLiteral("/program");
    QDir(program).removeRecursively();
    const GameStore store(program, data && size && (data[0] & 1) ? LanguageEnglish : LanguageDutch);
    const QString root = store.gamesRoot();
    QDir().mkpath(root);

    int made = 0;
    for (const QByteArray &line : fuzz::bytesOf(data, size).split('\n')) {
        if (++made > 64)
            break;
        const bool fileHere = line.startsWith('!');
        const QByteArray spec = fileHere ? line.mid(1) : line;
        const qsizetype slash = spec.indexOf('/');
        const QString folder = usableName(slash < 0 ? spec : spec.left(slash));
        if (folder.isEmpty())
            continue;
        if (fileHere) {
            if (!QFileInfo::exists(root + u'/' + folder))
                fuzz::putFile(root + u'/' + folder, "1\r\n");
            continue;
        }
        // A file made earlier where this folder belongs stays a file.
        if (!QDir().mkpath(root + u'/' + folder))
            continue;
        const QString file = slash < 0 ? QString() : usableName(spec.mid(slash + 1));
        if (!file.isEmpty() && !QFileInfo(root + u'/' + folder + u'/' + file).isDir())
            fuzz::putFile(root + u'/' + folder + u'/' + file, "1222\r\n~~\r\n");
    }

    const QStringList listed = store.list();
    FUZZ_CHECK(std::is_sorted(listed.begin(), listed.end()));
    FUZZ_CHECK(std::adjacent_find(listed.begin(), listed.end()) == listed.end());
    for (const QString &entry : listed) {
        const long long n = entryGameNumber(entry);
        FUZZ_CHECK(n >= 0 && n <= 999);
        FUZZ_CHECK(entry == store.folderName(n));
        // Listed for any "... bieding.txt" of its own name, as the original lists "*bieding.txt":
        // "Spel 007 oude bieding.txt" lists game 7 even without its auction file, which loads empty.
        store.isStored(n);
        store.contractOfEntry(entry);
        FUZZ_CHECK(store.load(n).number == n);
    }
    FUZZ_CHECK(orderedGameList(listed, true).size() == listed.size());
    store.recoverAll();
    FUZZ_CHECK(store.list() == listed);
    return 0;
}
