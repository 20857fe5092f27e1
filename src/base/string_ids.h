#pragma once

// The numbers of the strings of the table, by what they say. Code names a string by these, never
// by its bare number.
namespace briqo::Str {

constexpr int Game = 0; // "Spel" / "Game": the game word of every folder and file name
constexpr int DealerCaption = 1;
constexpr int VulnerableCaption = 2;
constexpr int Maker = 3;
constexpr int North = 4; // North + seat: the seat names
constexpr int Pass = 8; // Pass, Double, Redouble follow in this order
constexpr int Double = 9;
constexpr int Redouble = 10;
constexpr int NumberTheBid = 11;
constexpr int DeleteLastBid = 12;
constexpr int DeleteEntireBidding = 13;
constexpr int GamesFolder = 14;
constexpr int MakerNotice = 15;
constexpr int LoadGame = 16;
constexpr int DeleteGame = 17;
constexpr int TenAs10 = 18;
constexpr int SaveAsBitmap = 19;
constexpr int Print = 20;
constexpr int SaveGame = 22;
constexpr int ClearBiddingQuestion = 23;
constexpr int GameReady = 24;
constexpr int HasThirteenCards = 25;
constexpr int Ace = 26; // Ace, King, Queen, Jack, Ten follow in this order
constexpr int Spades = 31; // Spades, Hearts, Diamonds, Clubs follow in this order
constexpr int CardUsedTwice = 35;
constexpr int DeletePermanently = 36;
constexpr int ProgramName = 37;
constexpr int BiddingWord = 38;
constexpr int HandsWord = 39;
constexpr int VulnerableNone = 40; // None, North-South, East-West, All follow in this order
constexpr int Visible = 44;
constexpr int NoUpdate = 45;
constexpr int DownloadUpdate = 46;
constexpr int CardLetters = 47;
constexpr int PointsVisible = 56;
constexpr int UpdateStarts = 58;
constexpr int Cards = 59;
constexpr int Points = 60;
constexpr int TurnGame = 61;
constexpr int CannotTurn = 62;
constexpr int NewNumber = 63;
constexpr int DeleteBmp = 64;
constexpr int Ok = 65;
constexpr int Lead = 66;
constexpr int Contract = 67;
constexpr int Declarer = 68;
constexpr int GiveLead = 69;
constexpr int LeadQuestion = 70;
constexpr int DeleteLead = 71;
constexpr int QuestionAndAnswer = 72;
constexpr int Question = 73;
constexpr int AnswerExplanation = 74;
constexpr int NoCardSymbols = 75;
constexpr int Save = 76;
constexpr int Back = 77;
constexpr int Answer = 78;
constexpr int DeleteQuestion = 79;
constexpr int DeleteAnswer = 80;
constexpr int ToClipboard = 81;
constexpr int QuestionAnswerSaved = 82;
constexpr int QuestionAnswerOnClipboard = 83;
constexpr int AlreadyExists = 84;
constexpr int PasteThePicture = 86;
constexpr int CompatibilityMode = 87;
constexpr int SortHighToLow = 88;
constexpr int SortLowToHigh = 89;
constexpr int ListOfBmp = 90;
constexpr int BmpFilesOfGame = 91;
constexpr int NoTrump = 92;
constexpr int NotSavedYet = 93;
constexpr int OverviewGames = 94;
constexpr int Close = 95;

} // namespace briqo::Str

// Our own strings for the double-dummy table (past the last index the original table used).
namespace briqo::dd_text {

constexpr int InPicture = 280; // the option of the bottom strip
constexpr int ParHeading = 281; // the overview's par column
constexpr int Working = 282; // a par cell of the overview while it is worked out
constexpr int ParProgress = 283; // the progress of the overview's par column

} // namespace briqo::dd_text
