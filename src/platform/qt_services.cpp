#include "platform/qt_services.h"

#include "shell/string_table.h"

#include <QClipboard>
#include <QDate>
#include <QEventLoop>
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

void QtClipboard::clear() { QGuiApplication::clipboard()->clear(); }

void QtClipboard::setImage(const QImage &image) { QGuiApplication::clipboard()->setImage(image); }

QImage QtClipboard::image() const { return QGuiApplication::clipboard()->image(); }

void QtClipboard::setText(const QString &text) { QGuiApplication::clipboard()->setText(text); }

QString QtClipboard::text() const { return QGuiApplication::clipboard()->text(); }

void QtPause::sleep(int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }

int QtClock::currentYear() const { return QDate::currentDate().year(); }

QtPrinterServices::QtPrinterServices()
    : m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{ }

QtPrinterServices::~QtPrinterServices() = default;

bool QtPrinterServices::choosePrinter(QWidget *owner)
{
    QPrintDialog dialog(m_printer.get(), owner);
    // Printing to a file and printing a selection make no sense for a board.
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    return dialog.exec() == QDialog::Accepted;
}

QPrinter &QtPrinterServices::printer() { return *m_printer; }

bool QtNetwork::isConnected()
{
    if (QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability)) {
        if (const QNetworkInformation *info = QNetworkInformation::instance())
            return info->reachability() == QNetworkInformation::Reachability::Online;
    }
    return true; // no way to tell: try, and let the download fail
}

bool QtNetwork::download(const QString &url, const QString &file)
{
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(QNetworkRequest(QUrl(url)));
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec();
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError)
        return false;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(reply->readAll());
    return out.commit();
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
    m_services.printing = &m_printing;
    m_services.network = &m_network;
    m_services.processes = &m_processes;
}

QtServices::~QtServices() = default;

} // namespace briqo
