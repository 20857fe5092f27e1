#pragma once

#include <QString>
#include <QStringList>

namespace briqo {

// A box counts as filled when it holds more than blanks.
bool hasText(const QString &text);

// Which buttons of the question-and-answer window can be used for a question and an answer as
// they stand in their boxes. Saving and copying need something to save or copy; each delete
// button needs its own text.
struct QaButtons {
    bool save = false;
    bool deleteQuestion = false;
    bool deleteAnswer = false;
    bool copy = false;

    bool operator==(const QaButtons &) const = default;
};
QaButtons qaButtonStates(const QString &question, const QString &answer);

// The text put on the clipboard: the question's caption, the question, an empty line, the
// answer's caption and the answer, every line ended by CR LF except the last.
QString qaClipboardText(
    const QString &questionCaption, const QString &question, const QString &answerCaption, const QString &answer);

// The characters of text that the game files cannot hold (they are in code page 1252), each
// once and in the order they first appear; a character outside the basic plane (an emoji) is
// one entry, as the user sees it.
QStringList charactersOutside1252(const QString &text);

// The text of a stored question or answer as the box shows it: line breaks as the box keeps them.
QString boxTextOfStored(const QString &stored);

} // namespace briqo
