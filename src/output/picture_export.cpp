#include "output/picture_export.h"

#include "analysis/double_dummy.h"

#include "base/fonts.h"
#include "base/twips.h"
#include "output/bitmap_file.h"
#include "output/png_file.h"
#include "platform/child_processes.h"
#include "qa/suit_text.h"
#include "store/game.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFuture>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QSvgGenerator>
#include <QTextCursor>
#include <QThread>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <cmath>
#include <deque>

namespace briqo {

namespace {

// The main window's own typeface, which every control of its board inherits.
constexpr double WindowFontPoints = 8.25;
// Vector pictures keep the board's pixels as their unit: 96 to the inch, as on the screen.
constexpr int ScreenDpi = 96;
constexpr double PointsPerPixel = 72.0 / ScreenDpi;

// Below the auction frame, or below the information block when the frame is left out, the hands
// start this far down.
constexpr double BelowInformation = 150;

// The question's suit marks drawn as their symbols, red or black; the rest of its text as it was.
void showSuitSymbols(QPlainTextEdit *question)
{
    const QList<SuitTextPiece> pieces = suitTextPieces(question->toPlainText());
    if (std::none_of(pieces.begin(), pieces.end(), [](const SuitTextPiece &p) { return p.isSuit(); }))
        return;
    question->clear();
    QTextCursor cursor(question->document());
    for (const SuitTextPiece &piece : pieces) {
        QTextCharFormat format;
        if (piece.isRed())
            format.setForeground(bgr(SuitRed));
        cursor.insertText(piece.text, format);
    }
}

// The lines of the information block that still show move up over those left out, so the block
// has no holes: game, dealer, vulnerability, contract, declarer, lead.
void closeInformationGaps(BoardView &view, const std::array<bool, 6> &rowShown)
{
    std::array<double, 6> tops {};
    for (int i = 0; i < 6; ++i)
        tops[i] = topTw(view.lblInfo[i]);
    int next = 0;
    for (int i = 0; i < 6; ++i) {
        if (!rowShown[i]) {
            view.lblInfo[i]->hide();
            continue;
        }
        const double shift = tops[next] - tops[i];
        if (shift != 0) {
            QList<QWidget *> moving {view.lblInfo[i], view.lblVulin[i]};
            if (i == 3)
                moving << view.picEind;
            if (i == 5)
                moving << view.picUit << view.lblVulin[6];
            for (QWidget *w : moving)
                setTopTw(w, topTw(w) + shift);
        }
        ++next;
    }
}

// Leaves out of the board what the settings do not show; with everything shown it is untouched.
void leaveOut(BoardView &view, const Game &game, const PictureSettings &settings)
{
    const ShownParts &shown = settings.shown;
    if (!shown.lead)
        view.clearLeadLine();
    if (!shown.contract) {
        for (int i : {3, 4}) {
            view.lblVulin[i]->hide();
            view.lblVulin[i]->clear();
        }
        view.picEind->hide();
    }
    const bool anyCall = game.auction && !game.auction->callKinds.isEmpty();
    const bool frameShown = shown.auction && (anyCall || settings.emptyAuctionFrame);
    if (!shown.lead || !shown.contract) {
        closeInformationGaps(view, {true, true, true, shown.contract, shown.contract, shown.lead});
    }
    if (!frameShown) {
        // The hands move up below the information block, whose last line is the lowest shown.
        view.fraBieding->hide();
        double bottom = 0;
        for (int i = 0; i < 6; ++i) {
            if (!view.lblInfo[i]->isHidden())
                bottom = std::max(bottom, topTw(view.lblInfo[i]) + heightTw(view.lblInfo[i]));
        }
        view.AuctionBottom = bottom + BelowInformation - topTw(view.fraBieding);
    }
}

QByteArray pdfBytes(PreparedBoard &board, const Game &game)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setTitle(QString::number(game.number));
    pdf.setCreator(QStringLiteral("Briqo"));
    pdf.setResolution(ScreenDpi);
    const QSizeF points = QSizeF(board.frame.size) * PointsPerPixel;
    pdf.setPageLayout(QPageLayout(
        QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&pdf))
        return {};
    paintBoardPicture(board.view, board.frame, painter);
    painter.end();
    buffer.close();
    return bytes;
}

QByteArray svgBytes(PreparedBoard &board, const Game &game)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setResolution(ScreenDpi);
    svg.setSize(board.frame.size);
    svg.setViewBox(QRect(QPoint(0, 0), board.frame.size));
    svg.setTitle(QString::number(game.number));
    svg.setDescription(QStringLiteral("Briqo"));
    QPainter painter;
    if (!painter.begin(&svg))
        return {};
    paintBoardPicture(board.view, board.frame, painter);
    painter.end();
    buffer.close();
    return bytes;
}

// Boards are widgets, which only the program's main thread may make and draw; copies of the
// process each have a main thread of their own. They are made only where no display is talked to
// (a copy would speak on the parent's connection), and not while the double-dummy solver's
// threads are needed: a copy has no threads but the one that made it.
bool drawsInCopies(const PictureSettings &settings)
{
    const QString platform = QGuiApplication::platformName();
    return (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        && !settings.shown.doubleDummy;
}

QByteArray encodedImage(const QImage &image, PictureFormat format)
{
    return format == PictureFormat::Bmp ? bitmapFileBytes(image) : pngFileBytes(image);
}

} // namespace

std::optional<PictureFormat> pictureFormatOf(const QString &fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    for (PictureFormat f : {PictureFormat::Bmp, PictureFormat::Png, PictureFormat::Pdf, PictureFormat::Svg}) {
        if (suffix == extensionOf(f))
            return f;
    }
    return std::nullopt;
}

QString extensionOf(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Bmp:
        return QStringLiteral("bmp");
    case PictureFormat::Png:
        return QStringLiteral("png");
    case PictureFormat::Pdf:
        return QStringLiteral("pdf");
    case PictureFormat::Svg:
        return QStringLiteral("svg");
    }
    return {};
}

PreparedBoard::PreparedBoard(const Game &game, const PictureSettings &settings)
{
    view.setFont(verdana(WindowFontPoints));
    view.setUpCaptions(settings.languageNumber, settings.year);
    // A box that was never on a screen has not worked out that its text needs no scroll bars;
    // the picture fits the box to the question, so it never shows them.
    view.txtVraag->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view.txtVraag->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    BoardOptions options = settings.board;
    options.points = options.points && settings.shown.points;
    for (int seat = 0; seat < 4; ++seat)
        options.hidden[seat] = options.hidden[seat] || !settings.shown.hands[seat];
    if (settings.shown.doubleDummy && !options.doubleDummy)
        options.doubleDummy = solveDeal(game.holdings, settings.languageNumber, VulnerabilityOf(game.number));
    view.showGame(game, options);
    leaveOut(view, game, settings);
    if (settings.suitSymbols)
        showSuitSymbols(view.txtVraag);
    frame = prepareBoardPicture(view, options.tenAs10);
    if (!settings.makerNotes) {
        for (QLabel *note : view.lblMakerNote)
            note->hide();
    }
}

QImage boardImage(PreparedBoard &board, double scale)
{
    if (scale == 1)
        return boardPicture(board.view, board.frame);
    const QSize size(static_cast<int>(std::lround(board.frame.size.width() * scale)),
        static_cast<int>(std::lround(board.frame.size.height() * scale)));
    QImage image(size, QImage::Format_RGB32);
    image.setDotsPerMeterX(static_cast<int>(std::lround(PictureDotsPerMetre * scale)));
    image.setDotsPerMeterY(static_cast<int>(std::lround(PictureDotsPerMetre * scale)));
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    paintBoardPicture(board.view, board.frame, painter);
    painter.end();
    return image;
}

QByteArray pictureFileBytes(const Game &game, PictureFormat format, const PictureSettings &settings)
{
    PreparedBoard board(game, settings);
    switch (format) {
    case PictureFormat::Bmp:
    case PictureFormat::Png:
        return encodedImage(boardImage(board, settings.scale), format);
    case PictureFormat::Pdf:
        return pdfBytes(board, game);
    case PictureFormat::Svg:
        return svgBytes(board, game);
    }
    return {};
}

bool makePictureFiles(const QList<Game> &games, PictureFormat format, const PictureSettings &settings, int threads,
    const std::function<bool(qsizetype, QByteArray)> &deliver)
{
    if (threads <= 0)
        threads = std::max(1, QThread::idealThreadCount());
    const auto make = [&](qsizetype i) { return pictureFileBytes(games[i], format, settings); };
    if (threads > 1 && games.size() > 1 && drawsInCopies(settings))
        return makeInChildProcesses(games.size(), threads, make, deliver);
    const bool encodedApart = format == PictureFormat::Png || format == PictureFormat::Bmp;
    if (threads == 1 || !encodedApart) {
        for (qsizetype i = 0; i < games.size(); ++i) {
            if (!deliver(i, make(i)))
                return false;
        }
        return true;
    }
    // This thread draws while the pool encodes on every core (drawing is the smaller part, so
    // this thread mostly waits). A drawn picture waits for its encoder only while a few are in
    // hand, so a thousand games never hold a thousand pictures.
    QThreadPool pool;
    pool.setMaxThreadCount(threads);
    const qsizetype inHand = 2 * threads;
    std::deque<std::pair<qsizetype, QFuture<QByteArray>>> encoding;
    auto handOldest = [&] {
        const auto [index, encoded] = std::move(encoding.front());
        encoding.pop_front();
        return deliver(index, encoded.result());
    };
    for (qsizetype i = 0; i < games.size(); ++i) {
        PreparedBoard board(games[i], settings);
        QImage image = boardImage(board, settings.scale);
        while (qsizetype(encoding.size()) >= inHand) {
            if (!handOldest())
                return false;
        }
        encoding.emplace_back(
            i, QtConcurrent::run(&pool, [image = std::move(image), format] { return encodedImage(image, format); }));
    }
    while (!encoding.empty()) {
        if (!handOldest())
            return false;
    }
    return true;
}

WriteOutcome writePictureFiles(const QList<Game> &games, PictureFormat format, const PictureSettings &settings,
    const QStringList &paths, int threads, QString *failedPath, const ProgressReport &progress)
{
    if (!settings.board.doubleDummy)
        solveTablesAhead(games, settings.shown, settings.languageNumber, progress);
    FilesWrittenTogether files(paths);
    WriteOutcome written {true, {}};
    qsizetype done = 0;
    makePictureFiles(games, format, settings, threads, [&](qsizetype i, QByteArray bytes) {
        written = bytes.isEmpty() ? WriteOutcome {false, {}} : files.write(i, bytes);
        if (!written && failedPath)
            *failedPath = paths[i];
        if (written && progress)
            progress(++done, games.size());
        return bool(written);
    });
    return written ? files.commit(failedPath) : written;
}

QList<QByteArray> pictureFilesBytes(
    const QList<Game> &games, PictureFormat format, const PictureSettings &settings, int threads)
{
    if (!settings.board.doubleDummy)
        solveTablesAhead(games, settings.shown, settings.languageNumber);
    QList<QByteArray> files(games.size());
    makePictureFiles(games, format, settings, threads, [&files](qsizetype i, QByteArray bytes) {
        files[i] = std::move(bytes);
        return true;
    });
    return files;
}

} // namespace briqo
