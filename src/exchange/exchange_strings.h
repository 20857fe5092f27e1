#pragma once

namespace briqo::exchange_text {

// Numbers of the string table entries for importing and exporting games (both languages).
// Placeholders: "~" the board or game, "#" a line number or count, "*" a detail.
constexpr int MenuImportPbn = 230;
constexpr int MenuExportGame = 231; // PBN or LIN, by the name of the file
constexpr int MenuExportAllPbn = 232;
constexpr int NoGameNumber = 233;
constexpr int MenuCopyLink = 234;
constexpr int ClashQuestion = 235; // "~" = the games that exist
constexpr int ClashOverwrite = 236;
constexpr int ClashSkip = 237;
constexpr int ClashCancel = 238;
constexpr int Summary = 239; // "~" written, "#" skipped, "*" refused
constexpr int BoardNumberRange = 240;
constexpr int NoBoardNumber = 241;
constexpr int DealNot52 = 242;
constexpr int DealerContradicts = 243; // "*" = the dealer the file gives
constexpr int VulnerabilityContradicts = 244; // "*" = the vulnerability the file gives
constexpr int NoDeal = 245;
constexpr int RepeatedBoard = 246; // "#" = how often the board appears
constexpr int OtherDealSameNumber = 247;
constexpr int AuctionLeftOut = 248; // "*" = one of the reasons below
constexpr int ReasonIllegalCall = 249; // "*" = the call
constexpr int ReasonTooLong = 250;
constexpr int ReasonWrongStart = 251;
constexpr int ReasonUnknownCall = 252; // "*" = the text
constexpr int LeadLeftOut = 253; // "*" = the card
constexpr int SyntaxNotUnderstood = 254; // "*" = the text
constexpr int SyntaxUnclosed = 255; // "*" = the opening character
constexpr int CannotRead = 256; // "~" = the file
constexpr int PasteNotADeal = 257;
constexpr int Exported = 258; // "~" = the count, "#" = the file
constexpr int NotExported = 259; // "~" = the game
constexpr int FileNotWritten = 300; // any output file: "~" = the file, "*" = the reason
constexpr int NoBoardFound = 301; // "~" = the file
constexpr int CommentaryCut = 302; // "~" board, "#" line
constexpr int CharactersReplaced = 303; // "~" = the characters
constexpr int ExportedOne = 304; // "#" = the file
constexpr int SummaryOneWritten = 305; // "#" skipped, "*" refused

} // namespace briqo::exchange_text
