#include "output/board_picture.h"

#include "board/board_view.h"
#include "board/double_dummy_block.h"
#include "deal/deal.h"
#include "shell/twips.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTextDocument>

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
    board.render(&painter, frame.boardOffset + shown.topLeft(), QRegion(shown),
        QWidget::DrawWindowBackground | QWidget::DrawChildren);
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
