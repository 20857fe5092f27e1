#include "base/string_table.h"

#include "base/string_ids.h"

#include <QHash>

namespace briqo {

namespace {

struct Entry {
    int index;
    const char *dutch;
    const char *english;
};

// The maker's notice (15) and website (45) are the same in both languages.
#define BRIQO_NOTICE "Briqo - bridge deal pictures - 2020"
#define BRIQO_WEBSITE "https://briqo.example"

// Both halves of the table, by string index. Texts are UTF-8 here and exact to the character:
// leading blanks, the tab at the end of 58 and the quote marks of 23 and 35 are part of them.
const Entry kEntries[] = {
    {0, "Spel", "Game"},
    {1, "Gever:", "Dealer:"},
    {2, "Kwetsbaar:", "Vulnerable:"},
    {3, "De maker", "The developer"},
    {4, "Noord", "North"},
    {5, "Oost", "East"},
    {6, "Zuid", "South"},
    {7, "West", "West"},
    {8, "Pas", "Pass"},
    {9, "DBL", "DBL"},
    {10, "RDBL", "RDBL"},
    {11, "Nummer de bieding (1)", "Number the bid (1)"},
    {12, "Wis laatste bieding", "Delete last bid"},
    {13, "Wis hele bieding", "Delete entire bidding"},
    {14, "Spellen", "Games"},
    {15, BRIQO_NOTICE, BRIQO_NOTICE},
    {16, "Lees spel", "Load game"},
    {17, "Wis spel", "Delete game"},
    {18, "T als 10 weergeven bij BMP en Afdrukken", "Display T as 10 for BMP and Print"},
    {19, "Opslaan als Bitmap (.BMP)", "Save as Bitmap (.BMP)"},
    {20, "Afdrukken", "Print"},
    {21, "Toon biedbox", "Show bidding box"},
    {22, "Spel Opslaan", "Save Game"},
    {23, "Wis de hele bieding.\"|\"Zeker weten?", "Clear the entire bidding.|Are you Sure?"},
    {24, "Spel klaar.", "Game ready."},
    {25, "~  heeft 13 kaarten.|Als hij er meer krijgt, dan moet je de arbiter roepen.",
        " ~ has 13 cards | If he gets more, you must call the arbiter."},
    {26, "Aas", "Ace"},
    {27, "Heer", "King"},
    {28, "Vrouw", "Queen"},
    {29, "Boer", "Jack"},
    {30, "Tien", "Ten"},
    {31, "Schoppen", "Spades"},
    {32, "Harten", "Hearts"},
    {33, "Ruiten", "Diamonds"},
    {34, "Klaveren", "Clubs"},
    {35, "\"~ #\" heeft u al een keer gebruikt.", "\"~ #\" has already been used once."},
    {36, "~ definitief wissen?||Zeker weten?", "Delete ~ permanently?||Are you sure?"},
    {37, "Briqo", "Briqo"},
    {38, "bieding", "bidding"},
    {39, "handen", "hands"},
    {40, "Niemand", "Non"},
    {41, "Noord-Zuid", "North-South"},
    {42, "Oost-West", "East-West"},
    {43, "Allen", "All"},
    {44, "Zichtbaar", "Visible"},
    {45, "Er is geen update van Briqo.|Probeer het straks nog eens een keer.||Raadpleeg mijn website: " BRIQO_WEBSITE,
        "There is no update of Briqo now.|Please try again later.||Look at my website: " BRIQO_WEBSITE},
    {46, "Download update", "Download update"},
    {47, "23456789AHVBTahvbt", "23456789AKQJTakqjt"},
    {56, "Punten zichtbaar", "Points visible"},
    {58, "Briqo wordt nu afgesloten en de installatie van de nieuwe versie zal zo starten.\t",
        "Briqo will now close and the installation of the new version will start."},
    {59, "Kaarten", "Cards"},
    {60, "Punten", "Points"},
    {61, "Draai spel naar rechts", "Turn game to the right"},
    {62, "Kan het spel niet draaien.|Er gaat dan een bieding verloren!||Pas de bieding aan.",
        "Cannot turn the game over.|A bid will be lost!||Adjust the bidding."},
    {63, "Nieuw nummer", "New number"},
    {64, "Wis BMP", "Delete BMP"},
    {65, "OK", "OK"},
    {66, "Uitkomst", "Lead"},
    {67, "Contract", "Contract"},
    {68, "Leider", "Leader"},
    {69, "Geef uitkomst", "Give lead"},
    {70, "~ start met # *", "~ leads with the * of #"},
    {71, "Wis uitkomst", "Delete lead"},
    {72, "Vraag en antwoord", "Question and answer"},
    {73, "Vraag", "Question"},
    {74, "Antwoord/uitleg", "Answer/explanation"},
    {75,
        "U kunt zowel bij de vraag als het antwoord/uitleg geen kaartsymbolen gebruiken. U dient de kaart "
        "symbolen met hun naam te benoemen.|Type Schoppen, Harten, Ruiten, Klaveren en Sans Atout.|U mag ook "
        "gewoon SA gebruiken.",
        "You cannot use card symbols for both the question and the answer/explanation. You must name the card "
        "symbols with their name.|Type of Spades, Hearts, Diamonds, Clubs and No Trump.|You can also use NT."},
    {76, "Opslaan", "Save"},
    {77, "Terug", "Back"},
    {78, "Antwoord", "Answer"},
    {79, "Wis vraag", "Delete question"},
    {80, "Wis antwoord/uitleg", "Delete answer/explanation"},
    {81, "Naar Klembord", "To Clipboard"},
    {82, "Vraag, antwoord/uitleg opgeslagen", "Question, answer/explanation saved"},
    {83, "Vraag, antwoord/uitleg in Klembord geplaatst", "Question, answer/explanation placed in Clipboard"},
    {84, "Het ~ bestaat al!|Wilt u ~ overschrijven?", "~ already exists!|Do you want to overwrite ~?"},
    {86, "U kunt nu met Plakken, het plaatje in een ander programma plakken.",
        "You can now paste the image into another program with Paste."},
    {87, "U heeft vermoedelijk de compatibiliteitsmodus niet of niet goed ingesteld.",
        "You probably have not set the compatibility mode or not set it correctly."},
    {88, "Sorteer hoog naar laag", "Sort high to low"},
    {89, "Sorteer laag naar hoog", "Sort low to high"},
    {90, "Lijst met BMP", "List of BMP"},
    {91, "BMP bestanden van spel", "BMP files from game"},
    {92, "SA", "NT"},
    {93, "U heeft nog niet op de knop Spel opslaan geklikt.|Wilt u het spel alsnog opslaan, klik dan op de knop Ja",
        "You have not yet clicked the Save game button.|If you want to save the game, click the Yes button"},
    {94, "Totaal overzicht spellen", "Overview games"},
    {95, "Sluiten", "Close"},
    // The double-dummy table and par.
    {dd_text::InPicture, "DD-tabel in plaatje", "DD table in picture"},
    {dd_text::ParHeading, "Par", "Par"},
    {dd_text::Working, "...", "..."},
    {dd_text::ParProgress, "Par uitrekenen...", "Working out the par..."},
    // Our own messages, for failures the original program left unhandled.
    {own::CannotWriteGame, "Het spel kan niet worden opgeslagen.|~ kan niet worden geschreven.||Er is niets veranderd.",
        "The game cannot be saved.|~ cannot be written.||Nothing has been changed."},
    {own::CannotDeleteGame, "~ kan niet helemaal worden gewist.|Het spel blijft in de lijst staan.",
        "~ cannot be deleted completely.|The game stays in the list."},
    {own::CannotDeleteFile, "~ kan niet worden gewist.", "~ cannot be deleted."},
    {own::DealNotValid, "Dit spel bevat een kaart twee keer of een hand met meer dan 13 kaarten.|Verbeter de handen.",
        "This deal holds a card twice or a hand with more than 13 cards.|Please correct the hands."},
    {own::SaveNotFinished,
        "Het spel is opgeslagen, maar ~ kon nog niet op zijn plaats worden gezet.|Dat gebeurt zodra het spel weer "
        "wordt gelezen.",
        "The game has been saved, but ~ could not be put in its place yet.|That happens when the game is read "
        "again."},
    {own::GameNotWritten, "~ kan niet worden geschreven: #.|Dat spel is niet veranderd.",
        "~ cannot be written: #.|That game has not been changed."},
    {own::GamesFolderBusy,
        "Een ander programma schrijft op dit moment in de map met spellen (~).|Probeer het zo nog eens; er is niets "
        "veranderd.",
        "Another program is writing in the games folder (~) at this moment.|Please try again shortly; nothing has "
        "been changed."},
    {own::ImportStoppedBusy,
        "Een ander programma bleef in de map met spellen schrijven: ~ spellen zijn niet geschreven.|Probeer het zo "
        "nog eens.",
        "Another program kept writing in the games folder: ~ games have not been written.|Please try again "
        "shortly."},
    {own::ProgressCancel, "Stoppen", "Stop"},
    {own::ProgressImport, "Spellen inlezen...", "Importing games..."},
    {own::ProgressExport, "Spellen exporteren...", "Exporting games..."},
    {own::ProgressHandout, "Hand-out maken...", "Making the handout..."},
    {own::ProgressPictures, "Plaatjes maken...", "Making the pictures..."},
    {own::ImportStoppedByUser, "Het inlezen is gestopt: ~ spellen zijn niet geschreven.",
        "The import was stopped: ~ games have not been written."},
    {own::FolderNotOnlyGame, "~ bevat ook dingen die niet bij het spel horen:|#||Het spel is niet gewist.",
        "~ also holds things that are not part of the game:|#||The game has not been deleted."},
    {own::PictureNotTaken, "Het plaatje van het bord is niet gelukt: er kwam geen afbeelding op het klembord.",
        "The picture of the board could not be taken: no image arrived on the clipboard."},
    {own::PictureNotSaved,
        "Het plaatje staat op het klembord, maar kan niet worden opgeslagen.|~ kan niet worden "
        "geschreven.",
        "The picture is on the clipboard, but it cannot be saved.|~ cannot be written."},
    {own::CannotPrint, "Er kan niet worden afgedrukt: de printer neemt de pagina niet aan.",
        "Cannot print: the printer does not accept the page."},
    {own::PicturesNotDeleted, "Deze plaatjes kunnen niet worden gewist:|~", "These pictures cannot be deleted:|~"},
    {own::CharactersNotStored,
        "Deze tekens kunnen niet in de bestanden van het spel worden bewaard:|~||Ze worden opgeslagen als ?. De "
        "rest van de tekst blijft zoals hij is.|Toch opslaan?",
        "These characters cannot be kept in the files of the game:|~||They are saved as ?. The rest of the text "
        "stays as it is.|Save anyway?"},
    {own::CannotWriteQuestion, "~ kan niet worden opgeslagen.|De tekst staat nog in het venster.",
        "~ cannot be saved.|The text is still in the window."},
    {own::PrintingFailed, "Het afdrukken is niet gelukt: de printer kan niet worden gebruikt.",
        "Printing failed: the printer cannot be used."},
    {own::HandoutButton, "Hand-out...", "Handout..."},
    {own::HandoutTitle, "Hand-out opslaan (PDF of webpagina)", "Save the handout (PDF or web page)"},
    {own::HandoutWritten, "De hand-out is geschreven:|~", "The handout has been written:|~"},
    {own::HandoutNotWritten, "De hand-out kan niet worden geschreven.|~ kan niet worden geschreven.",
        "The handout cannot be written.|~ cannot be written."},
    {own::HandoutWebPageFilter, "Webpagina", "Web page"},
    // Importing and exporting games in the PBN and LIN formats.
    {230, "PBN-bestand inlezen...", "Import PBN file..."},
    {231, "Dit spel exporteren (PBN of LIN)...", "Export this game (PBN or LIN)..."},
    {232, "Alle spellen exporteren naar PBN...", "Export all games to PBN..."},
    {233, "Typ eerst een spelnummer.", "Type a game number first."},
    {234, "Link voor de handviewer kopiëren", "Copy hand viewer link"},
    {235, "Deze spellen bestaan al:|~||Overschrijven, overslaan of annuleren?",
        "These games already exist:|~||Overwrite, skip or cancel?"},
    {236, "Overschrijven", "Overwrite"},
    {237, "Overslaan", "Skip"},
    {238, "Annuleren", "Cancel"},
    {239, "~ spellen geschreven, # overgeslagen, * geweigerd.", "~ games written, # skipped, * refused."},
    {240, "Bord ~ (regel #): het bordnummer moet tussen 1 en 999 liggen.",
        "Board ~ (line #): the board number must be 1 to 999."},
    {241, "Regel #: een spel zonder bordnummer.", "Line #: a game without a board number."},
    {242, "Bord ~ (regel #): de verdeling is geen 52 verschillende kaarten.",
        "Board ~ (line #): the deal is not 52 different cards."},
    {243, "Bord ~ (regel #): de gever in het bestand (*) past niet bij het bordnummer.",
        "Board ~ (line #): the dealer in the file (*) does not match the board number."},
    {244, "Bord ~ (regel #): de kwetsbaarheid in het bestand (*) past niet bij het bordnummer.",
        "Board ~ (line #): the vulnerability in the file (*) does not match the board number."},
    {245, "Bord ~ (regel #): er is geen verdeling.", "Board ~ (line #): there is no deal."},
    {246, "Bord ~ staat # keer in het bestand (een keer per tafel); de verdeling is een keer ingelezen.",
        "Board ~ appears # times in the file (once per table); its deal was imported once."},
    {247, "Bord ~ (regel #): dit nummer kwam al voor met een andere verdeling; de eerste is ingelezen.",
        "Board ~ (line #): this number came earlier with another deal; the first one was imported."},
    {248, "Bord ~ (regel #): de bieding is weggelaten: *.", "Board ~ (line #): the auction was left out: *."},
    {249, "de bieding * mag daar niet", "the call * is not allowed there"},
    {250, "ze is langer dan de negen rijen van het biedschema", "it is longer than the nine rows of the auction grid"},
    {251, "ze begint niet bij de gever", "it does not start with the dealer"},
    {252, "* is geen bieding", "* is not a call"},
    {253, "Bord ~ (regel #): de uitkomst * is weggelaten: die kaart zit niet in de hand van de uitkomer.",
        "Board ~ (line #): the lead * was left out: that card is not in the leader's hand."},
    {254, "Regel #: * wordt niet begrepen.", "Line #: * is not understood."},
    {255, "Regel #: * wordt niet afgesloten.", "Line #: * is not closed."},
    {256, "~ kan niet worden gelezen.", "~ cannot be read."},
    {257,
        "Het klembord bevat geen verdeling.|Plak een PBN-verdeling (N:AKQ...), een PBN-spel, een LIN md-tekst "
        "of een link van de handviewer.",
        "The clipboard holds no deal.|Paste a PBN deal (N:AKQ...), a PBN game, a LIN md text or a hand "
        "viewer link."},
    {258, "~ spellen geschreven naar #.", "~ games written to #."},
    {259, "~ is niet geëxporteerd: de verdeling is niet compleet.", "~ was not exported: its deal is not complete."},
    // Output files that cannot be written, and what an import or export changed on the way.
    {300, "~ kan niet worden geschreven: *.|Wat er al stond, is niet veranderd.",
        "~ cannot be written: *.|What was there already has not been changed."},
    {301, "~ bevat geen enkel bord (geen PBN- of LIN-spel met een verdeling). Er is niets geschreven.",
        "~ holds no board at all (no PBN or LIN game with a deal). Nothing was written."},
    {302,
        "Bord ~ (regel #): het commentaar is langer dan een spel kan bewaren (16 MiB); alleen het begin is "
        "ingelezen.",
        "Board ~ (line #): the commentary is longer than a game can keep (16 MiB); only its start was imported."},
    {303, "Tekens die ISO-8859-1 niet kent, zijn als hun naaste gewone vorm geschreven: ~",
        "Characters ISO-8859-1 does not hold were written as their nearest plain form: ~"},
    {304, "1 spel geschreven naar #.", "1 game written to #."},
    {305, "1 spel geschreven, # overgeslagen, * geweigerd.", "1 game written, # skipped, * refused."},
    // The deal generator: its script's errors, its dialog and its messages.
    {600, "Regel ~, kolom #: *", "Line ~, column #: *"},
    {601, "hier wordt * verwacht", "* expected here"},
    {602, "een windrichting (north, east, south, west)", "a seat (north, east, south, west)"},
    {603, "een kleur (spades, hearts, diamonds, clubs)", "a suit (spades, hearts, diamonds, clubs)"},
    {604, "een getal", "a number"},
    {605, "een uitdrukking", "an expression"},
    {606, "een kaart (zoals AS of TC)", "a card (such as AS or TC)"},
    {607, "een verdeling (zoals 4333, 5xxx of any 4432)", "a shape (such as 4333, 5xxx or any 4432)"},
    {608, "none, NS, EW of all", "none, NS, EW or all"},
    {609, "printoneline of printpbn", "printoneline or printpbn"},
    {610, "~ is onbekend: geef het eerst een waarde (~ = ...)", "~ is not known: give it a value first (~ = ...)"},
    {611, "~ kent Briqo niet (dit deel van de taal is weggelaten)",
        "Briqo does not offer ~ (this part of the language is left out)"},
    {612, "~ is al aan een hand gegeven", "~ is given to a hand already"},
    {613, "* krijgt meer dan 13 kaarten", "* would get more than 13 cards"},
    {614, "onverwacht teken ~", "unexpected character ~"},
    {615, "het getal ~ is te groot", "the number ~ is too big"},
    {616, "~ is een gereserveerd woord", "~ is a reserved word"},
    {617, "commentaar zonder */ aan het eind", "comment without */ at its end"},
    {619, "de voorwaarde is te groot of te diep genest", "the condition is too big or too deeply nested"},
    {620, "Maak spellen...", "Make deals..."},
    {621, "Maak spellen", "Make deals"},
    {622, "Punten", "Points"},
    {623, "Evenwichtig", "Balanced"},
    {624, "Vaste kaarten (S AHV2 H H87 R 32 K AH54)", "Fixed cards (S AKQ2 H K87 D 32 C AK54)"},
    {625, "Script (in plaats van de voorwaarden hierboven)", "Script (instead of the conditions above)"},
    {626, "Aantal spellen", "Number of deals"},
    {627, "Eerste spelnummer", "First game number"},
    {628, "Opslaan als spellen", "Store as games"},
    {629, "Naar een PBN-bestand", "To a PBN file"},
    {630, "Maken", "Make"},
    {631, "Stoppen", "Stop"},
    {633,
        "Er zijn geen # spellen gevonden die aan de voorwaarden voldoen: ~ gevonden in * geprobeerde verdelingen.|"
        "Maak de voorwaarden ruimer. Er is niets opgeslagen.",
        "Could not find # deals that meet the conditions: ~ found in * deals tried.|"
        "Widen the conditions. Nothing was stored."},
    {634, "~ spellen gemaakt (# verdelingen geprobeerd).", "~ deals made (# deals tried)."},
    {635, "Gestopt: er is niets opgeslagen.", "Stopped: nothing was stored."},
    {636, "De vaste kaarten van * zijn geen hand: ~|Schrijf ze als S AHV2 H H87 R 32 K AH54.",
        "The fixed cards of * are not a hand: ~|Write them as S AKQ2 H K87 D 32 C AK54."},
    {637, "Spelnummers gaan tot 999: het laatste spel zou ~ zijn.",
        "Game numbers go up to 999: the last game would be ~."},
    {638, "# verdelingen geprobeerd, ~ gevonden", "# deals tried, ~ found"},
    {639, "Bladeren...", "Browse..."},
    {640, "Waarheen", "Where to"},
    {641, "Hand", "Hand"},
    {642, "Voorwaarden per hand", "Conditions per hand"},
    {644, "Kies eerst een PBN-bestand.", "Choose a PBN file first."},
    {646, "Bij * is een minimum groter dan het maximum.", "For * a minimum is above its maximum."},
    {647, "Het script is niet te lezen.|*", "The script cannot be read.|*"},
    {648, "~ spellen geschreven naar #.", "~ deals written to #."},
    {649, "pnt", "pts"},
    // Handouts: their pages and the choices of the overview's handout.
    {700, "Pagina ~ van #", "Page ~ of #"},
    {701, "Hand-out", "Handout"},
    {702, "Opmaak", "Layout"},
    {703, "Bord met bieding", "Board with auction"},
    {704, "Spelverdelingen (6 of 9 per pagina)", "Hand record (6 or 9 a page)"},
    {705, "Vragenblad", "Question sheet"},
    {706, "Titel", "Title"},
    {707, "Ondertitel", "Subtitle"},
    {708, "Elk bord toont", "Each board shows"},
    {709, "Uitkomst", "Lead"},
    {710, "Bieding", "Auction"},
    {711, "Contract", "Contract"},
    {712, "Punten", "Points"},
    {713, "Dubbeldummytabel en par", "Double-dummy table and par"},
    {714, "Handen", "Hands"},
    {715, "Vermelding van het programma", "The program's notice"},
    {716, "Borden per pagina", "Boards a page"},
    {717, "Antwoorden onder elk bord", "Answers under each board"},
    {718, "Maken...", "Make..."},
    {719, "Annuleren", "Cancel"},
    // A lesson as a web page.
    {760, "Toon antwoord/uitleg", "Show answer/explanation"},
    {761, "verborgen", "hidden"},
    {762, "Bieding", "Auction"},
    {763, "Double dummy", "Double dummy"},
};

#undef BRIQO_NOTICE
#undef BRIQO_WEBSITE

const QHash<int, QString> &table();

} // namespace

QList<int> stringIndexes()
{
    QList<int> indexes;
    for (const Entry &e : kEntries)
        indexes << e.index;
    return indexes;
}

namespace {

const QHash<int, QString> &table()
{
    static const QHash<int, QString> ids = [] {
        QHash<int, QString> h;
        for (const Entry &e : kEntries) {
            h.insert(LanguageDutch * 1000 + e.index, QString::fromUtf8(e.dutch));
            h.insert(LanguageEnglish * 1000 + e.index, QString::fromUtf8(e.english));
        }
        return h;
    }();
    return ids;
}

} // namespace

QString resourceString(int id) { return table().value(id); }

QString ResString(int n, int languageNumber)
{
    QString padded = QString::number(n);
    while (padded.size() < 3)
        padded.prepend(QLatin1Char('0'));
    if (padded.size() == 5)
        return resourceString(padded.toInt());
    if (languageNumber != LanguageDutch && languageNumber != LanguageEnglish)
        languageNumber = LanguageDutch;
    return resourceString((QString::number(languageNumber) + padded).toInt());
}

QString messageText(const QString &text)
{
    QString shown = text;
    shown.replace(QLatin1Char('|'), QLatin1Char('\n'));
    return shown;
}

QString fillPlaceholder(QString text, QChar placeholder, const QString &value)
{
    return text.replace(placeholder, value);
}

long long leadingNumber(const QString &text)
{
    int i = 0;
    while (i < text.size() && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    while (i < text.size() && text[i].isDigit() && text[i].unicode() < 128) {
        if (value < 1000000000000LL)
            value = value * 10 + (text[i].unicode() - '0');
        ++i;
    }
    return negative ? -value : value;
}

int languageFromIniValue(const QString &value)
{
    if (value.isEmpty())
        return LanguageDutch;
    const long long n = leadingNumber(value);
    return n == LanguageEnglish ? LanguageEnglish : LanguageDutch;
}

} // namespace briqo
