// The main window's side of the exchange formats: importing a PBN or LIN file into the store,
// exporting the game on the board or every stored game, the hand viewer link, and a deal pasted
// onto the board. Reached from the right-click menu of the games frame and from the keyboard.

#include "base/string_table.h"
#include "base/twips.h"
#include "deal/hand_rules.h"
#include "exchange/board_game.h"
#include "exchange/exchange_strings.h"
#include "exchange/importer.h"
#include "exchange/lin_format.h"
#include "exchange/pasted_deal.h"
#include "exchange/pbn_writer.h"
#include "generate/generate_strings.h"
#include "platform/safe_write.h"
#include "ui/common/work_progress.h"
#include "ui/dialogs/generate_dialog.h"
#include "ui/main_window/frm_bordix.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QShortcut>

namespace briqo {

namespace {

const QString PbnFilter = QStringLiteral("PBN (*.pbn)");
const QString LinFilter = QStringLiteral("LIN (*.lin)");
constexpr qint64 MaxImportFileSize = 256LL * 1024 * 1024;
constexpr int MaxSummaryLines = 25; // a message box holds no more; the rest is counted
constexpr int MaxClashNames = 20;
const QKeySequence ImportKeys(Qt::CTRL | Qt::Key_I);
const QKeySequence ExportKeys(Qt::CTRL | Qt::Key_E);

// A menu caption without its trailing dots, as the title of the dialog it opens.
QString dialogTitle(const QString &caption)
{
    QString title = caption;
    while (title.endsWith(QLatin1Char('.')))
        title.chop(1);
    return title;
}

// Writes an export whole; when it cannot, says which file and why (the earlier file stays).
bool writeExport(frmBordix &window, const QString &path, const QByteArray &bytes)
{
    const WriteOutcome written = writeFileSafely(path, bytes);
    if (!written) {
        const QString message = messageText(fillPlaceholder(
            ResString(exchange_text::FileNotWritten, window.LanguageNumber), QLatin1Char('*'), written.reason));
        window.services().messages->info(&window, window.caption(), fillPlaceholder(message, QLatin1Char('~'), path));
    }
    return bool(written);
}

// "1 game written to FILE." / "12 games written to FILE.", and the characters written plain.
QStringList exportedLines(const QList<ExchangeBoard> &boards, const QString &path, int language)
{
    const QString done = boards.size() == 1 ? ResString(exchange_text::ExportedOne, language)
                                            : fillPlaceholder(ResString(exchange_text::Exported, language),
                                                QLatin1Char('~'), QString::number(boards.size()));
    QStringList lines {fillPlaceholder(done, QLatin1Char('#'), path)};
    if (const QString plain = charactersWrittenPlain(boards); !plain.isEmpty())
        lines << fillPlaceholder(ResString(exchange_text::CharactersReplaced, language), QLatin1Char('~'), plain);
    return lines;
}

// Ctrl+V in a field of the board: a deal fills the four hands; anything else is the field's own
// paste (a holding typed elsewhere, a game number).
class PasteFilter : public QObject {
public:
    explicit PasteFilter(frmBordix &window)
        : QObject(&window)
        , m_window(window)
    { }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress || !static_cast<QKeyEvent *>(event)->matches(QKeySequence::Paste))
            return false;
        const QString text = m_window.services().clipboard->text();
        if (!parsePastedDeal(text).recognised)
            return false;
        m_window.pasteDeal(text);
        return true;
    }

private:
    frmBordix &m_window;
};

} // namespace

void frmBordix::connectExchange()
{
    for (QWidget *w : {static_cast<QWidget *>(fraSpellen), static_cast<QWidget *>(lstSpellen)}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
            [this, w](const QPoint &at) { exchangeMenu()->popup(w->mapToGlobal(at)); });
    }
    auto *filter = new PasteFilter(*this);
    txtSpel->installEventFilter(filter);
    for (QLineEdit *field : txtInvoer)
        field->installEventFilter(filter);
    // Elsewhere on the board (the list, a button) Ctrl+V is ours alone.
    connect(new QShortcut(QKeySequence::Paste, this), &QShortcut::activated, this,
        [this] { pasteDeal(m_services.clipboard->text()); });
    connect(new QShortcut(ImportKeys, this), &QShortcut::activated, this, &frmBordix::importGames);
    connect(new QShortcut(ExportKeys, this), &QShortcut::activated, this, [this] { exportAllGames(); });
}

QMenu *frmBordix::exchangeMenu()
{
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    QAction *import = menu->addAction(ResString(exchange_text::MenuImportPbn), this, &frmBordix::importGames);
    import->setShortcut(ImportKeys);
    menu->addAction(ResString(exchange_text::MenuExportGame), this, &frmBordix::exportBoardGame);
    QAction *all = menu->addAction(ResString(exchange_text::MenuExportAllPbn), this, &frmBordix::exportAllGames);
    all->setShortcut(ExportKeys);
    menu->addAction(ResString(exchange_text::MenuCopyLink), this, &frmBordix::copyHandViewerLink);
    menu->addAction(ResString(generate_text::MenuGenerate), this, [this] {
        GenerateDialog dialog(
            m_services, m_programFolder, LanguageNumber, currentGameNumber() > 0 ? currentGameNumber() : 1, this);
        dialog.gamesStored = [this] { LeesSpellen(); };
        dialog.exec();
    });
    return menu;
}

void frmBordix::importGames()
{
    const QString path = m_services.files->openFile(
        this, dialogTitle(ResString(exchange_text::MenuImportPbn)), PbnFilter + QStringLiteral(";;") + LinFilter);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (QFileInfo(path).size() > MaxImportFileSize || !file.open(QIODevice::ReadOnly)) {
        showInfo(fillPlaceholder(ResString(exchange_text::CannotRead), QLatin1Char('~'), path));
        return;
    }
    const QByteArray bytes = file.readAll();
    const GameStore games = store();
    games.ensureGamesRoot();
    const ImportPlan plan = planImport(bytes, formatOfFile(path, bytes), games);
    if (plan.games.isEmpty() && plan.refused == 0) {
        m_services.messages->info(
            this, caption(), fillPlaceholder(ResString(exchange_text::NoBoardFound), QLatin1Char('~'), path));
        return;
    }

    // Games that exist are named and the user decides before anything is written.
    ClashChoice choice = ClashChoice::Cancel;
    if (!plan.clashes.isEmpty()) {
        QStringList names;
        for (long long n : plan.clashes.mid(0, MaxClashNames))
            names << games.folderName(n);
        if (plan.clashes.size() > MaxClashNames)
            names << QStringLiteral("...");
        const QStringList buttons {ResString(exchange_text::ClashOverwrite), ResString(exchange_text::ClashSkip),
            ResString(exchange_text::ClashCancel)};
        const QString question = fillPlaceholder(
            ResString(exchange_text::ClashQuestion), QLatin1Char('~'), names.join(QStringLiteral(", ")));
        const int answer = m_services.messages->askChoice(this, caption(), messageText(question), buttons);
        if (answer == 0)
            choice = ClashChoice::Overwrite;
        else if (answer == 1)
            choice = ClashChoice::Skip;
        else
            return;
    }
    WorkProgress importing(this, ResString(own::ProgressImport), ResString(own::ProgressCancel));
    const ImportResult result = applyImport(plan, choice, games, importing.report());
    LeesSpellen();
    QStringList lines = importSummary(plan, result, LanguageNumber);
    if (lines.size() > MaxSummaryLines) {
        const qsizetype more = lines.size() - MaxSummaryLines;
        lines = lines.mid(0, MaxSummaryLines);
        lines << QStringLiteral("(+%1)").arg(more);
    }
    m_services.messages->info(this, caption(), lines.join(QLatin1Char('\n')));
}

std::optional<Game> frmBordix::gameOnBoard()
{
    if (!m_board.gameNumber()) {
        showInfo(ResString(exchange_text::NoGameNumber));
        return std::nullopt;
    }
    const long long n = currentGameNumber();
    // The files give the lead, contract, question and answer; the deal (hidden hands included)
    // and the calls are taken from the board, which may be ahead of the last save.
    Game game = store().load(n);
    const Game shown = boardAsGame();
    game.holdings = shown.holdings;
    game.auction = shown.auction;
    if (!isValidCompleteDeal(game.holdings, LanguageNumber)) {
        showInfo(fillPlaceholder(ResString(exchange_text::NotExported), QLatin1Char('~'), store().folderName(n)));
        return std::nullopt;
    }
    return game;
}

void frmBordix::exportBoardGame()
{
    const std::optional<Game> game = gameOnBoard();
    if (!game)
        return;
    const QString path = m_services.files->saveFile(this, dialogTitle(ResString(exchange_text::MenuExportGame)),
        store().folderName(game->number) + QStringLiteral(".pbn"), PbnFilter + QStringLiteral(";;") + LinFilter);
    if (path.isEmpty())
        return;
    ExchangeBoard board = boardFromGame(*game, LanguageNumber);
    const bool lin = QFileInfo(path).suffix().compare(QLatin1String("lin"), Qt::CaseInsensitive) == 0;
    // The table and par go with the deal into a PBN file; LIN has no place for them.
    if (!lin)
        board.doubleDummy = doubleDummyNow();
    const QByteArray bytes
        = lin ? (writeLin(board, LanguageNumber) + QStringLiteral("\r\n")).toLatin1() : writePbn({board});
    if (!writeExport(*this, path, bytes))
        return;
    m_services.messages->info(this, caption(), exportedLines({board}, path, LanguageNumber).join(QLatin1Char('\n')));
}

void frmBordix::exportAllGames()
{
    const GameStore games = store();
    const QString path = m_services.files->saveFile(this, dialogTitle(ResString(exchange_text::MenuExportAllPbn)),
        games.words().gamesFolder + QStringLiteral(".pbn"), PbnFilter);
    if (path.isEmpty())
        return;
    WorkProgress exporting(this, ResString(own::ProgressExport), ResString(own::ProgressCancel));
    const ExportResult exported = exportGames(games, storedGameNumbers(games), ExchangeFormat::Pbn, exporting.report());
    if (exported.stopped || !writeExport(*this, path, exported.bytes))
        return;
    QList<ExchangeBoard> boards;
    for (long long n : exported.exported)
        boards << boardFromGame(games.load(n), LanguageNumber);
    QStringList lines = exportedLines(boards, path, LanguageNumber);
    for (long long n : exported.leftOut)
        lines << fillPlaceholder(ResString(exchange_text::NotExported), QLatin1Char('~'), games.folderName(n));
    m_services.messages->info(this, caption(), lines.join(QLatin1Char('\n')));
}

void frmBordix::copyHandViewerLink()
{
    if (const std::optional<Game> game = gameOnBoard())
        m_services.clipboard->setText(handViewerLink(boardFromGame(*game, LanguageNumber), LanguageNumber));
}

void frmBordix::pasteDeal(const QString &text)
{
    const DealText pasted = parsePastedDeal(text);
    if (!pasted.recognised) {
        showInfo(ResString(exchange_text::PasteNotADeal));
        return;
    }
    if (!pasted.deal) {
        showInfo(ResString(own::DealNotValid));
        return;
    }
    if (!m_board.gameNumber()) {
        showInfo(ResString(exchange_text::NoGameNumber));
        SetFocusIfPossible(txtSpel);
        return;
    }
    // The four hands go onto the board as if typed: in the letters of the language, sorted; the
    // board is then ready as after the last card of a typed deal.
    carryOut(m_board.setDeal(dealInLanguage(*pasted.deal, LanguageNumber)));
}

} // namespace briqo
