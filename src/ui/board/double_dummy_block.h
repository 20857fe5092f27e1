#pragma once

#include "analysis/double_dummy.h"

#include <QWidget>

#include <optional>

namespace briqo {

// The double-dummy block of the board: the tricks each seat takes as declarer in each strain,
// North-South above East-West, and beside the table the par score with its contracts. It sizes
// itself to what it shows; without a result it is hidden.
class DoubleDummyBlock : public QWidget {
public:
    explicit DoubleDummyBlock(QWidget *parent = nullptr);

    void showResult(const DoubleDummyResult &result, int languageNumber);
    void clearResult();
    const std::optional<DoubleDummyResult> &result() const { return m_result; }

    // The seats in the order of the rows, and the strains in the order of the columns.
    static constexpr int RowSeats[4] = {North, South, East, West};
    static constexpr int ColumnStrains[StrainCount] = {NoTrumpStrain, 3, 2, 1, 0};
    // The lines beside the table: "Par", the score, then one line per par contract.
    QStringList parLines() const { return m_parLines; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QRect cellRect(int row, int column) const;
    int tableWidth() const;

    std::optional<DoubleDummyResult> m_result;
    int m_languageNumber = 10;
    QStringList m_parLines;
};

} // namespace briqo
