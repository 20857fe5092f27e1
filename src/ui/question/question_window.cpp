#include "ui/question/question_window.h"

#include "base/fonts.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "qa/qa_text.h"
#include "ui/common/child_window.h"
#include "ui/main_window/frm_bordix.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace briqo {

namespace {

constexpr int KeyCodeA = 65;
constexpr int ShiftBit = 1;
constexpr int CtrlBit = 2;
constexpr int AltBit = 4;

// Designed geometry, in twips.
constexpr double WindowWidth = 7740;
constexpr double WindowHeight = 7950;
constexpr double BoxWidth = 7500;
constexpr double LeftFromMainRight = 3200;
constexpr double ButtonHeight = 465;

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? ShiftBit : 0) | (modifiers & Qt::ControlModifier ? CtrlBit : 0)
        | (modifiers & Qt::AltModifier ? AltBit : 0);
}

int keyCodeOf(const QKeyEvent *event)
{
    // Letters have the key codes of their capitals, whatever the shift state.
    const int key = event->key();
    return key >= Qt::Key_A && key <= Qt::Key_Z ? KeyCodeA + (key - Qt::Key_A) : 0;
}

} // namespace

QuestionWindow::QuestionWindow(frmBordix &main)
    : QWidget(&main, Qt::Dialog)
    , m_main(main)
{
    setAttribute(Qt::WA_DeleteOnClose);
    markAsChildWindow(this);
    setFont(main.font());
    resize(toPx(WindowWidth), toPx(WindowHeight));
    buildControls();
    // The window previews every key of its controls: Escape closes it from anywhere.
    qApp->installEventFilter(this);
    Form_Load();
}

QuestionWindow::~QuestionWindow() { qApp->removeEventFilter(this); }

QString QuestionWindow::ResString(int n) const { return m_main.ResString(n); }

void QuestionWindow::buildControls()
{
    auto label = [this](double l, double t, double w, double h) {
        auto *lbl = new QLabel(this);
        setRectTw(lbl, l, t, w, h);
        return lbl;
    };
    auto button = [this](double l, double t, double w) {
        auto *b = new QPushButton(this);
        setRectTw(b, l, t, w, ButtonHeight);
        return b;
    };
    auto textBox = [this](double t, double h) {
        auto *box = new QPlainTextEdit(this);
        setRectTw(box, 120, t, BoxWidth, h);
        box->setFont(verdana(9.75));
        box->setTabChangesFocus(true);
        return box;
    };

    lblInfo[0] = label(120, 150, 600, 240);
    txtSpel = new QLineEdit(this);
    setRectTw(txtSpel, 780, 100, 700, 330);
    txtSpel->setReadOnly(true);
    txtSpel->setAlignment(Qt::AlignCenter);
    lblInfo[1] = label(120, 540, BoxWidth, 1100);
    lblInfo[1]->setWordWrap(true);
    lblInfo[1]->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    lblVraag = label(120, 1740, BoxWidth, 240);
    txtVraag = textBox(1980, 1800);
    lblAntwoord = label(120, 3900, BoxWidth, 240);
    txtAntwoord = textBox(4140, 2400);

    cmdWisVraag = button(120, 6720, 2355);
    cmdWisAntwoord = button(2595, 6720, 2880);
    cmdKlemBord = button(5595, 6720, 2025);
    cmdOpslaan = button(120, 7290, 2355);
    cmdTerug = button(5595, 7290, 2025);
    cmdFocus = button(0, 0, 60);

    // Nothing to save, delete or copy until a box holds text.
    for (QPushButton *b : {cmdOpslaan, cmdWisVraag, cmdWisAntwoord, cmdKlemBord})
        b->setEnabled(false);

    connect(cmdTerug, &QPushButton::clicked, this, [this] { cmdTerug_Click(); });
    connect(cmdOpslaan, &QPushButton::clicked, this, [this] { cmdOpslaan_Click(); });
    connect(cmdWisVraag, &QPushButton::clicked, this, [this] { cmdWisVraag_Click(); });
    connect(cmdWisAntwoord, &QPushButton::clicked, this, [this] { cmdWisAntwoord_Click(); });
    connect(cmdKlemBord, &QPushButton::clicked, this, [this] { cmdKlemBord_Click(); });
    connect(txtVraag, &QPlainTextEdit::textChanged, this, [this] { txtVraag_Change(); });
    connect(txtAntwoord, &QPlainTextEdit::textChanged, this, [this] { txtAntwoord_Change(); });
}

void QuestionWindow::Form_Load()
{
    setWindowTitle(m_main.caption());
    move(toPx(m_main.frameGeometry().width() * TwipsPerPixel - LeftFromMainRight), toPx(topTw(m_main.fraSpellen)));

    lblInfo[0]->setText(m_main.lblInfo[0]->text());
    lblInfo[1]->setText(messageText(ResString(Str::NoCardSymbols)));
    txtSpel->setText(m_main.txtSpel->text());
    lblVraag->setText(ResString(Str::Question));
    lblAntwoord->setText(ResString(Str::AnswerExplanation));
    cmdOpslaan->setText(ResString(Str::Save));
    cmdWisVraag->setText(ResString(Str::DeleteQuestion));
    cmdWisAntwoord->setText(ResString(Str::DeleteAnswer));
    cmdKlemBord->setText(ResString(Str::ToClipboard));
    cmdTerug->setText(ResString(Str::Back));
    cmdFocus->move(toPx(screenWidthTw(this) + 10), cmdFocus->y());

    m_game = m_main.currentGameNumber();
    const GameStore games = m_main.store();
    games.ensureGamesRoot();
    txtVraag->setPlainText(boxTextOfStored(games.readQuestion(m_game)));
    txtAntwoord->setPlainText(boxTextOfStored(games.readAnswer(m_game)));
    showButtonStates();

    raise();
    activateWindow();
}

void QuestionWindow::showButtonStates()
{
    const QaButtons states = qaButtonStates(txtVraag->toPlainText(), txtAntwoord->toPlainText());
    cmdOpslaan->setEnabled(states.save);
    cmdWisVraag->setEnabled(states.deleteQuestion);
    cmdWisAntwoord->setEnabled(states.deleteAnswer);
    cmdKlemBord->setEnabled(states.copy);
}

void QuestionWindow::txtVraag_Change() { showButtonStates(); }

void QuestionWindow::txtAntwoord_Change() { showButtonStates(); }

void QuestionWindow::showInfo(const QString &text)
{
    m_main.services().messages->info(this, windowTitle(), messageText(text));
}

void QuestionWindow::cmdOpslaan_Click()
{
    cmdOpslaan->setEnabled(false);
    const QString question = txtVraag->toPlainText();
    const QString answer = txtAntwoord->toPlainText();

    // The game files hold code page 1252 only: the user hears which characters become "?"
    // before anything is written, and may go back to change them.
    QStringList lost = charactersOutside1252(question);
    for (const QString &c : charactersOutside1252(answer))
        if (!lost.contains(c))
            lost.append(c);
    if (!lost.isEmpty()) {
        const QString text
            = fillPlaceholder(ResString(own::CharactersNotStored), QLatin1Char('~'), lost.join(QLatin1Char(' ')));
        if (!m_main.services().messages->askYesNo(this, windowTitle(), messageText(text), m_main.LanguageNumber)) {
            cmdOpslaan->setEnabled(true);
            return;
        }
    }

    const GameStore games = m_main.store();
    if (const StoreResult written = games.writeQuestionAndAnswer(m_game, question, answer); !written) {
        showInfo(fillPlaceholder(ResString(own::CannotWriteQuestion), QLatin1Char('~'), written.path));
        showButtonStates();
        return;
    }
    m_main.questionAndAnswerStored(games.readQuestion(m_game), games.readAnswer(m_game));
    showInfo(ResString(Str::QuestionAnswerSaved));
    cmdTerug_Click();
}

void QuestionWindow::deleteText(bool question)
{
    const QString what = ResString(question ? Str::Question : Str::AnswerExplanation);
    const QString ask = fillPlaceholder(ResString(Str::DeletePermanently), QLatin1Char('~'), what);
    if (m_main.services().messages->askYesNo(this, windowTitle(), messageText(ask), m_main.LanguageNumber)) {
        const GameStore games = m_main.store();
        const StoreResult removed = question ? games.removeQuestion(m_game) : games.removeAnswer(m_game);
        if (removed) {
            (question ? txtVraag : txtAntwoord)->clear();
            const Board &board = m_main.board();
            m_main.questionAndAnswerStored(question ? QString() : board.question(), question ? board.answer() : QString());
        } else {
            showInfo(fillPlaceholder(ResString(own::CannotDeleteFile), QLatin1Char('~'), removed.path));
        }
    }
    cmdFocus->setFocus();
}

void QuestionWindow::cmdWisVraag_Click() { deleteText(true); }

void QuestionWindow::cmdWisAntwoord_Click() { deleteText(false); }

void QuestionWindow::cmdKlemBord_Click()
{
    Clipboard *clipboard = m_main.services().clipboard;
    clipboard->clear();
    clipboard->setText(
        qaClipboardText(lblVraag->text(), txtVraag->toPlainText(), lblAntwoord->text(), txtAntwoord->toPlainText()));
    cmdFocus->setFocus();
    showInfo(ResString(Str::QuestionAnswerOnClipboard));
}

void QuestionWindow::selectCaretLine(QPlainTextEdit *box)
{
    box->setFocus();
    if (!m_main.sendKeys) {
        // Without a keystroke sender the caret moves as the keys would move it.
        QTextCursor cursor = box->textCursor();
        cursor.movePosition(QTextCursor::StartOfLine);
        cursor.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
        box->setTextCursor(cursor);
        return;
    }
    m_main.sendKeys(QStringLiteral("{HOME}"));
    QCoreApplication::processEvents();
    m_main.sendKeys(QStringLiteral("+{END}"));
    QCoreApplication::processEvents();
}

void QuestionWindow::txtVraag_KeyUp(int keyCode, int shift)
{
    if (keyCode == KeyCodeA && shift == CtrlBit)
        selectCaretLine(txtVraag);
}

void QuestionWindow::txtAntwoord_KeyUp(int keyCode, int shift)
{
    if (keyCode == KeyCodeA && shift == CtrlBit)
        selectCaretLine(txtAntwoord);
}

void QuestionWindow::txtSpel_GotFocus() { cmdFocus->setFocus(); }

void QuestionWindow::cmdTerug_Click() { close(); }

bool QuestionWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (closeOnEscape(this, watched, event))
        return true;
    // However the display-only number gets the focus, also when the window becomes active.
    if (event->type() == QEvent::FocusIn && watched == txtSpel)
        txtSpel_GotFocus();
    if (event->type() == QEvent::KeyRelease && (watched == txtVraag || watched == txtAntwoord)) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat()) {
            if (watched == txtVraag)
                txtVraag_KeyUp(keyCodeOf(key), shiftState(key->modifiers()));
            else
                txtAntwoord_KeyUp(keyCodeOf(key), shiftState(key->modifiers()));
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QuestionWindow::closeEvent(QCloseEvent *event)
{
    // Closing saves nothing and asks nothing: edits not saved are dropped.
    returnToMainWindow(m_main);
    event->accept();
}

} // namespace briqo
