#include "ui/common/work_progress.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace briqo {

namespace {

constexpr int ShowAfterMs = 1000;

} // namespace

WorkProgress::WorkProgress(QWidget *owner, const QString &label, const QString &stopText)
    : m_dialog(std::make_unique<QProgressDialog>(label, stopText, 0, 1, owner))
{
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(ShowAfterMs);
    m_dialog->setAutoClose(true);
    m_dialog->setAutoReset(false);
    m_dialog->setValue(0);
}

WorkProgress::~WorkProgress() = default;

ProgressReport WorkProgress::report()
{
    return [this](qsizetype done, qsizetype total) {
        m_dialog->setMaximum(static_cast<int>(std::max<qsizetype>(total, 1)));
        // A window-modal dialog lets the events run as it moves on, so Stop is seen here.
        m_dialog->setValue(static_cast<int>(std::min(done, total)));
        QCoreApplication::processEvents();
        if (m_dialog->wasCanceled())
            m_stopped = true;
        return !m_stopped;
    };
}

} // namespace briqo
