#pragma once

namespace briqo::generate_text {

// Numbers of the string table entries of the deal generator (both languages).
// Placeholders: "~" a value or word, "#" a count or number, "*" a detail.
constexpr int AtLineColumn = 600; // "~" line, "#" column, "*" the message
constexpr int Expected = 601; // "*" what was expected
constexpr int ExpectedSeat = 602;
constexpr int ExpectedSuit = 603;
constexpr int ExpectedNumber = 604;
constexpr int ExpectedExpression = 605;
constexpr int ExpectedCard = 606;
constexpr int ExpectedShape = 607;
constexpr int ExpectedVulnerability = 608;
constexpr int ExpectedAction = 609;
constexpr int UnknownWord = 610; // "~" the word
constexpr int LeftOut = 611; // "~" the word
constexpr int CardTwice = 612; // "~" the card
constexpr int TooManyCards = 613; // "*" the seat
constexpr int UnexpectedCharacter = 614; // "~" the character
constexpr int NumberTooBig = 615; // "~" the number
constexpr int ReservedWord = 616; // "~" the word
constexpr int UnclosedComment = 617;
constexpr int TooComplex = 619;

constexpr int MenuGenerate = 620;
constexpr int DialogTitle = 621;
constexpr int PointsRange = 622;
constexpr int Balanced = 623;
constexpr int FixedCards = 624;
constexpr int ScriptCaption = 625;
constexpr int DealCount = 626;
constexpr int FirstNumber = 627;
constexpr int ToGames = 628;
constexpr int ToPbn = 629;
constexpr int Start = 630;
constexpr int Stop = 631;
constexpr int Impossible = 633; // "#" asked, "~" found, "*" tried
constexpr int Done = 634; // "~" made, "#" tried
constexpr int Cancelled = 635;
constexpr int BadFixedCards = 636; // "*" the seat, "~" the text
constexpr int NumberTooHigh = 637; // "~" the last game number
constexpr int Progress = 638; // "#" tried, "~" found
constexpr int Browse = 639;
constexpr int Where = 640;
constexpr int SeatHeader = 641;
constexpr int Conditions = 642;
constexpr int NoFile = 644;
constexpr int MinAboveMax = 646; // "*" the seat
constexpr int ScriptError = 647; // "*" the error
constexpr int Written = 648; // "~" made, "#" the file
constexpr int PointsShort = 649;

} // namespace briqo::generate_text
