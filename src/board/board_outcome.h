#pragma once

#include "store/game.h"
#include "store/game_files.h"

#include <QChar>
#include <QList>
#include <QPair>
#include <QString>

#include <optional>

namespace briqo {

// The user's answer to the question an operation asked. An operation that needs an answer returns
// the question and changes nothing; the window asks it and calls the same operation again with the
// answer.
enum class Answer { NotAsked, Yes, No };

// A text of the string table with its placeholders ("~", "#", "*") filled in.
struct BoardMessage {
    int stringId = -1;
    QList<QPair<QChar, QString>> fills;

    // The text in the language, placeholders filled; "|" is left for the message box to break.
    QString text(int languageNumber) const;
    bool operator==(const BoardMessage &) const = default;
};

// A file the window writes or removes through GameStore; the board never touches the disk.
struct StoreAction {
    enum Kind {
        SaveGame, // GameStore::save(game): the auction file and the hands file
        WriteContract, // GameStore::writeContract(number, contract)
        WriteLead, // GameStore::writeLead(number, lead)
        RemoveLead, // GameStore::removeLead(number)
        RemoveGame, // GameStore::remove(number)
    };
    Kind kind = SaveGame;
    long long number = 0;
    Game game; // SaveGame
    QString contract; // WriteContract
    LeadLine lead; // WriteLead

    bool operator==(const StoreAction &) const = default;
};

// Where the keyboard focus goes after an operation.
enum class Focus {
    Unchanged,
    Sink, // the invisible focus button: no field keeps the focus
    GameNumber,
    Field, // BoardOutcome::focusField
};

// What the window does after one operation on the board, in this order: the store actions (a
// failure is handed back with Board::storeFailed), the messages, the refreshed game list, the
// focus. Then it shows the board and applies availability(board).
struct BoardOutcome {
    bool ignored = false; // the control was not on offer, or the click did nothing at all
    bool refused = false; // a typed key that does not go into the field
    std::optional<BoardMessage> question; // ask Yes/No; nothing changed yet
    bool saveFirst = false; // the user wants the board saved before it is left: run the save,
                            // then repeat the operation with Answer::No
    QList<BoardMessage> messages; // information boxes
    QList<StoreAction> store;
    bool refreshGameList = false;
    Focus focus = Focus::Unchanged;
    int focusField = -1;

    void focusOn(int field)
    {
        focus = Focus::Field;
        focusField = field;
    }
};

} // namespace briqo
