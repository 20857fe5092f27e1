#pragma once

#include <QList>
#include <QString>

namespace briqo {

// Language numbers are the leading digits of the resource ids of each half of the table.
constexpr int LanguageDutch = 10;
constexpr int LanguageEnglish = 11;

// The text stored under a full resource id (10000 + n Dutch, 11000 + n English);
// an id with no text gives the empty text, as a failed resource load would.
QString resourceString(int id);

// The lookup used everywhere: pads n to three digits, takes a five-digit result as a complete
// id, and otherwise prefixes the language number. A language other than Dutch or English
// falls back to Dutch, so a hand-edited INI file never leaves the window without captions.
QString ResString(int n, int languageNumber);

// Texts of our own (past the last index the original table used): messages for failures the
// original program never reported, such as a game that cannot be written.
namespace own {
constexpr int CannotWriteGame = 200; // "~" = the file or folder
constexpr int CannotDeleteGame = 201; // "~" = the game folder
constexpr int CannotDeleteFile = 202;
constexpr int DealNotValid = 203;
constexpr int SaveNotFinished = 210; // "~" = the file
constexpr int FolderNotOnlyGame = 211; // "~" = the game folder, "#" = what else it holds
// One writer at a time in the games folder, and the import's own failures.
constexpr int GameNotWritten = 215; // "~" = the file or folder, "#" = the reason
constexpr int GamesFolderBusy = 216; // "~" = the games folder
constexpr int ImportStoppedBusy = 217; // "~" = how many games were not written
// Long work shown with its progress, and stopped by the user.
constexpr int ProgressCancel = 223;
constexpr int ProgressImport = 224;
constexpr int ProgressExport = 225;
constexpr int ProgressHandout = 226;
constexpr int ProgressPictures = 228;
constexpr int ImportStoppedByUser = 227; // "~" = how many games were not written
// The board picture, its printout and the pictures window.
constexpr int PictureNotTaken = 270;
constexpr int PictureNotSaved = 271; // "~" = the picture file
constexpr int CannotPrint = 272;
constexpr int PicturesNotDeleted = 273; // "~" = the pictures, one a line
// The question-and-answer window and the games overview.
constexpr int CharactersNotStored = 220; // "~" = the characters
constexpr int CannotWriteQuestion = 221; // "~" = the file
constexpr int PrintingFailed = 222;
// The handout of the games overview.
constexpr int HandoutButton = 290;
constexpr int HandoutTitle = 291;
constexpr int HandoutWritten = 292; // "~" = the file
constexpr int HandoutNotWritten = 293; // "~" = the file
constexpr int HandoutWebPageFilter = 294; // the file dialog's choice of a web page
} // namespace own

// Every index the table holds, in the table's order; an index given twice appears twice.
QList<int> stringIndexes();

// A message as it is shown: every "|" becomes a line break.
QString messageText(const QString &text);

// Replaces every occurrence of a placeholder character ("~", "#" or "*") by a value.
QString fillPlaceholder(QString text, QChar placeholder, const QString &value);

// The language number read from the INI value: its leading digits, 10 when the value is
// empty, and 10 as well for any number other than 10 or 11.
int languageFromIniValue(const QString &value);

// The leading numeric value of a text as the original program's Val() gives it: leading blanks
// skipped, an optional sign, then digits; 0 when the text does not start with a number.
long long leadingNumber(const QString &text);

} // namespace briqo
