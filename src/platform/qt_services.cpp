#include "platform/qt_services.h"

#include "base/string_table.h"
#include "platform/dialog_folder.h"
#include "platform/network_module.h"
#include "platform/update_files.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLibrary>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <QTimer>

namespace briqo {

void QtMessageBoxes::info(QWidget *owner, const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, owner);
    box.exec();
}

bool QtMessageBoxes::askYesNo(QWidget *owner, const QString &title, const QString &text, int languageNumber)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::Yes);
    if (languageNumber == LanguageDutch) {
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Nee"));
    }
    return box.exec() == QMessageBox::Yes;
}

int QtMessageBoxes::askChoice(QWidget *owner, const QString &title, const QString &text, const QStringList &buttons)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::NoButton, owner);
    QList<QAbstractButton *> made;
    for (qsizetype i = 0; i < buttons.size(); ++i)
        made << box.addButton(buttons[i], i + 1 == buttons.size() ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
    if (!made.isEmpty())
        box.setEscapeButton(made.last());
    box.exec();
    const qsizetype chosen = made.indexOf(box.clickedButton());
    return chosen >= 0 ? int(chosen) : int(buttons.size()) - 1;
}

QString QtFileDialogs::openFile(QWidget *owner, const QString &title, const QString &filters)
{
    const QString path = QFileDialog::getOpenFileName(owner, title, dialogStartFolder(m_settingsFile), filters);
    rememberDialogFolder(m_settingsFile, path);
    return path;
}

QString QtFileDialogs::saveFile(QWidget *owner, const QString &title, const QString &suggested, const QString &filters)
{
    // A bare file name is proposed in the start folder; a full path stays as it is.
    const QString proposal = QDir(dialogStartFolder(m_settingsFile)).filePath(suggested);
    const QString path = QFileDialog::getSaveFileName(owner, title, proposal, filters);
    rememberDialogFolder(m_settingsFile, path);
    return path;
}

void QtClipboard::clear() { QGuiApplication::clipboard()->clear(); }

void QtClipboard::setImage(const QImage &image) { QGuiApplication::clipboard()->setImage(image); }

QImage QtClipboard::image() const { return QGuiApplication::clipboard()->image(); }

void QtClipboard::setText(const QString &text) { QGuiApplication::clipboard()->setText(text); }

QString QtClipboard::text() const { return QGuiApplication::clipboard()->text(); }

void QtPause::sleep(int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }

int QtClock::currentYear() const { return QDate::currentDate().year(); }

// The printer is made at the first print: making it asks the print system for its printers,
// which would cost every start time and memory before the window shows.
QtPrinterServices::QtPrinterServices() = default;

QtPrinterServices::~QtPrinterServices() = default;

bool QtPrinterServices::choosePrinter(QWidget *owner)
{
    // Until a file was chosen the dialog proposes "print to file" in the working folder (or the
    // home folder when that lies outside it), read when the dialog is made: it is made while the
    // working folder is the one the file dialogs would open in.
    const QString workingFolder = QDir::currentPath();
    const bool proposeHere = printer().outputFileName().isEmpty();
    if (proposeHere)
        QDir::setCurrent(dialogStartFolder(m_settingsFile));
    QPrintDialog dialog(&printer(), owner);
    if (proposeHere)
        QDir::setCurrent(workingFolder);
    // A board has no selection to print. Printing to a PDF file stays offered: on a desktop
    // without a printer it is the way to a printable page.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (accepted)
        rememberDialogFolder(m_settingsFile, printer().outputFileName());
    return accepted;
}

QPrinter &QtPrinterServices::printer()
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

QtNetwork::QtNetwork() = default;

QtNetwork::~QtNetwork() = default;

QStringList QtNetwork::moduleCandidates()
{
    // Installed, the module lies in lib/briqo/modules beside the program's folder; a copy of the
    // program may carry it beside itself; the build folder has it where it was built.
    const QString name = QStringLiteral(BRIQO_NETWORK_MODULE_NAME);
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder + QStringLiteral("/" BRIQO_NETWORK_MODULE_RELATIVE_DIR "/") + name,
        programFolder + QLatin1Char('/') + name, QStringLiteral(BRIQO_NETWORK_MODULE_BUILD_DIR "/") + name};
}

Network *QtNetwork::module()
{
    if (m_module || m_moduleMissing)
        return m_module.get();
    QStringList errors;
    for (const QString &candidate : moduleCandidates()) {
        if (!QFileInfo::exists(candidate))
            continue;
        QLibrary library(candidate);
        // Never unloaded: its objects may still be queued in the event loop when the program ends.
        library.setLoadHints(QLibrary::PreventUnloadHint);
        auto make = reinterpret_cast<MakeNetworkFunction>(library.resolve(MakeNetworkSymbol));
        if (make) {
            m_module.reset(make());
            return m_module.get();
        }
        errors << library.errorString();
    }
    m_moduleMissing = true;
    qWarning("Briqo: no network module (%s); the update cannot be fetched.",
        qPrintable(
            errors.isEmpty() ? moduleCandidates().join(QStringLiteral(", ")) : errors.join(QStringLiteral("; "))));
    return nullptr;
}

bool QtNetwork::isConnected()
{
#ifdef Q_OS_LINUX
    // Read here, without the module: a machine without a network never loads it.
    return machineHasNetworkRoute();
#else
    Network *network = module();
    return !network || network->isConnected();
#endif
}

void QtNetwork::download(
    const QString &url, const QString &file, int silenceMs, QObject *context, std::function<void(bool ok)> done)
{
    if (Network *network = module()) {
        network->download(url, file, silenceMs, context, std::move(done));
        return;
    }
    // Without the module nothing can be fetched: the caller hears so later, as after a failure.
    QTimer::singleShot(0, context ? context : QCoreApplication::instance(), [done] { done(false); });
}

bool QtProcessStarter::start(const QString &program, const QStringList &arguments, const QString &workingFolder)
{
    return QProcess::startDetached(program, arguments, workingFolder);
}

QtServices::QtServices()
{
    m_services.messages = &m_messages;
    m_services.clipboard = &m_clipboard;
    m_services.pause = &m_pause;
    m_services.clock = &m_clock;
    m_services.keys = &m_keys;
    m_keys.setClipboard(&m_clipboard); // pictures of Alt+Print Screen go where the program reads them
    m_services.printing = &m_printing;
    m_services.network = &m_network;
    m_services.processes = &m_processes;
    m_services.files = &m_files;
}

QtServices::~QtServices() = default;

void QtServices::useProgramFolder(const QString &folder)
{
    const QString settings = QDir(folder).filePath(QStringLiteral("taal.ini"));
    m_files.setSettingsFile(settings);
    m_printing.setSettingsFile(settings);
}

} // namespace briqo
