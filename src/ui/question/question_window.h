#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace briqo {

class frmBordix;

// The question and its answer or explanation of the game whose number is in the main window:
// written, saved, deleted and copied to the clipboard. The main window stays disabled while
// this window is open; nothing is saved on closing.
class QuestionWindow : public QWidget {
public:
    explicit QuestionWindow(frmBordix &main);
    ~QuestionWindow() override;

    std::array<QLabel *, 2> lblInfo {};
    QLineEdit *txtSpel = nullptr;
    QLabel *lblVraag = nullptr;
    QPlainTextEdit *txtVraag = nullptr;
    QLabel *lblAntwoord = nullptr;
    QPlainTextEdit *txtAntwoord = nullptr;
    QPushButton *cmdOpslaan = nullptr;
    QPushButton *cmdWisVraag = nullptr;
    QPushButton *cmdWisAntwoord = nullptr;
    QPushButton *cmdKlemBord = nullptr;
    QPushButton *cmdTerug = nullptr;
    QPushButton *cmdFocus = nullptr;

    void Form_Load();
    void cmdTerug_Click();
    void cmdOpslaan_Click();
    void cmdWisVraag_Click();
    void cmdWisAntwoord_Click();
    void cmdKlemBord_Click();
    void txtVraag_Change();
    void txtAntwoord_Change();
    // shift as the platform reports it: bit 0 Shift, bit 1 Ctrl, bit 2 Alt.
    void txtVraag_KeyUp(int keyCode, int shift);
    void txtAntwoord_KeyUp(int keyCode, int shift);
    void txtSpel_GotFocus();

    long long gameNumber() const { return m_game; }

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void showButtonStates();
    void deleteText(bool question);
    void selectCaretLine(QPlainTextEdit *box);
    void showInfo(const QString &text);
    QString ResString(int n) const;

    frmBordix &m_main;
    long long m_game = 0;
};

// The form's name in the program's design.
using frmBordix_01 = QuestionWindow;

} // namespace briqo
