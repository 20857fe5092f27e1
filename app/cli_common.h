#pragma once
// What every subcommand of briqo-cli shares: its texts in both languages, the exit codes and the
// reading of its options.

#include "base/progress.h"
#include "base/string_table.h"
#include "exchange/importer.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace briqo::cli {

constexpr int ExitOk = 0;
constexpr int ExitRefused = 1; // some boards or games were refused, left out or not written
constexpr int ExitBadInput = 2; // bad arguments, or a file that cannot be read or written

// The command's own texts, Dutch and English; messages about games come from the string table.
enum CliText {
    Usage,
    UnknownCommand,
    UnknownOption,
    MissingValue,
    BadValue,
    MissingFile,
    NotStored,
    ClashStop,
    BadGames,
    NoGame,
    OneGameOnly,
    FolderForGames,
    CannotWrite,
    Written,
    NotInBoardFile,
    IntoGamesFolder,
    NotPdf,
};

QString cliText(CliText t, int language);

// Prints one message to standard error whole: a NUL or another control character that came from
// an input file is shown as a replacement mark instead of cutting or garbling the message.
void printError(const QString &text);
// ProgressReport on standard error as one line that rewrites itself ("Importing games... 12/50"), only
// when standard error is a terminal; a script's log gets nothing.
ProgressReport terminalProgress(const QString &label);
// The same for a text of the string table, whose "|" marks line breaks (as in the window).
void printMessage(const QString &text);

// Writes an output file whole through a temporary file; on failure says which file and why (the
// earlier file stays) and gives false.
bool writeOutput(const QString &path, const QByteArray &bytes, int language);

// The options of every subcommand: the positional words, "--name value" pairs and "--name" flags.
struct Arguments {
    QStringList positional;
    QMap<QString, QString> options;
    QString folder;
    int language = LanguageDutch;

    bool has(const char *option) const { return options.contains(QLatin1String(option)); }
    QString value(const char *option) const { return options.value(QLatin1String(option)); }
};

// What --on-clash asks for (stop, the default, skip or overwrite); none, with the refusal printed,
// for any other value.
std::optional<ClashChoice> clashChoiceOf(const Arguments &a);

// Reads the options a subcommand knows (flags take no value); false (with the message printed)
// for anything else.
bool parseArguments(const QStringList &args, const QStringList &known, Arguments &out, const QStringList &flags = {});

// "1-12,15" -> 1..12, 15; nullopt for anything that is not such a list.
std::optional<QList<long long>> parseGameList(const QString &text);

// The bytes of a board file to read (at most 256 MB); none, with the message printed, when it
// cannot be read.
std::optional<QByteArray> readInputFile(const QString &path, int language);

int runPicture(const QStringList &args);
int runHandout(const QStringList &args);

} // namespace briqo::cli
