#include "support/fake_services.h"

#include "base/fonts.h"
#include "base/profile.h"
#include "ui/main_window/frm_bordix.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QTimer>

namespace briqo {

void FakeMessageBoxes::info(QWidget *, const QString &title, const QString &text)
{
    titles << title;
    shown << text;
}

bool FakeMessageBoxes::askYesNo(QWidget *, const QString &title, const QString &text, int)
{
    titles << title;
    shown << text;
    return answers.isEmpty() ? true : answers.dequeue();
}

int FakeMessageBoxes::askChoice(QWidget *, const QString &title, const QString &text, const QStringList &choiceButtons)
{
    titles << title;
    shown << text;
    buttons << choiceButtons;
    return choices.isEmpty() ? int(choiceButtons.size()) - 1 : choices.dequeue();
}

FakePrinting::FakePrinting()
    : m_printer(std::make_shared<QPrinter>())
{
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setOutputFileName(output.filePath(QStringLiteral("printed.pdf")));
}

void FakeNetwork::download(
    const QString &url, const QString &file, int silenceMs, QObject *context, std::function<void(bool ok)> done)
{
    requested << url;
    if (real) {
        real->download(url, file, silenceMs, context, std::move(done));
        return;
    }
    const QString source = served.filePath(url.section(QLatin1Char('/'), -1));
    QTimer::singleShot(0, context, [source, file, done] {
        bool ok = QFileInfo(source).isFile();
        if (ok) {
            QFile::remove(file);
            ok = QFile::copy(source, file);
        }
        done(ok);
    });
}

TestBoard::TestBoard(int languageNumber, PrinterServices *realPrinting)
{
    if (languageNumber != 0)
        WriteIni(QStringLiteral("Taal"), QStringLiteral("nummer"), QString::number(languageNumber),
            m_dir.path() + QStringLiteral("/taal.ini"));
    start(realPrinting);
}

TestBoard::TestBoard(const QString &programFolder)
    : m_folder(programFolder)
{
    start(nullptr);
}

void TestBoard::start(PrinterServices *realPrinting)
{
    static bool fontsInstalled = false;
    if (!fontsInstalled) {
        installFonts();
        fontsInstalled = true;
    }
    m_services.messages = &messages;
    m_services.clipboard = &clipboard;
    m_services.pause = &pause;
    m_services.clock = &clock;
    m_services.printing = realPrinting ? realPrinting : &printing;
    m_services.network = &network;
    m_services.processes = &processes;
    m_services.files = &files;
    m_services.keys = &keys;
    // Alt+Print Screen puts the board's picture where the window reads it.
    keys.setClipboard(&clipboard);
    m_window = std::make_unique<frmBordix>(m_services, m_folder);
    m_window->endProgram = [this] { ended = true; };
}

TestBoard::~TestBoard() = default;

} // namespace briqo
