// Stored games on the board: choosing, loading, saving and deleting one, and the game as the
// store keeps it.

#include "board/board.h"

#include "base/string_ids.h"
#include "deal/hand_rules.h"
#include "store/game_list.h"

namespace briqo {

namespace {

constexpr long long LastGame = 999;

int seatNamed(const QString &name, int languageNumber)
{
    for (int seat = 0; seat < SeatCount; ++seat)
        if (SeatName(seat, languageNumber) == name)
            return seat;
    return -1;
}

} // namespace

// ---- Stored games ----

BoardOutcome Board::chooseEntry(const QString &entry)
{
    BoardOutcome out;
    if (entry.isEmpty()) {
        out.ignored = true;
        return out;
    }
    m_chosenEntry = entry;
    m_offers.renumber = false;
    m_offers.gameEntry = true;
    return out;
}

BoardOutcome Board::load(const Game &game, Answer unsaved)
{
    BoardOutcome out;
    const long long n = game.number;
    if (!setUpAfterUnsavedQuestion(n, unsaved, out))
        return out;
    if (m_chosenEntry.isEmpty() || entryGameNumber(m_chosenEntry) != n)
        m_chosenEntry = folderName(n);

    if (game.auction) {
        m_auction.loadFrom(
            game.auction->callKinds, QList<FileCell>(game.auction->cells.begin(), game.auction->cells.end()));
        if (game.lead) {
            m_lead = LeadDisplay {seatNamed(game.lead->leaderName, m_language), game.lead->leaderName,
                game.lead->suitIndex, tensAsT(game.lead->cardText)};
            m_leadBoxDeletes = true;
        }
        m_hasQuestionFile = game.hasQuestionFile;
        m_hasAnswerFile = game.hasAnswerFile;
    } else {
        m_auction.resetForGame(DealerOf(n));
    }
    m_question = game.question;
    m_answer = game.answer;
    for (int field = 0; field < FieldCount; ++field)
        m_text[field] = tensAsT(game.holdings[field]).toUpper();

    m_offers.entryOpen = true;
    const bool valid = dealComplete();
    if (valid) {
        enableCompleteDeal();
        m_offers.gameEntry = true;
        m_offers.renumber = true;
    } else {
        // A game file edited into something that is no deal stays on the board to be put right,
        // but offers nothing that would store or show it as it is.
        showIncompleteDeal();
        m_offers.biddingBox = false;
        m_offers.gameEntry = true;
    }
    out.focusOn(0);
    if (m_auction.CallKinds().endsWith(QLatin1String("222"))) {
        showContract(out);
        // The contract file is the one stored with the game: showing a game writes nothing.
        out.store.clear();
        out.focusOn(0);
    }
    if (!valid && totalCards() > 0)
        out.messages << BoardMessage {own::DealNotValid, {}};
    // The board now shows exactly what is stored.
    m_unsaved = false;
    return out;
}

Board Board::fromGame(const Game &game, int languageNumber)
{
    Board board(languageNumber);
    board.load(game, Answer::No);
    return board;
}

Game Board::toGame() const
{
    Game game;
    game.number = currentGameNumber();
    game.holdings = m_text;
    game.auction = auctionFileOf(m_auction);
    if (m_contract.kind == ContractDisplay::Bid)
        game.contract = contractText();
    if (m_lead)
        game.lead = LeadLine {m_lead->leaderName, m_lead->suit, m_lead->cardText};
    game.question = m_question;
    game.answer = m_answer;
    game.hasQuestionFile = m_hasQuestionFile;
    game.hasAnswerFile = m_hasAnswerFile;
    return game;
}

BoardOutcome Board::save(bool alreadyStored, Answer overwrite)
{
    // Not checked against the save button: the question about unsaved calls saves even when the
    // button is not on offer.
    BoardOutcome out;
    out.focus = Focus::Sink;
    // Done before the question, and kept on No: the tens as "T", no unsaved calls, the lead box
    // back at rest.
    m_unsaved = false;
    m_tenAs10 = false;
    m_offers.leadBox = false;
    m_leadBoxDeletes = false;
    m_leadMode = false;
    const long long n = currentGameNumber();
    if (alreadyStored && overwrite == Answer::NotAsked) {
        out.question = BoardMessage {Str::AlreadyExists, {{QLatin1Char('~'), folderName(n)}}};
        return out;
    }
    if (alreadyStored && overwrite == Answer::No)
        return out;
    StoreAction action;
    action.kind = StoreAction::SaveGame;
    action.number = n;
    action.game = toGame();
    out.store << action;
    return out;
}

BoardOutcome Board::saved()
{
    BoardOutcome out;
    if (m_number) {
        const long long next = *m_number + 1;
        out = setGameNumber(next > LastGame ? QString() : QString::number(next));
    }
    out.refreshGameList = true;
    out.focus = Focus::Sink;
    return out;
}

BoardOutcome Board::deleteGame(Answer answer)
{
    BoardOutcome out;
    if (m_chosenEntry.isEmpty() || !m_offers.gameEntry) {
        out.ignored = true;
        return out;
    }
    if (answer == Answer::NotAsked) {
        out.question = BoardMessage {
            Str::DeletePermanently, {{QLatin1Char('~'), m_chosenEntry.section(QLatin1Char('.'), 0, 0)}}};
        return out;
    }
    if (answer == Answer::No)
        return out;
    StoreAction action;
    action.kind = StoreAction::RemoveGame;
    action.number = entryGameNumber(m_chosenEntry);
    out.store << action;
    return out;
}

BoardOutcome Board::gameDeleted()
{
    BoardOutcome out;
    m_chosenEntry.clear();
    clearBoard();
    // The board is emptied on purpose: there is nothing left to offer for saving.
    m_unsaved = false;
    m_number.reset();
    m_text.fill(QString());
    m_tenAs10 = false;
    // With the game number empty the board waits for a new one, as it does at start-up.
    m_offers = Offers {};
    out.refreshGameList = true;
    out.focus = Focus::GameNumber;
    return out;
}

void Board::storeFailed(const StoreAction &action, bool unchanged)
{
    switch (action.kind) {
    case StoreAction::SaveGame:
        m_unsaved = unchanged;
        break;
    case StoreAction::WriteLead:
        // A lead that is not stored is not shown either: the board is as before lead mode.
        m_lead.reset();
        m_leadBoxDeletes = false;
        m_leadMode = false;
        m_offers.leadBox = true;
        break;
    case StoreAction::WriteContract:
    case StoreAction::RemoveLead:
    case StoreAction::RemoveGame:
        break;
    }
}

void Board::setQuestionAndAnswer(const QString &question, const QString &answer)
{
    m_question = question;
    m_answer = answer;
    m_hasQuestionFile = !question.isEmpty();
    m_hasAnswerFile = !answer.isEmpty();
}

} // namespace briqo
