#include "ui/pictures/pictures_window.h"

#include "ui/common/child_window.h"

#include "base/fonts.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "store/picture_numbering.h"
#include "ui/main_window/frm_bordix.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace briqo {

namespace {

// The window's own size, and its controls, in twips.
constexpr double WindowWidth = 4800;
constexpr double WindowHeight = 4140;

} // namespace

PicturesWindow::PicturesWindow(frmBordix &main)
    : QWidget(&main, Qt::Dialog)
    , m_main(&main)
{
    setAttribute(Qt::WA_DeleteOnClose);
    // Closing it makes the main window active again for the program.
    markAsChildWindow(this);
    setFont(verdana(8.25));
    setBackColour(this, White);
    resize(toPx(WindowWidth), toPx(WindowHeight));

    lblSpelNummer = new QLabel(this);
    setRectTw(lblSpelNummer, 120, 120, 4560, 285);
    lstBMP = new QListWidget(this);
    setRectTw(lstBMP, 120, 480, 4560, 2880);
    lstBMP->setSelectionMode(QAbstractItemView::ExtendedSelection);
    cmdWissen = new QPushButton(this);
    setRectTw(cmdWissen, 120, 3480, 2160, 465);
    cmdTerug = new QPushButton(this);
    setRectTw(cmdTerug, 2520, 3480, 2160, 465);
    cmdFocus = new QPushButton(this);
    setRectTw(cmdFocus, 0, 0, 60, 60);

    connect(lstBMP, &QListWidget::itemSelectionChanged, this, [this] { lstBMP_Click(); });
    connect(cmdWissen, &QPushButton::clicked, this, [this] { cmdWissen_Click(); });
    connect(cmdTerug, &QPushButton::clicked, this, [this] { close(); });
    // The window goes with the main window it belongs to.
    connect(&main, &QObject::destroyed, [self = QPointer<PicturesWindow>(this)] { delete self.data(); });

    // The window manager keeps it above the main window, as it would a child window.
    create();
    if (QWindow *own = windowHandle(); own && main.windowHandle())
        own->setTransientParent(main.windowHandle());

    // The window previews the keys of its controls, so Escape closes it from anywhere in it.
    qApp->installEventFilter(this);

    Form_Load();
}

PicturesWindow::~PicturesWindow() { qApp->removeEventFilter(this); }

void PicturesWindow::Form_Load()
{
    frmBordix &main = *m_main;
    m_game = main.currentGameNumber();
    setWindowTitle(main.caption());
    if (const QScreen *shown = main.screen()) {
        const int left = (shown->geometry().width() - width()) / 2;
        move(left, main.fraSpellen->mapToGlobal(QPoint(0, 0)).y());
    }

    lblSpelNummer->setText(main.ResString(Str::BmpFilesOfGame) + QStringLiteral(": ") + main.txtSpel->text());
    cmdWissen->setText(main.ResString(Str::DeleteBmp));
    cmdWissen->setEnabled(false);
    cmdTerug->setText(main.ResString(Str::Back));
    // The focus sink sits beyond the right edge: it can hold the focus unseen.
    cmdFocus->move(width() + toPx(10), cmdFocus->y());

    LeesBMP();
}

void PicturesWindow::Form_Activate() { cmdFocus->setFocus(); }

void PicturesWindow::LeesBMP()
{
    const GameStore store = m_main->store();
    store.ensureFolder(m_game);
    m_files = store.pictures(m_game);
    lstBMP->clear();
    lstBMP->addItems(pictureBases(m_files));
}

void PicturesWindow::lstBMP_Click() { cmdWissen->setEnabled(!lstBMP->selectedItems().isEmpty()); }

void PicturesWindow::cmdWissen_Click()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const GameStore store = m_main->store();
    QStringList kept;
    for (const QListWidgetItem *item : lstBMP->selectedItems()) {
        const int row = lstBMP->row(item);
        if (row < 0 || row >= m_files.size())
            continue;
        // One picture that cannot go (another program holds it open) does not stop the others.
        if (!store.removePicture(m_game, m_files.at(row)))
            kept << m_files.at(row);
    }
    LeesBMP();
    QApplication::restoreOverrideCursor();
    cmdFocus->setFocus();
    if (!kept.isEmpty()) {
        const QString text = fillPlaceholder(
            m_main->ResString(own::PicturesNotDeleted), QLatin1Char('~'), kept.join(QLatin1Char('\n')));
        m_main->services().messages->info(this, windowTitle(), messageText(text));
    }
}

void PicturesWindow::closeEvent(QCloseEvent *event)
{
    if (m_main)
        m_main->setEnabled(true);
    event->accept();
}

void PicturesWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_activated) {
        m_activated = true;
        QTimer::singleShot(0, this, [this] { Form_Activate(); });
    }
}

bool PicturesWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (closeOnEscape(this, watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

void frmBordix::cmdToonBMP_Click()
{
    cmdFocus->setFocus();
    setEnabled(false);
    auto *pictures = new PicturesWindow(*this);
    pictures->show();
}

} // namespace briqo
