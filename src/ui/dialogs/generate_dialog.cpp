#include "ui/dialogs/generate_dialog.h"
#include "platform/safe_write.h"

#include "base/string_ids.h"
#include "base/string_table.h"
#include "exchange/exchange_strings.h"
#include "generate/generate_strings.h"
#include "generate/generated_games.h"
#include "store/game_store.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

namespace briqo {

namespace {

using namespace generate_text;

constexpr long long LastGameNumber = 999;
constexpr int MaxClashNames = 20;
constexpr int ProgressEveryMs = 100;

QSpinBox *spin(int low, int high, int value, QWidget *parent)
{
    auto *box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

// "min - max" as two boxes side by side.
QWidget *range(QSpinBox *low, QSpinBox *high, QWidget *parent)
{
    auto *w = new QWidget(parent);
    auto *row = new QHBoxLayout(w);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(low);
    row->addWidget(new QLabel(QStringLiteral("-"), w));
    row->addWidget(high);
    return w;
}

} // namespace

GenerateDialog::GenerateDialog(
    const Services &services, const QString &programFolder, int languageNumber, long long first, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
    , m_programFolder(programFolder)
    , m_language(languageNumber)
{
    setWindowTitle(text(DialogTitle));
    auto *layout = new QVBoxLayout(this);

    auto *perSeat = new QGroupBox(text(Conditions), this);
    auto *grid = new QGridLayout(perSeat);
    grid->addWidget(new QLabel(text(SeatHeader), perSeat), 0, 0);
    grid->addWidget(new QLabel(text(PointsRange), perSeat), 0, 1);
    for (int s = 0; s < 4; ++s)
        grid->addWidget(new QLabel(text(Str::Spades + s), perSeat), 0, 2 + s);
    grid->addWidget(new QLabel(text(FixedCards), perSeat), 0, 7);
    for (int seat = 0; seat < 4; ++seat) {
        SeatRow &r = seats[seat];
        const int row = seat + 1;
        grid->addWidget(new QLabel(text(Str::North + seat), perSeat), row, 0);
        r.hcpMin = spin(0, generate::MaxHcp, 0, perSeat);
        r.hcpMax = spin(0, generate::MaxHcp, generate::MaxHcp, perSeat);
        grid->addWidget(range(r.hcpMin, r.hcpMax, perSeat), row, 1);
        for (int s = 0; s < 4; ++s) {
            r.lengthMin[s] = spin(0, 13, 0, perSeat);
            r.lengthMax[s] = spin(0, 13, 13, perSeat);
            grid->addWidget(range(r.lengthMin[s], r.lengthMax[s], perSeat), row, 2 + s);
        }
        r.balanced = new QCheckBox(text(Balanced), perSeat);
        grid->addWidget(r.balanced, row, 6);
        r.fixedCards = new QLineEdit(perSeat);
        r.fixedCards->setMinimumWidth(220);
        grid->addWidget(r.fixedCards, row, 7);
    }
    layout->addWidget(perSeat);

    layout->addWidget(new QLabel(text(ScriptCaption), this));
    script = new QPlainTextEdit(this);
    script->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    script->setMinimumHeight(110);
    layout->addWidget(script);

    auto *numbers = new QHBoxLayout;
    numbers->addWidget(new QLabel(text(DealCount), this));
    count = spin(1, int(LastGameNumber), 12, this);
    numbers->addWidget(count);
    numbers->addSpacing(20);
    numbers->addWidget(new QLabel(text(FirstNumber), this));
    firstNumber = spin(1, int(LastGameNumber), int(std::clamp<long long>(first, 1, LastGameNumber)), this);
    numbers->addWidget(firstNumber);
    numbers->addStretch();
    layout->addLayout(numbers);

    auto *where = new QGroupBox(text(Where), this);
    auto *whereLayout = new QGridLayout(where);
    toGames = new QRadioButton(text(ToGames), where);
    toPbn = new QRadioButton(text(ToPbn), where);
    toGames->setChecked(true);
    pbnPath = new QLineEdit(where);
    browse = new QPushButton(text(Browse), where);
    whereLayout->addWidget(toGames, 0, 0);
    whereLayout->addWidget(toPbn, 1, 0);
    whereLayout->addWidget(pbnPath, 1, 1);
    whereLayout->addWidget(browse, 1, 2);
    layout->addWidget(where);

    progress = new QProgressBar(this);
    progressText = new QLabel(this);
    layout->addWidget(progress);
    layout->addWidget(progressText);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    make = new QPushButton(text(Start), this);
    stop = new QPushButton(text(Stop), this);
    close = new QPushButton(text(Str::Close), this);
    make->setDefault(true);
    buttons->addWidget(make);
    buttons->addWidget(stop);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    m_timer = new QTimer(this);
    m_timer->setInterval(ProgressEveryMs);
    connect(m_timer, &QTimer::timeout, this, &GenerateDialog::showProgress);
    connect(make, &QPushButton::clicked, this, &GenerateDialog::start);
    connect(stop, &QPushButton::clicked, this, [this] {
        if (m_progress)
            m_progress->cancel = true;
    });
    connect(close, &QPushButton::clicked, this, &GenerateDialog::reject);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString path
            = m_services.files->saveFile(this, text(ToPbn), pbnPath->text(), QStringLiteral("PBN (*.pbn)"));
        if (!path.isEmpty()) {
            pbnPath->setText(path);
            toPbn->setChecked(true);
        }
    });
    setRunning(false);
}

GenerateDialog::~GenerateDialog()
{
    if (m_worker) {
        m_progress->cancel = true;
        m_worker->wait();
    }
}

QString GenerateDialog::text(int id) const { return ResString(id, m_language); }

void GenerateDialog::info(const QString &message)
{
    m_services.messages->info(this, windowTitle(), messageText(message));
}

generate::DealConstraints GenerateDialog::constraints() const
{
    generate::DealConstraints c;
    for (int seat = 0; seat < 4; ++seat) {
        const SeatRow &r = seats[seat];
        c[seat].hcpMin = r.hcpMin->value();
        c[seat].hcpMax = r.hcpMax->value();
        for (int s = 0; s < 4; ++s) {
            c[seat].lengthMin[s] = r.lengthMin[s]->value();
            c[seat].lengthMax[s] = r.lengthMax[s]->value();
        }
        c[seat].balanced = r.balanced->isChecked();
        c[seat].fixedCards = r.fixedCards->text();
    }
    return c;
}

void GenerateDialog::setRunning(bool on)
{
    make->setEnabled(!on);
    stop->setEnabled(on);
    close->setEnabled(!on);
}

void GenerateDialog::start()
{
    if (m_worker)
        return;
    QString source = script->toPlainText();
    if (source.trimmed().isEmpty()) {
        const generate::ConstraintScript made = generate::scriptFromConstraints(constraints(), m_language);
        if (made.script.isEmpty()) {
            info(made.error);
            return;
        }
        source = made.script;
    }
    generate::ParseResult parsed = generate::parseScript(source, m_language);
    if (!parsed.program) {
        info(fillPlaceholder(text(ScriptError), QLatin1Char('*'), parsed.error.text(m_language)));
        return;
    }
    const long long last = firstNumber->value() + count->value() - 1;
    if (last > LastGameNumber) {
        info(fillPlaceholder(text(NumberTooHigh), QLatin1Char('~'), QString::number(last)));
        return;
    }
    if (toPbn->isChecked() && pbnPath->text().trimmed().isEmpty()) {
        info(text(NoFile));
        return;
    }
    m_program = std::move(*parsed.program);
    m_options = {};
    m_options.seed = generate::freshSeed();
    m_options.threads = std::max(1, QThread::idealThreadCount());
    m_options.produce = count->value();
    m_options.generateLimit = m_program.generate.value_or(generate::DefaultGenerateLimit);
    m_progress = std::make_unique<generate::GenerateProgress>();
    progress->setRange(0, count->value());
    progress->setValue(0);
    m_worker = QThread::create([this] { m_outcome = generate::generateDeals(m_program, m_options, m_progress.get()); });
    connect(m_worker, &QThread::finished, this, &GenerateDialog::finished);
    setRunning(true);
    m_timer->start();
    m_worker->start();
}

void GenerateDialog::showProgress()
{
    if (!m_progress)
        return;
    const long long produced = m_progress->produced.load();
    progress->setValue(int(produced));
    QString t = fillPlaceholder(text(Progress), QLatin1Char('#'), QString::number(m_progress->generated.load()));
    progressText->setText(fillPlaceholder(t, QLatin1Char('~'), QString::number(produced)));
}

void GenerateDialog::finished()
{
    m_timer->stop();
    showProgress();
    m_worker->deleteLater();
    m_worker = nullptr;
    setRunning(false);
    const generate::GenerateOutcome outcome = std::move(m_outcome);
    if (outcome.cancelled) {
        info(text(Cancelled));
        return;
    }
    if (outcome.deals.size() < m_options.produce) {
        QString t = fillPlaceholder(text(Impossible), QLatin1Char('#'), QString::number(m_options.produce));
        t = fillPlaceholder(t, QLatin1Char('~'), QString::number(outcome.deals.size()));
        info(fillPlaceholder(t, QLatin1Char('*'), QString::number(outcome.generated)));
        return;
    }
    progressText->setText(
        fillPlaceholder(fillPlaceholder(text(Done), QLatin1Char('~'), QString::number(outcome.deals.size())),
            QLatin1Char('#'), QString::number(outcome.generated)));
    if (toPbn->isChecked())
        writePbnFile(outcome.deals);
    else
        store(outcome.deals);
}

void GenerateDialog::store(const QList<generate::Deal> &deals)
{
    const GameStore games(m_programFolder, m_language);
    const QList<Game> made = generate::gamesOfDeals(deals, firstNumber->value(), m_language);
    // Games that exist are named and the user decides before anything is written, as on import.
    ClashChoice choice = ClashChoice::Cancel;
    const QList<long long> clashes = generate::storedAmong(made, games);
    if (!clashes.isEmpty()) {
        QStringList names;
        for (long long n : clashes.mid(0, MaxClashNames))
            names << games.folderName(n);
        if (clashes.size() > MaxClashNames)
            names << QStringLiteral("...");
        const QStringList buttons {
            text(exchange_text::ClashOverwrite), text(exchange_text::ClashSkip), text(exchange_text::ClashCancel)};
        const QString question
            = fillPlaceholder(text(exchange_text::ClashQuestion), QLatin1Char('~'), names.join(QStringLiteral(", ")));
        const int answer = m_services.messages->askChoice(this, windowTitle(), messageText(question), buttons);
        if (answer == 0)
            choice = ClashChoice::Overwrite;
        else if (answer == 1)
            choice = ClashChoice::Skip;
        else
            return;
    }
    const ImportResult result = generate::storeGames(made, choice, games);
    if (gamesStored)
        gamesStored();
    QStringList lines;
    QString summary = fillPlaceholder(text(exchange_text::Summary), QLatin1Char('~'), QString::number(result.written));
    summary = fillPlaceholder(summary, QLatin1Char('#'), QString::number(result.skipped));
    lines << fillPlaceholder(summary, QLatin1Char('*'), QString::number(result.failures.size()));
    for (const StoreResult &failure : result.failures)
        lines << fillPlaceholder(text(own::CannotWriteGame), QLatin1Char('~'), failure.path);
    info(lines.join(QLatin1Char('|')));
}

void GenerateDialog::writePbnFile(const QList<generate::Deal> &deals)
{
    const QString path = pbnPath->text().trimmed();
    const QByteArray bytes = generate::pbnOfDeals(deals, firstNumber->value());
    if (const WriteOutcome written = writeFileSafely(path, bytes); !written) {
        info(fillPlaceholder(text(own::CannotWriteGame), QLatin1Char('~'), path));
        return;
    }
    info(fillPlaceholder(
        fillPlaceholder(text(Written), QLatin1Char('~'), QString::number(deals.size())), QLatin1Char('#'), path));
}

void GenerateDialog::reject()
{
    // Closing while deals are being made stops them first.
    if (m_worker) {
        m_progress->cancel = true;
        return;
    }
    QDialog::reject();
}

} // namespace briqo
