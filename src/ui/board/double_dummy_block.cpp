#include "ui/board/double_dummy_block.h"

#include "analysis/par_text.h"
#include "base/fonts.h"
#include "base/twips.h"

#include <QFontMetrics>
#include <QPainter>

namespace briqo {

namespace {

// In pixels, as the summary grid beside East is drawn: the same header grey, the same type.
constexpr int SeatColumnWidth = 16;
constexpr int StrainColumnWidth = 22;
constexpr int RowHeight = 15;
constexpr int ParGap = 8; // between the table and the par lines
constexpr int MaxParLines = 5; // as high as the table: the block keeps clear of the flags below it
const QColor HeaderBack(0xE0, 0xE0, 0xE0);
const QColor GridLine(0xA0, 0xA0, 0xA0);

QFont blockFont(bool bold = false) { return verdana(8.25, bold); }

} // namespace

DoubleDummyBlock::DoubleDummyBlock(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void DoubleDummyBlock::showResult(const DoubleDummyResult &result, int languageNumber)
{
    m_result = result;
    m_languageNumber = languageNumber;
    m_parLines = {QStringLiteral("Par"), parScoreText(result.parScore, languageNumber)};
    for (const ParContract &contract : result.parContracts) {
        if (m_parLines.size() == MaxParLines) {
            m_parLines.last() += QStringLiteral(" ...");
            break;
        }
        m_parLines << parContractText(contract, languageNumber);
    }

    int parWidth = 0;
    for (int i = 0; i < m_parLines.size(); ++i)
        parWidth = std::max(parWidth, QFontMetrics(blockFont(i == 0)).horizontalAdvance(m_parLines[i]));
    const int tableHeight = 5 * RowHeight + 1;
    resize(tableWidth() + ParGap + parWidth + 1,
        std::max(tableHeight, static_cast<int>(m_parLines.size()) * RowHeight + 1));
    show();
    update();
}

void DoubleDummyBlock::clearResult()
{
    m_result.reset();
    m_parLines.clear();
    hide();
}

int DoubleDummyBlock::tableWidth() const { return SeatColumnWidth + StrainCount * StrainColumnWidth + 1; }

// Row 0 and column 0 are the headers: the strains across, the seats down.
QRect DoubleDummyBlock::cellRect(int row, int column) const
{
    const int left = column == 0 ? 0 : SeatColumnWidth + (column - 1) * StrainColumnWidth;
    const int width = column == 0 ? SeatColumnWidth : StrainColumnWidth;
    return QRect(left, row * RowHeight, width, RowHeight);
}

void DoubleDummyBlock::paintEvent(QPaintEvent *)
{
    if (!m_result)
        return;
    QPainter p(this);
    p.fillRect(rect(), Qt::white);

    for (int row = 0; row <= 4; ++row)
        for (int column = 0; column <= StrainCount; ++column) {
            const QRect cell = cellRect(row, column);
            const bool header = row == 0 || column == 0;
            p.fillRect(cell, header ? HeaderBack : QColor(Qt::white));
            p.setPen(GridLine);
            p.drawRect(cell);
            if (row == 0 && column == 0)
                continue;
            QString text;
            QColor ink = Qt::black;
            if (row == 0) {
                const int strain = ColumnStrains[column - 1];
                text = strainSymbol(strain, m_languageNumber);
                if (isRedStrain(strain))
                    ink = bgr(SuitRed);
            } else if (column == 0) {
                text = seatInitial(RowSeats[row - 1], m_languageNumber);
            } else {
                text = QString::number(m_result->tricks[ColumnStrains[column - 1]][RowSeats[row - 1]]);
            }
            p.setFont(blockFont(header));
            p.setPen(ink);
            p.drawText(cell, Qt::AlignCenter, text);
        }

    const int parLeft = tableWidth() + ParGap;
    p.setPen(Qt::black);
    for (int i = 0; i < m_parLines.size(); ++i) {
        p.setFont(blockFont(i == 0));
        p.drawText(QRect(parLeft, i * RowHeight, width() - parLeft, RowHeight), Qt::AlignLeft | Qt::AlignVCenter,
            m_parLines[i]);
    }
}

} // namespace briqo
