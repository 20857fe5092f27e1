// The main window's side of the question and answer: its button, and the question box on the
// board that carries a game's question into the picture.

#include "ui/main_window/frm_bordix.h"

#include "ui/question/question_window.h"
#include "qa/qa_text.h"
#include "base/twips.h"

#include <QPlainTextEdit>
#include <QPushButton>

namespace briqo {

void frmBordix::cmdVraagAntwoord_Click()
{
    // Out of the way of the question window, which opens over its right-hand side.
    move(0, 0);
    cmdFocus->setFocus();
    setEnabled(false);
    (new QuestionWindow(*this))->show();
}

} // namespace briqo
