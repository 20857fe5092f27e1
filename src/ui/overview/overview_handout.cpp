// The overview's handout: the games of the chosen rows as one PDF, the same file the command
// line's handout makes. A dialog first asks for the layout, the title and what each board shows;
// those choices are kept in taal.ini for the next handout.

#include "ui/common/work_progress.h"
#include "ui/overview/overview_window.h"

#include "base/profile.h"
#include "base/string_table.h"
#include "base/twips.h"
#include "deal/deal.h"
#include "exchange/exchange_strings.h"
#include "output/handout.h"
#include "output/handout_strings.h"
#include "output/shown_parts.h"
#include "platform/safe_write.h"
#include "platform/services.h"
#include "ui/main_window/frm_bordix.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QEventLoop>
#include <QFileInfo>
#include <QFormLayout>
#include <QFutureWatcher>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <set>

namespace briqo {

namespace {

const QString ChoicesSection = QStringLiteral("Hand-out");

QString text(int id, int language) { return ResString(id, language); }

// Works out the double-dummy tables of the games on another thread, a group at a time, while the
// window goes on painting; the handout then finds every table in the cache. False when the user
// stopped it (between two groups).
bool solveOffTheWindowThread(const QList<Game> &games, int language, const ProgressReport &progress)
{
    for (qsizetype first = 0; first < games.size(); first += DealsSolvedTogether) {
        if (progress && !progress(first, games.size()))
            return false;
        QList<DealToSolve> group;
        for (const Game &game : games.mid(first, DealsSolvedTogether))
            group.append({game.holdings, VulnerabilityOf(game.number)});
        QFutureWatcher<void> solving;
        QEventLoop wait;
        QObject::connect(&solving, &QFutureWatcher<void>::finished, &wait, &QEventLoop::quit);
        solving.setFuture(QtConcurrent::run([&group, language] { solveDealsAhead(group, language); }));
        if (!solving.isFinished())
            wait.exec();
    }
    return true;
}

// The handout's choices as the window last made them; what was never chosen follows the board's
// display options (points, hidden hands, the double-dummy table).
HandoutSettings rememberedChoices(const frmBordix &main)
{
    HandoutSettings settings;
    const QString ini = main.iniPath();
    settings.picture.shown = readShownParts(ini);
    if (ReadIni(ChoicesSection, QStringLiteral("Punten"), ini).isEmpty()) {
        settings.picture.shown.points = main.chkPunten->isChecked();
        for (int seat = 0; seat < 4; ++seat)
            settings.picture.shown.hands[seat] = !main.seatHidden(seat);
        settings.picture.shown.doubleDummy = main.chkDoubleDummy && main.chkDoubleDummy->isChecked();
    }
    settings.kind = handoutKindOf(ReadIni(ChoicesSection, QStringLiteral("Opmaak"), ini)).value_or(HandoutKind::Board);
    const int perPage = ReadIni(ChoicesSection, QStringLiteral("PerPagina"), ini).toInt();
    if (perPage >= 1 && perPage <= MaxBoardsPerPage)
        settings.perPage = perPage;
    settings.answersInline = ReadIni(ChoicesSection, QStringLiteral("AntwoordOnder"), ini) == QLatin1String("1");
    settings.notice = ReadIni(ChoicesSection, QStringLiteral("Vermelding"), ini) != QLatin1String("0");
    settings.title = ReadIni(ChoicesSection, QStringLiteral("Titel"), ini);
    settings.subtitle = ReadIni(ChoicesSection, QStringLiteral("Ondertitel"), ini);
    return settings;
}

const char *kindName(HandoutKind kind)
{
    switch (kind) {
    case HandoutKind::Record:
        return "record";
    case HandoutKind::Question:
        return "question";
    case HandoutKind::Board:
        break;
    }
    return "board";
}

void rememberChoices(const HandoutSettings &settings, const QString &ini)
{
    writeShownParts(settings.picture.shown, ini);
    WriteIni(ChoicesSection, QStringLiteral("Opmaak"), QLatin1String(kindName(settings.kind)), ini);
    WriteIni(ChoicesSection, QStringLiteral("PerPagina"), QString::number(settings.perPage), ini);
    WriteIni(ChoicesSection, QStringLiteral("AntwoordOnder"),
        settings.answersInline ? QStringLiteral("1") : QStringLiteral("0"), ini);
    WriteIni(
        ChoicesSection, QStringLiteral("Vermelding"), settings.notice ? QStringLiteral("1") : QStringLiteral("0"), ini);
    WriteIni(ChoicesSection, QStringLiteral("Titel"), settings.title, ini);
    WriteIni(ChoicesSection, QStringLiteral("Ondertitel"), settings.subtitle, ini);
}

// The choices of one handout: its layout, its title and what each board shows.
class HandoutChoices : public QDialog {
public:
    HandoutChoices(const HandoutSettings &start, int language, QWidget *parent)
        : QDialog(parent)
    {
        setObjectName(QStringLiteral("handoutChoices"));
        setWindowTitle(text(handout_text::DialogTitle, language));
        auto *layout = new QVBoxLayout(this);

        auto *kinds = new QGroupBox(text(handout_text::Layout, language), this);
        auto *kindRows = new QVBoxLayout(kinds);
        for (int id : {handout_text::LayoutBoard, handout_text::LayoutRecord, handout_text::LayoutQuestion}) {
            auto *button = new QRadioButton(text(id, language), kinds);
            kindRows->addWidget(button);
            m_kinds.addButton(button, id - handout_text::LayoutBoard);
        }
        m_kinds.button(static_cast<int>(start.kind))->setChecked(true);
        layout->addWidget(kinds);

        auto *form = new QFormLayout;
        m_title = new QLineEdit(start.title, this);
        m_subtitle = new QLineEdit(start.subtitle, this);
        m_perPage = new QSpinBox(this);
        m_perPage->setRange(1, MaxBoardsPerPage);
        m_perPage->setValue(start.perPage);
        form->addRow(text(handout_text::Title, language), m_title);
        form->addRow(text(handout_text::Subtitle, language), m_subtitle);
        form->addRow(text(handout_text::PerPage, language), m_perPage);
        layout->addLayout(form);

        auto *shows = new QGroupBox(text(handout_text::Shows, language), this);
        auto *showRows = new QVBoxLayout(shows);
        const ShownParts &parts = start.picture.shown;
        auto box = [&](int id, bool checked) {
            auto *check = new QCheckBox(text(id, language), shows);
            check->setChecked(checked);
            showRows->addWidget(check);
            return check;
        };
        m_lead = box(handout_text::ShowLead, parts.lead);
        m_auction = box(handout_text::ShowAuction, parts.auction);
        m_contract = box(handout_text::ShowContract, parts.contract);
        m_points = box(handout_text::ShowPoints, parts.points);
        m_doubleDummy = box(handout_text::ShowDoubleDummy, parts.doubleDummy);
        auto *hands = new QHBoxLayout;
        hands->addWidget(new QLabel(text(handout_text::ShowHands, language), shows));
        for (int seat = 0; seat < 4; ++seat) {
            m_hands[seat] = new QCheckBox(SeatName(seat, language), shows);
            m_hands[seat]->setChecked(parts.hands[seat]);
            hands->addWidget(m_hands[seat]);
        }
        showRows->addLayout(hands);
        layout->addWidget(shows);
        m_inline = new QCheckBox(text(handout_text::AnswersInline, language), this);
        m_inline->setChecked(start.answersInline);
        m_notice = new QCheckBox(text(handout_text::ShowNotice, language), this);
        m_notice->setChecked(start.notice);
        layout->addWidget(m_inline);
        layout->addWidget(m_notice);

        auto *buttons = new QHBoxLayout;
        auto *make = new QPushButton(text(handout_text::Make, language), this);
        make->setObjectName(QStringLiteral("make"));
        make->setDefault(true);
        auto *cancel = new QPushButton(text(handout_text::Cancel, language), this);
        buttons->addStretch();
        buttons->addWidget(make);
        buttons->addWidget(cancel);
        layout->addLayout(buttons);
        connect(make, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        // Answers under each board only go with the boards' pictures.
        auto follow = [this] { m_inline->setEnabled(m_kinds.checkedId() == 0); };
        connect(&m_kinds, &QButtonGroup::idClicked, this, follow);
        follow();
    }

    HandoutSettings chosen(HandoutSettings settings) const
    {
        settings.kind = static_cast<HandoutKind>(m_kinds.checkedId());
        settings.title = m_title->text().trimmed();
        settings.subtitle = m_subtitle->text().trimmed();
        settings.perPage = m_perPage->value();
        settings.answersInline = m_inline->isChecked();
        settings.notice = m_notice->isChecked();
        ShownParts &parts = settings.picture.shown;
        parts.lead = m_lead->isChecked();
        parts.auction = m_auction->isChecked();
        parts.contract = m_contract->isChecked();
        parts.points = m_points->isChecked();
        parts.doubleDummy = m_doubleDummy->isChecked();
        for (int seat = 0; seat < 4; ++seat)
            parts.hands[seat] = m_hands[seat]->isChecked();
        return settings;
    }

private:
    QButtonGroup m_kinds;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_subtitle = nullptr;
    QSpinBox *m_perPage = nullptr;
    QCheckBox *m_lead = nullptr;
    QCheckBox *m_auction = nullptr;
    QCheckBox *m_contract = nullptr;
    QCheckBox *m_points = nullptr;
    QCheckBox *m_doubleDummy = nullptr;
    std::array<QCheckBox *, 4> m_hands {};
    QCheckBox *m_inline = nullptr;
    QCheckBox *m_notice = nullptr;
};

} // namespace

void OverviewWindow::cmdHandout_Click()
{
    FileDialogs *files = m_main.services().files;
    if (!files || m_rows.isEmpty())
        return;
    // The rows in the order the table shows them; the header row names no game.
    std::set<int> chosen;
    for (const QModelIndex &index : msfgResultaat->selectionModel()->selectedIndexes()) {
        if (index.row() > 0)
            chosen.insert(index.row());
    }
    if (chosen.empty()) {
        for (int row = 1; row < msfgResultaat->rowCount(); ++row)
            chosen.insert(row);
    }
    const GameStore store = m_main.store();
    QList<Game> games;
    for (int row : chosen) {
        if (const QTableWidgetItem *item = msfgResultaat->item(row, 0))
            games << store.load(leadingNumber(item->text()));
    }
    if (games.isEmpty())
        return;

    HandoutSettings settings = rememberedChoices(m_main);
    {
        HandoutChoices choices(settings, m_main.LanguageNumber, this);
        if (choices.exec() != QDialog::Accepted) {
            SetFocusIfPossible(cmdFocus);
            return;
        }
        settings = choices.chosen(settings);
    }
    rememberChoices(settings, m_main.iniPath());

    QString suggested = store.words().gamesFolder + QStringLiteral(".pdf");
    if (games.size() == 1)
        suggested = store.folderName(games.first().number) + QStringLiteral(".pdf");
    const QString path = files->saveFile(this, ResString(own::HandoutTitle), suggested,
        QStringLiteral("PDF (*.pdf);;") + ResString(own::HandoutWebPageFilter) + QStringLiteral(" (*.html *.htm)"));
    if (path.isEmpty())
        return;

    settings.picture.languageNumber = m_main.LanguageNumber;
    settings.picture.year = m_main.services().clock ? m_main.services().clock->currentYear() : settings.picture.year;
    settings.picture.board.tenAs10 = m_main.chkTien->isChecked();
    QByteArray pdf;
    {
        WorkProgress making(this, ResString(own::ProgressHandout), ResString(own::ProgressCancel));
        if (settings.picture.shown.doubleDummy
            && !solveOffTheWindowThread(games, settings.picture.languageNumber, making.report())) {
            SetFocusIfPossible(cmdFocus);
            return;
        }
        pdf = isHtmlFileName(path) ? handoutHtml(games, webPageSettings(settings), making.report())
                                   : handoutPdf(games, settings, making.report());
        // Stopped by the user: nothing is written and nothing needs saying.
        if (making.stopped()) {
            SetFocusIfPossible(cmdFocus);
            return;
        }
    }
    const WriteOutcome written = pdf.isEmpty() ? WriteOutcome {} : writeFileSafely(path, pdf);
    // The file name goes in last, so a placeholder character in it stays as it is.
    QString message = ResString(own::HandoutWritten);
    if (pdf.isEmpty())
        message = ResString(own::HandoutNotWritten);
    else if (!written)
        message = fillPlaceholder(ResString(exchange_text::FileNotWritten), QLatin1Char('*'), written.reason);
    m_main.services().messages->info(
        this, windowTitle(), fillPlaceholder(messageText(message), QLatin1Char('~'), QFileInfo(path).filePath()));
    SetFocusIfPossible(cmdFocus);
}

} // namespace briqo
