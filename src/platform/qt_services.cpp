#include "platform/qt_services.h"

#include "platform/dialog_folder.h"
#include "base/string_table.h"

#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkInformation>
#include <QNetworkReply>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSaveFile>
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

namespace {

// A web server answers with a status; only a success carries the file, anything else is a page
// about the failure. Local files have no status.
bool isFileBody(const QNetworkReply *reply)
{
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    return !status.isValid() || (status.toInt() >= 200 && status.toInt() <= 299);
}

} // namespace

QtNetwork::QtNetwork() = default;

QtNetwork::~QtNetwork() = default;

bool QtNetwork::isConnected()
{
    // A company update server may sit on the local network, so any route counts, not only one to
    // the internet.
    if (QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability)) {
        if (const QNetworkInformation *info = QNetworkInformation::instance())
            return info->reachability() != QNetworkInformation::Reachability::Disconnected;
    }
    return true; // no way to tell: try, and let the download fail
}

void QtNetwork::download(
    const QString &url, const QString &file, int silenceMs, QObject *context, std::function<void(bool ok)> done)
{
    if (!m_manager)
        m_manager = std::make_unique<QNetworkAccessManager>();
    QObject *receiver = context ? context : m_manager.get();

    auto target = std::make_unique<QSaveFile>(file);
    if (!target->open(QIODevice::WriteOnly)) {
        QTimer::singleShot(0, receiver, [done] { done(false); });
        return;
    }

    QNetworkRequest request {QUrl(url)};
    request.setTransferTimeout(silenceMs);
    QNetworkReply *reply = m_manager->get(request);
    QSaveFile *out = target.release();
    out->setParent(reply); // an unfinished file is discarded with the reply

    // Written as it arrives: an installer need not fit in memory.
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, out] {
        const QByteArray data = reply->readAll();
        if (isFileBody(reply) && out->write(data) != data.size())
            reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, reply, &QObject::deleteLater);
    QObject::connect(reply, &QNetworkReply::finished, receiver, [reply, out, done] {
        bool ok = reply->error() == QNetworkReply::NoError && isFileBody(reply);
        if (ok) {
            const QByteArray rest = reply->readAll();
            // Flushed and checked before the commit: Qt 6.4 commits a file whose buffered write
            // failed (a full disk), which would leave a cut installer in place.
            ok = out->write(rest) == rest.size() && out->flush() && out->error() == QFileDevice::NoError
                && out->commit();
        } else {
            out->cancelWriting();
        }
        done(ok);
    });
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
