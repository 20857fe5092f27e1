#pragma once

#include "base/progress.h"

#include <QString>

#include <memory>

class QProgressDialog;
class QWidget;

namespace briqo {

// ProgressReport of long work in a window: a dialog with a Stop button that appears only when the work
// takes longer than a second, so quick work shows nothing.
class WorkProgress {
public:
    WorkProgress(QWidget *owner, const QString &label, const QString &stopText);
    ~WorkProgress();
    WorkProgress(const WorkProgress &) = delete;
    WorkProgress &operator=(const WorkProgress &) = delete;

    // The callback to hand to the work.
    ProgressReport report();
    bool stopped() const { return m_stopped; }

private:
    std::unique_ptr<QProgressDialog> m_dialog;
    bool m_stopped = false;
};

} // namespace briqo
