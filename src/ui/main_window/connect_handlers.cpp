// Connecting the controls of the main window to their handlers.

#include "ui/main_window/frm_bordix.h"

#include "ui/common/event_hooks.h"

#include <QCheckBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>

namespace briqo {

namespace {

// The character code a key press would type, as the key handlers of the board expect it:
// Backspace 8, Enter 13, otherwise the typed character; 0 for keys that type nothing.
int keyAsciiOf(const QKeyEvent *event)
{
    if (event->key() == Qt::Key_Backspace)
        return 8;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return 13;
    // Tab, Escape and other control keys keep their ordinary meaning: they type nothing.
    const QString text = event->text();
    return text.size() == 1 && text.at(0).unicode() >= 32 ? text.at(0).unicode() : 0;
}

// Virtual-key codes of the arrow keys the fields react to.
int keyCodeOf(const QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Down:
        return 40;
    default:
        return 0;
    }
}

bool isShortcut(const QKeyEvent *event)
{
    return event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
}

} // namespace

void frmBordix::connectHandEntry()
{
    for (int i = 0; i < FieldCount; ++i) {
        QLineEdit *field = txtInvoer[i];
        auto *hooks = EventHooks::of(field);
        hooks->onFocusIn = [this, i] { txtInvoer_GotFocus(i); };
        hooks->onFocusOut = [this, i] { txtInvoer_LostFocus(i); };
        hooks->onClick = [this, i] { txtInvoer_Click(i); };
        hooks->onKey = [this, i](QKeyEvent *event) {
            if (const int code = keyCodeOf(event))
                return txtInvoer_KeyDown(i, code);
            // Shortcuts such as paste pass the filter; the field is put right when it changes.
            if (isShortcut(event))
                return false;
            int ascii = keyAsciiOf(event);
            if (ascii == 0)
                return false;
            txtInvoer_KeyPress(i, ascii);
            return ascii == 0;
        };
        // The user's edits only: the program's own writes into a field are already what it shows.
        connect(field, &QLineEdit::textEdited, this, [this, i] { txtInvoer_Change(i); });
    }
}

void frmBordix::connectHandlers()
{
    connectHandEntry();

    connect(timVlaggen, &QTimer::timeout, this, [this] { timVlaggen_Timer(); });
    connect(cmdTaal(10), &QPushButton::clicked, this, [this] { cmdTaal_Click(10); });
    connect(cmdTaal(11), &QPushButton::clicked, this, [this] { cmdTaal_Click(11); });

    // Check boxes react to every change of their value, also one the program makes.
    connect(chkPunten, &QCheckBox::toggled, this, [this] { chkPunten_Click(); });
    connect(chkTien, &QCheckBox::toggled, this, [this] { chkTien_Click(); });
    for (int seat = 0; seat < 4; ++seat)
        connect(chkNietZichtbaar[seat], &QCheckBox::toggled, this, [this, seat] { chkNietZichtbaar_Click(seat); });
    connect(chkSorteer, &QCheckBox::toggled, this, [this] { chkSorteer_Click(); });
    // The lead box acts on the user's click only: the program sets its value in passing.
    connect(chkUitKomst, &QCheckBox::clicked, this, [this] { chkUitKomst_Click(); });

    // A click on a box button, its caption or its picture is one and the same call.
    for (int k = 0; k <= 40; ++k) {
        EventHooks::of(picBBA[k])->onClick = [this, k] { lblBB_Click(k); };
        EventHooks::of(lblBB[k])->onClick = [this, k] { lblBB_Click(k); };
        if (k < 35)
            EventHooks::of(picBB[k])->onClick = [this, k] { lblBB_Click(k); };
    }

    connect(cmdOpslaan, &QPushButton::clicked, this, [this] { cmdOpslaan_Click(); });
    connect(cmdLeesSpel, &QPushButton::clicked, this, [this] { cmdLeesSpel_Click(); });
    connect(cmdWisSpel, &QPushButton::clicked, this, [this] { cmdWisSpel_Click(); });
    connect(cmdDraai, &QPushButton::clicked, this, [this] { cmdDraai_Click(); });
    connect(cmdKopie, &QPushButton::clicked, this, [this] { cmdKopie_Click(); });
    connect(cmdNaarKlembord, &QPushButton::clicked, this, [this] { cmdNaarKlembord_Click(); });
    connect(cmdDrukSpelAf, &QPushButton::clicked, this, [this] { cmdDrukSpelAf_Click(); });
    connect(cmdToonBMP, &QPushButton::clicked, this, [this] { cmdToonBMP_Click(); });
    connect(cmdToonLijst, &QPushButton::clicked, this, [this] { cmdToonLijst_Click(); });
    connect(cmdVraagAntwoord, &QPushButton::clicked, this, [this] { cmdVraagAntwoord_Click(); });
    connect(cmdDownload, &QPushButton::clicked, this, [this] { cmdDownload_Click(); });
    connect(lstSpellen, &QListWidget::itemSelectionChanged, this, [this] { lstSpellen_Click(); });
    connect(lstSpellen, &QListWidget::itemDoubleClicked, this, [this] { lstSpellen_DblClick(); });
    EventHooks::of(lstSpellen->viewport())->onMouseMove = [this](int x, int y) { lstSpellen_MouseMove(x, y); };
    connect(vscrNieuwNummer, &QScrollBar::valueChanged, this, [this] { vscrNieuwNummer_Change(); });

    auto *spelHooks = EventHooks::of(txtSpel);
    spelHooks->onKey = [this](QKeyEvent *event) {
        if (isShortcut(event))
            return false;
        int ascii = keyAsciiOf(event);
        if (ascii == 0 || ascii == 13)
            return false;
        txtSpel_KeyPress(ascii);
        return ascii == 0;
    };
    spelHooks->onFocusOut = [this] { txtSpel_LostFocus(); };
    // The program writes a number with setGameNumberText, which says how the board follows it.
    connect(txtSpel, &QLineEdit::textEdited, this, [this] { txtSpel_Change(); });

    // A click on the summary grid gives the focus to the game number.
    EventHooks::of(msfgOverzicht->viewport())->onClick = [this] { SetFocusIfPossible(txtSpel); };
}

} // namespace briqo
