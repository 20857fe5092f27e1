#include "ui/main_window/frm_bordix.h"

#include "keys/key_sender.h"
#include "ui/common/event_hooks.h"
#include "base/fonts.h"
#include "base/string_table.h"
#include "base/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace briqo {

frmBordix::frmBordix(
    const Services &services, const QString &programFolder, QWidget *parent, GameListAtStart listAtStart)
    : QWidget(parent)
    , picAlles(new BoardView(this))
    , m_services(services)
    , m_programFolder(programFolder)
    , m_gameListPending(listAtStart == GameListAtStart::AfterShow)
{
    setWindowTitle(QStringLiteral("Maak plaatje van spel"));
    setFont(verdana(8.25));
    setBackColour(this, White);
    resize(toPx(12555), toPx(10260));

    if (m_services.keys) {
        m_keySender = std::make_unique<KeySender>(*m_services.keys);
        sendKeys = [this](const QString &text) {
            bool wait = false;
            m_keySender->SendKeyText(text, wait);
        };
    }

    buildBiddingBox();
    buildGamesFrame();
    buildBottomStrip();
    applyDesignedStates();
    connectHandlers();
    connectExchange();
    connectDoubleDummy();

    // The window previews every key of its controls, so Escape ends the program from anywhere.
    qApp->installEventFilter(this);

    Form_Load();
}

frmBordix::~frmBordix() { qApp->removeEventFilter(this); }

void markAsChildWindow(QWidget *window) { window->setProperty("briqoChildWindow", true); }

bool isChildWindow(const QWidget *window) { return window->property("briqoChildWindow").toBool(); }

QString frmBordix::iniPath() const { return m_programFolder + QStringLiteral("/taal.ini"); }

QString frmBordix::ResString(int n) const { return briqo::ResString(n, LanguageNumber); }

void frmBordix::SetFocusIfPossible(QWidget *control)
{
    if (control && isVisible() && isEnabled() && control->isVisible() && control->isEnabled())
        control->setFocus();
}

void frmBordix::showInfo(const QString &text) { m_services.messages->info(this, caption(), messageText(text)); }

bool frmBordix::askYesNo(const QString &text)
{
    return m_services.messages->askYesNo(this, caption(), messageText(text), LanguageNumber);
}

bool frmBordix::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && (w == this || isAncestorOf(w))) {
            // Ends at once: no unload handling, no question about unsaved work.
            if (endProgram)
                endProgram();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmBordix::closeEvent(QCloseEvent *event)
{
    // A board picture left on the clipboard does not outlive the program.
    m_services.clipboard->clear();
    event->accept();
}

void frmBordix::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !m_shown)
        return;
    // The window becomes active again for the program when one of its child windows gives the
    // activation back. A message box hands the focus back to where it was, and returning from
    // another program is no activation either: both leave the caret where the user had it.
    if (!isActiveWindow()) {
        const QWidget *next = QApplication::activeWindow();
        m_childWindowWasActive = next && isChildWindow(next);
        return;
    }
    if (m_childWindowWasActive && isEnabled()) {
        m_childWindowWasActive = false;
        Form_Activate();
    }
}

void frmBordix::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (m_shown && isVisible() && !isMinimized())
        Form_Resize();
}

void frmBordix::showEvent(QShowEvent *event)
{
    // The window becomes active for the program when it first appears; returning to it from
    // another program is not such an activation and leaves the focus where the user had it.
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        QTimer::singleShot(0, this, [this] {
            // The list is filled before the activation, whose update check may open a message.
            if (m_gameListPending) {
                m_gameListPending = false;
                LeesSpellen();
            }
            Form_Activate();
        });
    }
}

} // namespace briqo
