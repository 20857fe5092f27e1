#include "output/board_picture.h"

#include "ui/board/board_view.h"
#include "ui/board/double_dummy_block.h"
#include "deal/deal.h"
#include "resources/pictures.h"
#include "base/twips.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEngine>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QTextDocument>

#include <optional>
#include <vector>

namespace briqo {

namespace {

// The question box as high as its text needs at its width, so the whole question is in the
// picture and nothing but white follows it.
void fitQuestionToText(QPlainTextEdit *question)
{
    const int margin = static_cast<int>(std::ceil(question->document()->documentMargin()));
    const QMargins frame = question->contentsMargins();
    const int textWidth = question->width() - frame.left() - frame.right() - 2 * margin;
    const QRect text = QFontMetrics(question->font())
                           .boundingRect(QRect(0, 0, std::max(1, textWidth), 1 << 20),
                               Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, question->toPlainText().trimmed());
    question->resize(question->width(), text.height() + 2 * margin + frame.top() + frame.bottom() + 2);
    question->verticalScrollBar()->setValue(0);
}

// The window's pictures are pixels for pixels: the symbols' bitmaps belong in them. Anything else
// (a PDF, an SVG, a picture drawn larger) would blur or embed those bitmaps.
bool drawsPixelForPixel(const QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    return engine && engine->type() == QPaintEngine::Raster
        && painter.worldTransform().type() <= QTransform::TxTranslate;
}

// Where a label shows its picture, in the label's own coordinates, as the label itself places it.
QRectF pictureBox(const QLabel *label)
{
    const QPixmap shown = label->pixmap();
    const int margin = label->margin();
    const QRect inside = label->contentsRect().adjusted(margin, margin, -margin, -margin);
    if (label->hasScaledContents())
        return inside;
    const Qt::Alignment alignment = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
    return QStyle::alignedRect(label->layoutDirection(), alignment, shown.deviceIndependentSize().toSize(), inside);
}

// The board's picture labels emptied for one drawing and given their pictures back afterwards,
// whatever happens in between; each remembers where its picture stood.
class PicturesLifted {
public:
    explicit PicturesLifted(BoardView &board)
    {
        for (QLabel *label : board.findChildren<QLabel *>()) {
            const int id = pictureIdOf(label);
            if (id == 0 || label->pixmap().isNull() || !label->isVisibleTo(&board))
                continue;
            m_lifted.push_back({label, id, pictureBox(label).translated(label->mapTo(&board, QPoint(0, 0)))});
            label->clear();
        }
    }
    ~PicturesLifted()
    {
        for (const Lifted &l : m_lifted)
            l.label->setPixmap(picture(l.id));
    }
    PicturesLifted(const PicturesLifted &) = delete;
    PicturesLifted &operator=(const PicturesLifted &) = delete;

    struct Lifted {
        QLabel *label;
        int id;
        QRectF box; // in the board's coordinates
    };
    const std::vector<Lifted> &lifted() const { return m_lifted; }

private:
    std::vector<Lifted> m_lifted;
};

// The style draws a group box's frame from a small picture stretched over it, which a PDF keeps
// as blurred bitmaps. Here each frame is looked at once as the style draws it on pixels, and then
// drawn as a rounded rectangle of the same place and colours instead, for as long as this lives.
class FramesAsShapes : public QObject {
public:
    explicit FramesAsShapes(BoardView &board)
    {
        for (QGroupBox *box : board.findChildren<QGroupBox *>()) {
            if (!box->isVisibleTo(&board) || box->size().isEmpty())
                continue;
            QImage drawn(box->size(), QImage::Format_ARGB32);
            drawn.fill(Qt::transparent);
            box->render(&drawn, QPoint(), QRegion(), QWidget::RenderFlags());
            const std::optional<Shape> shape = shapeOf(drawn);
            if (!shape)
                continue;
            m_shapes.push_back({box, *shape});
            box->installEventFilter(this);
        }
    }
    ~FramesAsShapes() override
    {
        for (const auto &[box, shape] : m_shapes)
            box->removeEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        for (const auto &[box, shape] : m_shapes) {
            if (box != watched)
                continue;
            QPainter painter(box);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(shape.border, 1));
            painter.setBrush(shape.fill);
            painter.drawRoundedRect(QRectF(shape.rect).adjusted(0.5, 0.5, -0.5, -0.5), shape.radius, shape.radius);
            return true;
        }
        return false;
    }

private:
    struct Shape {
        QRect rect;
        QColor border;
        QColor fill;
        double radius;
    };

    static std::optional<Shape> shapeOf(const QImage &drawn)
    {
        QRect ink;
        for (int y = 0; y < drawn.height(); ++y) {
            for (int x = 0; x < drawn.width(); ++x) {
                if (qAlpha(drawn.pixel(x, y)) > 0)
                    ink |= QRect(x, y, 1, 1);
            }
        }
        if (ink.width() < 3 || ink.height() < 3)
            return std::nullopt;
        const int middle = ink.center().y();
        int corner = 0; // how far in from the left the top edge starts: the corner's rounding
        while (corner < ink.width() / 2 && qAlpha(drawn.pixel(ink.left() + corner, ink.top())) == 0)
            ++corner;
        return Shape {ink, drawn.pixelColor(ink.left(), middle), drawn.pixelColor(ink.center()), corner + 1.0};
    }

    std::vector<std::pair<QGroupBox *, Shape>> m_shapes;
};

} // namespace

PictureFrame prepareBoardPicture(BoardView &board, bool tenAs10)
{
    board.msfgOverzicht->hide();
    board.cmdVraagAntwoord->hide();
    for (int i = 0; i < FieldCount; ++i) {
        setBackColour(board.txtInvoer[i], White);
        setBackColour(board.picAchter[i], White);
    }
    board.picDeMaker->hide();
    board.chkUitKomst->hide();
    if (tenAs10) {
        for (QLineEdit *field : board.txtInvoer)
            writeHolding(field, tensAs10(field->text()));
        // The lead's ten as well, whether the board showed it so already or not.
        if (board.lblVulin[6]->text() == QLatin1String("T"))
            board.setLeadCard(QStringLiteral("10"));
    }
    for (QLabel *note : board.lblMakerNote)
        note->show();
    board.imaLogo->hide();
    board.picVlaggen->hide();

    setHeightTw(board.fraBieding, board.AuctionBottom);
    board.VerplaatsObjecten();

    const QFrame *lowest = board.picAchter[FieldOf(South, Clubs)];
    const double southBottom = topTw(lowest) + heightTw(lowest);
    double bottom = southBottom;

    // The double-dummy block, when it shows, goes below West's hand, beside South's: there it
    // stays clear of the hands and of the notice in the corner below it.
    DoubleDummyBlock *block = board.doubleDummyBlock;
    if (!block->isHidden()) {
        const QFrame *westClubs = board.picAchter[FieldOf(West, Clubs)];
        setLeftTw(block, DoubleDummyBlockLeft);
        setTopTw(block, topTw(westClubs) + heightTw(westClubs) + DoubleDummyBelowWest);
        block->raise();
        bottom = std::max(bottom, topTw(block) + heightTw(block));
    }
    if (!board.txtVraag->isHidden()) {
        fitQuestionToText(board.txtVraag);
        bottom = std::max(bottom, topTw(board.txtVraag) + heightTw(board.txtVraag));
        setHeightTw(&board, bottom);
    } else if (bottom > heightTw(&board)) {
        setHeightTw(&board, bottom);
    }

    // The notices sit level with the bottom of South's clubs, in the two bottom corners.
    QLabel *left = board.lblMakerNote[0];
    QLabel *right = board.lblMakerNote[1];
    setLeftTw(left, MakerNoteInset);
    setTopTw(left, southBottom - heightTw(left));
    setLeftTw(right, widthTw(&board) - MakerNoteInset - widthTw(right));
    setTopTw(right, topTw(left));

    PictureFrame frame;
    frame.size = QSize(toPx(widthTw(&board) + BoardInWindowLeft), toPx(bottom + PictureBottomMargin));
    frame.boardOffset = QPoint(toPx(BoardInWindowLeft), toPx(BoardInWindowTop));
    return frame;
}

void paintBoardPicture(BoardView &board, const PictureFrame &frame, QPainter &painter)
{
    const QRect picture(QPoint(0, 0), frame.size);
    painter.fillRect(picture, Qt::white);
    const QRect shown = picture.translated(-frame.boardOffset) & board.rect();
    if (shown.isEmpty())
        return;
    if (drawsPixelForPixel(painter)) {
        board.render(&painter, frame.boardOffset + shown.topLeft(), QRegion(shown),
            QWidget::DrawWindowBackground | QWidget::DrawChildren);
        return;
    }
    const PicturesLifted symbols(board);
    const FramesAsShapes frames(board);
    board.render(&painter, frame.boardOffset + shown.topLeft(), QRegion(shown),
        QWidget::DrawWindowBackground | QWidget::DrawChildren);
    painter.save();
    painter.translate(frame.boardOffset);
    painter.setClipRect(shown);
    for (const PicturesLifted::Lifted &symbol : symbols.lifted())
        paintPicture(painter, symbol.id, symbol.box);
    painter.restore();
}

QImage boardPicture(BoardView &board, const PictureFrame &frame)
{
    QImage image(frame.size, QImage::Format_RGB32);
    image.setDotsPerMeterX(PictureDotsPerMetre);
    image.setDotsPerMeterY(PictureDotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintBoardPicture(board, frame, painter);
    painter.end();
    return image;
}

} // namespace briqo
