#include "ui/overview/overview_window.h"

#include "base/fonts.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "exchange/exchange_strings.h"
#include "output/overview_print.h"
#include "output/print_file.h"
#include "ui/common/child_window.h"
#include "ui/common/event_hooks.h"
#include "ui/common/grid_fit.h"
#include "ui/main_window/frm_bordix.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace briqo {

namespace {

// Designed geometry, in twips.
constexpr double GridLeft = 120;
constexpr double GridTop = 120;
constexpr double GridHeight = 6000;
constexpr double GridExtraWidth = 300; // room for the scroll bar
constexpr double LabelTop = 6240;
constexpr double ButtonWidth = 1215;
constexpr double ButtonHeight = 465;
constexpr double ButtonGap = 128;
constexpr double WindowHeight = 7400;
constexpr double RowHeight = 240;
constexpr double WindowWidthPerGridLeft = 3.5;
// The handout button sits right under the table, level with the game label, clear of the row of
// buttons below.
constexpr double HandoutButtonHeight = 360;
constexpr double HandoutButtonGap = 60;

constexpr unsigned TintedRow = 0xF8FFEF;
const QColor HeaderBack(0xE0, 0xE0, 0xE0);

QTableWidgetItem *cell(const QString &text, Qt::Alignment alignment, bool header)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(alignment);
    if (header) {
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(HeaderBack);
    } else {
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    return item;
}

Qt::Alignment alignmentOf(int column)
{
    return column < 2 ? Qt::AlignCenter : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter);
}

} // namespace

OverviewWindow::OverviewWindow(frmBordix &main)
    : QWidget(&main, Qt::Dialog)
    , m_main(main)
{
    setAttribute(Qt::WA_DeleteOnClose);
    markAsChildWindow(this);
    setFont(main.font());
    setBackColour(this, White);
    buildControls();
    // The window previews every key of its controls: Escape closes it from anywhere.
    qApp->installEventFilter(this);
    Form_Load();
}

OverviewWindow::~OverviewWindow() { qApp->removeEventFilter(this); }

QString OverviewWindow::ResString(int n) const { return m_main.ResString(n); }

void OverviewWindow::buildControls()
{
    msfgResultaat = new QTableWidget(0, OverviewColumnCount, this);
    msfgResultaat->horizontalHeader()->hide();
    msfgResultaat->verticalHeader()->hide();
    msfgResultaat->verticalHeader()->setMinimumSectionSize(1);
    msfgResultaat->verticalHeader()->setDefaultSectionSize(toPx(RowHeight));
    msfgResultaat->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    msfgResultaat->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    msfgResultaat->setEditTriggers(QAbstractItemView::NoEditTriggers);
    msfgResultaat->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows can be chosen (Ctrl and Shift) for a handout.
    msfgResultaat->setSelectionMode(QAbstractItemView::ExtendedSelection);
    msfgResultaat->setFrameShape(QFrame::Box);
    msfgResultaat->setWordWrap(false);
    setRectTw(msfgResultaat, GridLeft, GridTop, 3000, GridHeight);

    lblSpel = new QLabel(this);
    setRectTw(lblSpel, GridLeft, LabelTop, 3000, 240);
    cmdAfdrukken = new QPushButton(this);
    cmdOpen = new QPushButton(this);
    for (QPushButton *button : {cmdAfdrukken, cmdOpen})
        setRectTw(button, 0, 0, ButtonWidth, ButtonHeight);
    cmdFocus = new QPushButton(this);
    setRectTw(cmdFocus, 0, 0, 60, 60);
    cmdHandout = new QPushButton(this);
    setRectTw(cmdHandout, 0, GridTop + GridHeight + HandoutButtonGap, ButtonWidth, HandoutButtonHeight);

    auto *grid = EventHooks::of(msfgResultaat->viewport());
    grid->onMousePress = [this](int x, int y) { msfgResultaat_MouseDown(x, y); };
    grid->onClick = [this] { msfgResultaat_Click(); };
    grid->onDoubleClick = [this] { msfgResultaat_DblClick(); };
    connect(cmdOpen, &QPushButton::clicked, this, [this] { cmdOpen_Click(); });
    connect(cmdAfdrukken, &QPushButton::clicked, this, [this] { cmdAfdrukken_Click(); });
    connect(cmdHandout, &QPushButton::clicked, this, [this] { cmdHandout_Click(); });
    cmdHandout->setEnabled(m_main.services().files != nullptr);
    // Printing needs a printer to print on.
    cmdAfdrukken->setEnabled(m_main.services().printing != nullptr);
}

void OverviewWindow::Form_Load()
{
    setWindowTitle(m_main.caption());
    resize(width(), toPx(WindowHeight));

    cmdAfdrukken->setText(ResString(Str::Print));
    cmdOpen->setText(ResString(Str::Close));
    lblSpel->setText(ResString(Str::Game));
    lblSpel->adjustSize();
    cmdHandout->setText(ResString(own::HandoutButton));

    m_rows = overviewRows(m_main.store(), [this] {
        QStringList entries;
        for (int i = 0; i < m_main.lstSpellen->count(); ++i)
            entries << m_main.lstSpellen->item(i)->text();
        return entries;
    }());
    m_withPar = m_main.chkDoubleDummy->isChecked();
    msfgResultaat->setColumnCount(columnCount());
    if (m_withPar)
        startParWork();
    showRows();
    // No cell is current until the user clicks one.
    msfgResultaat->setCurrentItem(nullptr);

    double gridWidth = GridExtraWidth;
    for (int c = 0; c < columnCount(); ++c)
        gridWidth += msfgResultaat->columnWidth(c) * TwipsPerPixel;
    setWidthTw(msfgResultaat, gridWidth);

    // The print button ends where the table ends, the close button starts where it starts.
    const double buttonTop = topTw(lblSpel) + heightTw(lblSpel) + ButtonGap;
    setLeftTw(cmdAfdrukken, leftTw(msfgResultaat) + widthTw(msfgResultaat) - widthTw(cmdAfdrukken));
    setTopTw(cmdAfdrukken, buttonTop);
    setLeftTw(cmdOpen, leftTw(msfgResultaat));
    setTopTw(cmdOpen, buttonTop);
    // The handout button spans the table, and is never narrower than its caption: the window
    // widens for it when the table is narrow.
    setLeftTw(cmdHandout, leftTw(msfgResultaat));
    setWidthTw(cmdHandout, std::max(widthTw(msfgResultaat), cmdHandout->sizeHint().width() * TwipsPerPixel));

    resize(toPx(std::max(leftTw(msfgResultaat) * WindowWidthPerGridLeft + widthTw(msfgResultaat),
               leftTw(cmdHandout) + widthTw(cmdHandout) + GridLeft)),
        height());
    cmdFocus->move(width() + toPx(10), cmdFocus->y());

    // Centred across the screen with the width the table gave it, level with the games frame.
    const double left = std::floor((screenWidthTw(this) - width() * TwipsPerPixel) / 2);
    move(toPx(left), toPx(topTw(m_main.fraSpellen)));
}

void OverviewWindow::showRows()
{
    // The table is refilled whole and shown once, so a long list is not drawn row by row.
    msfgResultaat->setUpdatesEnabled(false);
    msfgResultaat->clearContents();
    msfgResultaat->setRowCount(static_cast<int>(m_rows.size()) + 1);
    const QString headers[OverviewColumnCountWithPar]
        = {ResString(Str::Game), ResString(Str::Declarer), ResString(Str::Contract), ResString(dd_text::ParHeading)};
    for (int c = 0; c < columnCount(); ++c)
        msfgResultaat->setItem(0, c, cell(headers[c], c < 2 ? Qt::AlignCenter : Qt::AlignVCenter, true));
    for (int r = 0; r < m_rows.size(); ++r) {
        for (int c = 0; c < columnCount(); ++c) {
            msfgResultaat->setItem(
                r + 1, c, cell(overviewCell(m_rows[r], static_cast<OverviewColumn>(c)), alignmentOf(c), false));
        }
    }
    PasKolommenAan(msfgResultaat, m_main.font());
    if (m_withPar)
        widenParColumn();
    KleurRijen();
    msfgResultaat->setUpdatesEnabled(true);
}

void OverviewWindow::KleurRijen()
{
    const int last = msfgResultaat->rowCount() - 1;
    for (int r = 1; r <= last; ++r) {
        const QBrush back(r % 2 == 1 ? bgr(TintedRow) : bgr(White));
        for (int c = 0; c < columnCount(); ++c)
            msfgResultaat->item(r, c)->setBackground(back);
    }
}

QString OverviewWindow::selectRowGame()
{
    const int row = msfgResultaat->currentRow();
    // A click on a heading only sorts: the header row names no game.
    if (row < 1 || !msfgResultaat->item(row, 0))
        return {};
    const QString digits = msfgResultaat->item(row, 0)->text();
    lblSpel->setText(ResString(Str::Game) + QLatin1Char(' ') + digits);
    lblSpel->adjustSize();
    m_chosenGame = digits;
    cmdOpen->setEnabled(true);
    m_main.setGameNumberText(QString::number(leadingNumber(digits)));
    return digits;
}

void OverviewWindow::msfgResultaat_Click()
{
    const QString digits = selectRowGame();
    if (digits.isEmpty())
        return;
    QListWidget *list = m_main.lstSpellen;
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().section(QLatin1Char(' '), 1, 1) != digits)
            continue;
        // Selected afresh, so the list's own selection handling always runs.
        list->clearSelection();
        list->setCurrentRow(i);
        // The main window loads the game as its own load button does, and is disabled again.
        m_main.setEnabled(true);
        m_loadingRow = true;
        m_main.cmdLeesSpel_Click();
        m_loadingRow = false;
        // Closed meanwhile (Escape), or asked to close: the main window stays enabled.
        if (m_closeAfterLoad || !isVisible()) {
            m_closeAfterLoad = false;
            close();
            return;
        }
        m_main.setEnabled(false);
        setEnabled(true);
        raise();
        activateWindow();
        return;
    }
}

void OverviewWindow::msfgResultaat_DblClick()
{
    // The first click is still loading its game (the same row): the window closes after it.
    if (m_loadingRow) {
        m_closeAfterLoad = true;
        return;
    }
    if (selectRowGame().isEmpty())
        return;
    cmdOpen_Click();
}

void OverviewWindow::msfgResultaat_MouseDown(int x, int y)
{
    if (msfgResultaat->rowCount() > 0 && y < msfgResultaat->rowHeight(0)) {
        const int column = msfgResultaat->columnAt(x);
        if (column >= 0) {
            sortOverviewRows(m_rows, static_cast<OverviewColumn>(column));
            showRows();
            msfgResultaat->setCurrentCell(0, column);
        }
    }
    cmdFocus->setFocus();
}

void OverviewWindow::cmdOpen_Click()
{
    if (m_loadingRow) {
        m_closeAfterLoad = true;
        return;
    }
    close();
}

void OverviewWindow::cmdAfdrukken_Click()
{
    PrinterServices *printing = m_main.services().printing;
    if (!printing)
        return;
    cmdAfdrukken->setEnabled(false);
    const bool confirmed = printing->choosePrinter(this);
    if (confirmed) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        PrintFileGuard toFile(printing->printer());
        const bool printed = printOverview(printing->printer(), *msfgResultaat, windowTitle());
        const WriteOutcome written = printed ? toFile.finish() : WriteOutcome {true, {}};
        QApplication::restoreOverrideCursor();
        if (!printed)
            m_main.services().messages->info(this, windowTitle(), messageText(ResString(own::PrintingFailed)));
        if (!written) {
            const QString message = messageText(
                fillPlaceholder(ResString(exchange_text::FileNotWritten), QLatin1Char('*'), written.reason));
            m_main.services().messages->info(
                this, windowTitle(), fillPlaceholder(message, QLatin1Char('~'), toFile.target()));
        }
    }
    setEnabled(true);
    cmdAfdrukken->setEnabled(true);
    SetFocusIfPossible(cmdFocus);
}

void OverviewWindow::SetFocusIfPossible(QWidget *control)
{
    if (control && isVisible() && isEnabled() && control->isVisible() && control->isEnabled())
        control->setFocus();
}

bool OverviewWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (closeOnEscape(this, watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

void OverviewWindow::closeEvent(QCloseEvent *event)
{
    returnToMainWindow(m_main);
    event->accept();
}

} // namespace briqo
