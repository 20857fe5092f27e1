#include "platform/qt_services.h"

#include "shell/string_table.h"

#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
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

void QtClipboard::clear()
{
    QGuiApplication::clipboard()->clear();
}

void QtClipboard::setImage(const QImage &image)
{
    QGuiApplication::clipboard()->setImage(image);
}

QImage QtClipboard::image() const
{
    return QGuiApplication::clipboard()->image();
}

void QtClipboard::setText(const QString &text)
{
    QGuiApplication::clipboard()->setText(text);
}

QString QtClipboard::text() const
{
    return QGuiApplication::clipboard()->text();
}

void QtPause::sleep(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

int QtClock::currentYear() const
{
    return QDate::currentDate().year();
}

QtServices::QtServices()
{
    m_services.messages = &m_messages;
    m_services.clipboard = &m_clipboard;
    m_services.pause = &m_pause;
    m_services.clock = &m_clock;
    m_services.keys = &m_keys;
}

QtServices::~QtServices() = default;

} // namespace briqo
