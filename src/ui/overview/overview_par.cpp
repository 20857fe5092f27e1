// The par column of the games overview: each game's deal is read and solved in the background,
// one game at a time in the order of the list, and its cell filled as soon as it is known. The
// window answers clicks, sorts and closes meanwhile; a game without a complete deal keeps an
// empty cell.

#include "ui/overview/frm_bordix_02.h"

#include "analysis/double_dummy_worker.h"
#include "analysis/par_text.h"
#include "ui/main_window/frm_bordix.h"
#include "base/string_ids.h"
#include "base/string_table.h"
#include "store/game_store.h"

#include <QFontMetrics>
#include <QTableWidget>

namespace briqo {

void frmBordix_02::startParWork()
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
    for (OverviewRow &row : m_rows) {
        row.par = ResString(dd_text::Working);
        m_parQueue << row.digits;
    }
    workOutNextPar();
}

void frmBordix_02::workOutNextPar()
{
    m_parGame.clear();
    while (!m_parQueue.isEmpty()) {
        const QString digits = m_parQueue.takeFirst();
        const long long n = leadingNumber(digits);
        const Game game = m_main.store().load(n);
        if (m_parWorker->request(game.holdings, m_main.LanguageNumber, VulnerabilityOf(n))) {
            m_parGame = digits;
            return;
        }
        showPar(digits, QString());
    }
}

void frmBordix_02::showPar(const QString &digits, const QString &text)
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
void frmBordix_02::widenParColumn()
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
