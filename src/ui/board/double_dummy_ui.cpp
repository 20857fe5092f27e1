// The double-dummy table and par on the board: worked out in the background whenever the deal or
// the game number changes, so the window never waits for the solver, and shown once it is known.

#include "ui/main_window/frm_bordix.h"

#include "analysis/double_dummy_cache.h"
#include "analysis/double_dummy_worker.h"
#include "base/profile.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "deal/hand_rules.h"
#include "ui/board/double_dummy_block.h"

#include <QApplication>
#include <QCheckBox>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace briqo {

namespace {

const QString OptionsSection = QStringLiteral("Opties");
const QString DoubleDummyKeyName = QStringLiteral("DDTabel");

} // namespace

void frmBordix::connectDoubleDummy()
{
    m_doubleDummy = new DoubleDummyWorker(this);
    connect(m_doubleDummy, &DoubleDummyWorker::finished, this, [this](const DoubleDummyResult &result) {
        m_doubleDummyResult = result;
        // A change still waiting to be handled has made this table old already.
        if (m_doubleDummyKey && doubleDummyKey() == *m_doubleDummyKey)
            picAlles->showDoubleDummy(result);
    });
    // A deal the solver refuses shows no table; nothing else depends on it.
    connect(m_doubleDummy, &DoubleDummyWorker::failed, this, [this] { m_doubleDummyResult.reset(); });
    // Without the solver's library the board shows no table; the user hears why once a run.
    connect(m_doubleDummy, &DoubleDummyWorker::unavailable, this, [this] {
        m_doubleDummyResult.reset();
        static bool told = false;
        if (!told) {
            told = true;
            showInfo(doubleDummyUnavailableText(LanguageNumber));
        }
    });

    for (QLineEdit *field : txtInvoer)
        connect(field, &QLineEdit::textChanged, this, [this] { doubleDummyDealEdited(); });
    connect(txtSpel, &QLineEdit::textChanged, this, [this] { doubleDummyDealEdited(); });
    connect(chkDoubleDummy, &QCheckBox::clicked, this, [this] { chkDoubleDummy_Click(); });
}

// Each holding in card order: a field typed and then sorted on leaving is the same deal, and
// asks for no second table.
Holdings frmBordix::dealForAnalysis() const
{
    Holdings deal = m_board.holdings();
    for (QString &holding : deal)
        holding = sortedHolding(holding, LanguageNumber);
    return deal;
}

frmBordix::DoubleDummyKey frmBordix::doubleDummyKey() const
{
    return {dealForAnalysis(), VulnerabilityOf(currentGameNumber()), LanguageNumber};
}

void frmBordix::doubleDummyDealEdited()
{
    // The program rewrites fields one by one (a rotation, a loaded game): the table goes at the
    // first change, and only the deal the handler leaves behind is worked out.
    if (m_doubleDummyKey && doubleDummyKey() != *m_doubleDummyKey)
        picAlles->showDoubleDummy(std::nullopt);
    if (m_doubleDummyQueued)
        return;
    m_doubleDummyQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_doubleDummyQueued = false;
        refreshDoubleDummy();
    });
}

void frmBordix::refreshDoubleDummy()
{
    const DoubleDummyKey key = doubleDummyKey();
    if (!isValidCompleteDeal(key.deal, key.languageNumber)) {
        // The last table is kept aside: a card taken away and put back needs no new table.
        m_doubleDummy->cancel();
        picAlles->showDoubleDummy(std::nullopt);
        return;
    }
    if (m_doubleDummyKey && key == *m_doubleDummyKey) {
        if (m_doubleDummyResult)
            picAlles->showDoubleDummy(m_doubleDummyResult);
        else if (!m_doubleDummy->isPending())
            m_doubleDummy->request(key.deal, key.languageNumber, key.vulnerability);
        return;
    }
    m_doubleDummyKey = key;
    m_doubleDummyResult.reset();
    picAlles->showDoubleDummy(std::nullopt);
    m_doubleDummy->request(key.deal, key.languageNumber, key.vulnerability);
}

std::optional<DoubleDummyResult> frmBordix::doubleDummyNow()
{
    const DoubleDummyKey key = doubleDummyKey();
    if (m_doubleDummyKey && key == *m_doubleDummyKey && m_doubleDummyResult)
        return m_doubleDummyResult;
    if (!isValidCompleteDeal(key.deal, key.languageNumber))
        return std::nullopt;
    if (const std::optional<DoubleDummyCache::Key> known
        = DoubleDummyCache::keyOf(key.deal, key.languageNumber, key.vulnerability)) {
        if (std::optional<DoubleDummyResult> result = DoubleDummyCache::shared().findInMemory(*known)) {
            if (!m_doubleDummyKey || key != *m_doubleDummyKey)
                m_doubleDummy->cancel();
            m_doubleDummyKey = key;
            m_doubleDummyResult = result;
            picAlles->showDoubleDummy(result);
            return result;
        }
    }
    // The worker solves it (or reads it from the cache file) while the window keeps painting;
    // what the user types or clicks meanwhile waits until the picture has its table.
    if (!m_doubleDummyKey || key != *m_doubleDummyKey || !m_doubleDummy->isPending()) {
        m_doubleDummyKey = key;
        m_doubleDummyResult.reset();
        if (!m_doubleDummy->request(key.deal, key.languageNumber, key.vulnerability))
            return std::nullopt;
    }
    QEventLoop loop;
    const auto quit = [&loop] { loop.quit(); };
    // Connected after the window's own handlers, so the result has been taken when the loop ends.
    const QMetaObject::Connection connections[] = {
        connect(m_doubleDummy, &DoubleDummyWorker::finished, &loop, quit),
        connect(m_doubleDummy, &DoubleDummyWorker::failed, &loop, quit),
        connect(m_doubleDummy, &DoubleDummyWorker::unavailable, &loop, quit),
    };
    // A request dropped meanwhile (the board changed under a timer) ends the wait as well.
    QTimer check;
    connect(&check, &QTimer::timeout, &loop, [this, &loop] {
        if (!m_doubleDummy->isPending())
            loop.quit();
    });
    check.start(50);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (m_doubleDummy->isPending())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    QApplication::restoreOverrideCursor();
    for (const QMetaObject::Connection &c : connections)
        disconnect(c);
    if (m_doubleDummyKey && key == *m_doubleDummyKey)
        return m_doubleDummyResult;
    return std::nullopt;
}

// Off unless the user has put it on: without it the picture is the board alone.
void frmBordix::readDoubleDummyOption()
{
    chkDoubleDummy->setChecked(leadingNumber(ReadIni(OptionsSection, DoubleDummyKeyName, iniPath())) != 0);
}

void frmBordix::chkDoubleDummy_Click()
{
    WriteIni(OptionsSection, DoubleDummyKeyName,
        chkDoubleDummy->isChecked() ? QStringLiteral("1") : QStringLiteral("0"), iniPath());
    cmdFocus->setFocus();
}

} // namespace briqo
