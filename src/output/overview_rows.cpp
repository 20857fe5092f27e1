#include "output/overview_rows.h"

#include "store/game_store.h"

#include <algorithm>

namespace briqo {

namespace {

const QLatin1Char kBlank(' ');

QString trimBlanks(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == kBlank)
        ++first;
    while (last > first && text[last - 1] == kBlank)
        --last;
    return text.mid(first, last - first);
}

} // namespace

OverviewRow overviewRowOf(const QString &entry, const QString &contractLine)
{
    OverviewRow row;
    row.digits = entry.section(kBlank, 1, 1);
    // Blanks around the line come from hand edits; without them the first blank is the one
    // between the declarer and the level, as the program writes the line.
    const QString line = trimBlanks(contractLine);
    const qsizetype blank = line.indexOf(kBlank);
    if (blank < 0) {
        row.contract = line;
    } else {
        row.declarer = line.left(blank);
        row.contract = line.mid(blank + 1);
    }
    return row;
}

QList<OverviewRow> overviewRows(const GameStore &store, const QStringList &entries)
{
    QList<OverviewRow> rows;
    rows.reserve(entries.size());
    const QStringList lines = store.contractsOfEntries(entries);
    for (qsizetype i = 0; i < entries.size(); ++i) {
        if (!trimBlanks(lines.at(i)).isEmpty())
            rows.append(overviewRowOf(entries.at(i), lines.at(i)));
    }
    return rows;
}

const QString &overviewCell(const OverviewRow &row, OverviewColumn column)
{
    switch (column) {
    case OverviewColumn::Declarer:
        return row.declarer;
    case OverviewColumn::Contract:
        return row.contract;
    case OverviewColumn::Par:
        return row.par;
    case OverviewColumn::Game:
        break;
    }
    return row.digits;
}

void sortOverviewRows(QList<OverviewRow> &rows, OverviewColumn column)
{
    std::stable_sort(rows.begin(), rows.end(), [column](const OverviewRow &a, const OverviewRow &b) {
        return QString::compare(overviewCell(a, column), overviewCell(b, column), Qt::CaseSensitive) < 0;
    });
}

} // namespace briqo
