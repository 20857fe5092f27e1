// The par column of the games overview: each game's deal is looked up among the tables solved
// before (this run or an earlier one) and otherwise solved in the background, one game at a time
// in the order of the list; its cell is filled as soon as it is known. The window answers clicks,
// sorts and closes meanwhile; a game without a complete deal keeps an empty cell. Work that takes
// more than a second shows its progress in a dialog of its own, whose Stop leaves the games not
// yet worked out with empty cells.

#include "ui/overview/overview_window.h"

#include "analysis/double_dummy_cache.h"
#include "analysis/double_dummy_worker.h"
#include "analysis/par_text.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "store/game_store.h"
#include "ui/main_window/frm_bordix.h"

#include <QElapsedTimer>
#include <QFontMetrics>
#include <QProgressDialog>
#include <QTableWidget>
#include <QTimer>

namespace briqo {

namespace {

// Tables known already are shown in slices of this length, so a long list never holds up the
// window's events.
constexpr int SliceMs = 8;
constexpr int ProgressAfterMs = 1000;

} // namespace

void OverviewWindow::startParWork()
{
    m_parWorker = new DoubleDummyWorker(this);
    connect(m_parWorker, &DoubleDummyWorker::finished, this, [this](const DoubleDummyResult &result) {
        showPar(m_parGame, parSummaryText(result, m_main.LanguageNumber));
        workOutNextPar();
    });
    connect(m_parWorker, &DoubleDummyWorker::failed, this, [this] {
        showPar(m_parGame, QString());
        workOutNextPar();
    });
    // Without the solver every game is looked up among the known tables only.
    connect(m_parWorker, &DoubleDummyWorker::unavailable, this, [this] {
        m_parSolverMissing = true;
        showPar(m_parGame, QString());
        workOutNextPar();
    });
    for (OverviewRow &row : m_rows) {
        row.par = ResString(dd_text::Working);
        m_parQueue << row.digits;
    }
    m_parTotal = static_cast<int>(m_parQueue.size());
    m_parClock.start();
    // The window shows every row first; the cells fill in from the next turn of the event loop.
    QTimer::singleShot(0, this, [this] { workOutNextPar(); });
    // A first table that takes long shows the progress before it is done.
    QTimer::singleShot(ProgressAfterMs, this, [this] {
        if (parsWaiting() > 0)
            showParProgress();
    });
}

void OverviewWindow::workOutNextPar()
{
    m_parGame.clear();
    QElapsedTimer slice;
    slice.start();
    const int language = m_main.LanguageNumber;
    while (!m_parQueue.isEmpty()) {
        if (slice.elapsed() >= SliceMs) {
            // The rest waits for the next turn of the event loop.
            showParProgress();
            QTimer::singleShot(0, this, [this] { workOutNextPar(); });
            return;
        }
        const QString digits = m_parQueue.takeFirst();
        const long long n = leadingNumber(digits);
        const Game game = m_main.store().load(n);
        const int vulnerability = VulnerabilityOf(n);
        const std::optional<DoubleDummyCache::Key> key
            = DoubleDummyCache::keyOf(game.holdings, language, vulnerability);
        if (!key) {
            showPar(digits, QString());
            continue;
        }
        // Known in memory: shown at once. Otherwise the worker reads the file or solves.
        if (const std::optional<DoubleDummyResult> known = DoubleDummyCache::shared().findInMemory(*key)) {
            showPar(digits, parSummaryText(*known, language));
            continue;
        }
        if (!m_parSolverMissing && m_parWorker->request(game.holdings, language, vulnerability)) {
            m_parGame = digits;
            showParProgress();
            return;
        }
        showPar(digits, QString());
    }
    closeParProgress();
}

void OverviewWindow::showParProgress()
{
    if (!m_parProgress) {
        if (m_parClock.elapsed() < ProgressAfterMs)
            return;
        m_parProgress = new QProgressDialog(
            ResString(dd_text::ParProgress), ResString(own::ProgressCancel), 0, std::max(m_parTotal, 1), this);
        // The overview stays in use while its column fills: the dialog neither blocks it nor takes
        // its focus.
        m_parProgress->setWindowModality(Qt::NonModal);
        m_parProgress->setAttribute(Qt::WA_ShowWithoutActivating);
        m_parProgress->setAutoClose(false);
        m_parProgress->setAutoReset(false);
        m_parProgress->setMinimumDuration(0);
        connect(m_parProgress, &QProgressDialog::canceled, this, [this] { stopParWork(); });
    }
    m_parProgress->setValue(std::clamp(m_parTotal - parsWaiting(), 0, m_parTotal));
}

void OverviewWindow::closeParProgress()
{
    if (!m_parProgress)
        return;
    m_parProgress->disconnect(this);
    m_parProgress->close();
    m_parProgress->deleteLater();
    m_parProgress = nullptr;
}

// The table being solved still runs to its end; its answer is no longer asked for.
void OverviewWindow::stopParWork()
{
    m_parWorker->cancel();
    if (!m_parGame.isEmpty())
        showPar(m_parGame, QString());
    m_parGame.clear();
    for (const QString &digits : std::as_const(m_parQueue))
        showPar(digits, QString());
    m_parQueue.clear();
    closeParProgress();
}

void OverviewWindow::showPar(const QString &digits, const QString &text)
{
    for (int r = 0; r < m_rows.size(); ++r) {
        if (m_rows[r].digits != digits)
            continue;
        m_rows[r].par = text;
        if (QTableWidgetItem *item = msfgResultaat->item(r + 1, static_cast<int>(OverviewColumn::Par))) {
            item->setText(text);
            // A par of several contracts may be wider than the column.
            item->setToolTip(text);
        }
    }
}

// Room for a par of two contracts ("NZ +620: 4♠ NZ, 4♥ NZ") from the start, so the column does
// not jump while the cells fill; a longer par is cut, and its tooltip holds it whole.
void OverviewWindow::widenParColumn()
{
    ParContract spades {4, 3, {North, South}};
    ParContract hearts {4, 2, {North, South}};
    DoubleDummyResult sample;
    sample.parScore = 620;
    sample.parContracts = {spades, hearts};
    const QString text = parSummaryText(sample, m_main.LanguageNumber) + QLatin1Char('W');
    const int column = static_cast<int>(OverviewColumn::Par);
    const int wanted = QFontMetrics(m_main.font()).horizontalAdvance(text);
    msfgResultaat->setColumnWidth(column, std::max(msfgResultaat->columnWidth(column), wanted));
}

} // namespace briqo
