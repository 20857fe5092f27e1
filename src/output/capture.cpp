// The board picture: the window stripped to the board and shrunk around it, its picture taken
// with Alt+Print Screen, saved as the game's next numbered bitmap; then the window exactly as it
// was, whatever failed in between.

#include "shell/frm_bordix.h"

#include "board/double_dummy_block.h"
#include "output/bitmap_file.h"
#include "output/board_picture.h"
#include "shell/string_ids.h"
#include "shell/string_table.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <vector>

namespace briqo {

namespace {

// The fixed pauses of a capture: after the keys, after writing the file, after a failed step.
constexpr int PauseAfterKeys = 100;
constexpr int PauseAfterFile = 1000;
constexpr int PauseAfterError = 200;

// Delete buttons of the bidding box that never belong in a picture.
constexpr int DeleteLastBidButton = 39;
constexpr int DeleteAllBidsButton = 40;

bool isTopmost(const QWidget &window)
{
    const QWindow *handle = window.windowHandle();
    return handle && handle->flags().testFlag(Qt::WindowStaysOnTopHint);
}

// Set on the platform window itself, so the window stays mapped and active; changing the widget's
// flags would hide and re-create it in the middle of the capture.
void setTopmost(QWidget &window, bool on)
{
    if (QWindow *handle = window.windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, on);
}

// Everything a capture changes in the window, taken before it starts and put back at its end, in
// every case: the window's place, size, state, caption and topmost flag, the place, visibility
// and enabled state of the controls of the window and of the board, the hand texts, the lead's
// card, the flag timer and the question box's border. Only the white of the hand fields stays.
class WindowLook {
public:
    explicit WindowLook(frmBordix &w)
        : m_window(w)
        , m_normalGeometry(w.normalGeometry())
        , m_position(w.pos())
        , m_state(w.windowState())
        , m_caption(w.windowTitle())
        , m_topmost(isTopmost(w))
        , m_timerActive(w.timVlaggen->isActive())
        , m_entrySuppressed(w.EntrySuppressed)
        , m_questionFrame(w.txtVraag->frameShape())
        , m_leadCard(w.lblVulin[6]->text())
    {
        for (int i = 0; i < FieldCount; ++i)
            m_hands[i] = w.txtInvoer[i]->text();
        rememberChildren(&w);
        rememberChildren(w.picAlles);
        remember(w.picAlles);
        remember(w.imaLogo);
        remember(w.picBBA[DeleteLastBidButton]);
        remember(w.picBBA[DeleteAllBidsButton]);
    }

    ~WindowLook() { restore(); }

    void restore()
    {
        if (m_restored)
            return;
        m_restored = true;
        frmBordix &w = m_window;
        w.EntrySuppressed = true;
        for (int i = 0; i < FieldCount; ++i)
            writeHolding(w.txtInvoer[i], m_hands[i]);
        w.EntrySuppressed = m_entrySuppressed;
        w.txtVraag->setFrameShape(m_questionFrame);
        w.lblVulin[6]->setText(m_leadCard);
        for (const Control &c : m_controls) {
            if (!c.widget)
                continue;
            c.widget->setGeometry(c.geometry);
            c.widget->setHidden(c.hidden);
            c.widget->setEnabled(c.enabled);
        }
        if (m_timerActive)
            w.timVlaggen->start();
        else
            w.timVlaggen->stop();
        w.setWindowTitle(m_caption);
        w.setWindowState(Qt::WindowNoState);
        w.setGeometry(m_normalGeometry);
        // Growing the window back centres it; it goes back to where it was.
        if (!(m_state & (Qt::WindowMaximized | Qt::WindowFullScreen)))
            w.move(m_position);
        w.setWindowState(m_state);
        setTopmost(w, m_topmost);
    }

private:
    struct Control {
        QPointer<QWidget> widget;
        QRect geometry;
        bool hidden;
        bool enabled; // its own state: a control inside a disabled box stays enabled itself
    };

    void remember(QWidget *widget)
    {
        m_controls.push_back(
            {widget, widget->geometry(), widget->isHidden(), !widget->testAttribute(Qt::WA_ForceDisabled)});
    }
    void rememberChildren(QWidget *parent)
    {
        for (QWidget *child : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            remember(child);
    }

    frmBordix &m_window;
    QRect m_normalGeometry;
    QPoint m_position; // of the frame
    Qt::WindowStates m_state;
    QString m_caption;
    bool m_topmost;
    bool m_timerActive;
    bool m_entrySuppressed;
    QFrame::Shape m_questionFrame;
    QString m_leadCard;
    std::array<QString, FieldCount> m_hands;
    std::vector<Control> m_controls;
    bool m_restored = false;
};

} // namespace

void frmBordix::ZoekBMPNummer() { PictureSuffix = store().nextPictureSuffix(currentGameNumber()); }

bool frmBordix::cmdKopie_Click()
{
    WindowLook before(*this);
    setTopmost(*this, true);

    // The double-dummy block is in the picture only when its option is on; the picture does not
    // wait for the background to finish the table.
    const std::optional<DoubleDummyResult> table = chkDoubleDummy->isChecked() ? doubleDummyNow() : std::nullopt;
    m_capturing = true;
    if (table)
        picAlles->showDoubleDummy(table);
    else
        picAlles->doubleDummyBlock->hide();

    const long long n = currentGameNumber();
    ZoekBMPNummer();
    const QString suffix = PictureSuffix;

    // The board's own part: grid, question button, maker's panel and lead box gone, fields white,
    // tens as "10" when asked, the notices in the corners, the hands stacked under the auction.
    EntrySuppressed = true;
    const PictureFrame frame = prepareBoardPicture(*picAlles, chkTien->isChecked());

    m_services.clipboard->clear();

    // The window's part: nothing but the board, no caption, shrunk around the board.
    fraSpellen->hide();
    picBBA[DeleteLastBidButton]->hide();
    picBBA[DeleteAllBidsButton]->hide();
    picBiedBox->setEnabled(false);
    timVlaggen->stop();
    picKnoppen->hide();
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    setWindowTitle(QString());
    resize(frame.size);
    if (!txtVraag->isHidden()) {
        // A picture with a question is taller: it starts at the top of the screen.
        if (const QScreen *shown = screen())
            move(pos().x(), shown->availableGeometry().top());
    }
    m_pictureFrame = frame;
    repaint();
    cmdFocus->setFocus();

    // Alt+Print Screen: the platform puts the picture of the active window on the clipboard.
    if (sendKeys)
        sendKeys(QStringLiteral("%{PRINTSCREEN}"));
    QCoreApplication::processEvents();
    m_services.pause->sleep(PauseAfterKeys);

    const QImage taken = m_services.clipboard->image();
    QString failure;
    if (taken.isNull()) {
        failure = ResString(own::PictureNotTaken);
        m_services.pause->sleep(PauseAfterError);
    }
    if (!ClipboardMode) {
        picSpel = taken;
        if (!taken.isNull()) {
            const StoreResult written = store().writePicture(n, suffix, bitmapFileBytes(taken));
            if (!written) {
                failure = fillPlaceholder(ResString(own::PictureNotSaved), QLatin1Char('~'), written.path);
                m_services.pause->sleep(PauseAfterError);
            }
        }
        m_services.pause->sleep(PauseAfterFile);
    }

    m_pictureFrame = {};
    before.restore();
    m_capturing = false;
    refreshDoubleDummy();
    PrintMode = false;
    cmdFocus->setFocus();
    if (!failure.isEmpty())
        showInfo(failure);
    return !taken.isNull();
}

void frmBordix::cmdNaarKlembord_Click()
{
    ClipboardMode = true;
    const bool taken = cmdKopie_Click();
    ClipboardMode = false;
    // A failed capture has said so already; telling the user to paste would send them looking.
    if (taken)
        showInfo(ResString(Str::PasteThePicture));
    cmdFocus->setFocus();
}

QImage frmBordix::windowPicture()
{
    if (m_pictureFrame.size.isEmpty())
        return grab().toImage();
    return boardPicture(*picAlles, m_pictureFrame);
}

} // namespace briqo
