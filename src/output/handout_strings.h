#pragma once

namespace briqo::handout_text {

// Numbers of the string table entries of handouts and their choices (both languages).
constexpr int PageOf = 700; // "~" = the page, "#" = how many pages
constexpr int DialogTitle = 701;
constexpr int Layout = 702;
constexpr int LayoutBoard = 703;
constexpr int LayoutRecord = 704;
constexpr int LayoutQuestion = 705;
constexpr int Title = 706;
constexpr int Subtitle = 707;
constexpr int Shows = 708;
constexpr int ShowLead = 709;
constexpr int ShowAuction = 710;
constexpr int ShowContract = 711;
constexpr int ShowPoints = 712;
constexpr int ShowDoubleDummy = 713;
constexpr int ShowHands = 714;
constexpr int ShowNotice = 715;
constexpr int PerPage = 716;
constexpr int AnswersInline = 717;
constexpr int Make = 718;
constexpr int Cancel = 719;

} // namespace briqo::handout_text
