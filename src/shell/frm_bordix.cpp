#include "shell/frm_bordix.h"

#include "keys/key_sender.h"
#include "shell/event_hooks.h"
#include "shell/fonts.h"
#include "shell/string_table.h"
#include "shell/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace briqo {

frmBordix::frmBordix(const Services &services, const QString &programFolder, QWidget *parent)
    : QWidget(parent)
    , picAlles(new BoardView(this))
    , m_services(services)
    , m_programFolder(programFolder)
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

    // The window previews every key of its controls, so Escape ends the program from anywhere.
    qApp->installEventFilter(this);

    Form_Load();
}

frmBordix::~frmBordix() { qApp->removeEventFilter(this); }

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

void frmBordix::showEvent(QShowEvent *event)
{
    // The window becomes active for the program when it first appears; returning to it from
    // another program is not such an activation and leaves the focus where the user had it.
    QWidget::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        QTimer::singleShot(0, this, [this] { Form_Activate(); });
    }
}

} // namespace briqo
