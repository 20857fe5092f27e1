#pragma once
// Finding the windows the main window opens, and pictures and printouts of them for a person to
// look at.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QWidget>

namespace briqo {

// The open window of a kind, or nullptr.
template<class Window> Window *openWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (auto *found = dynamic_cast<Window *>(w); found && found->isVisible())
            return found;
    }
    return nullptr;
}

// Lets a closed window be deleted, as the event loop would.
inline void finishClosing() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// With BRIQO_SCREENSHOT_DIR set, saves a picture of the window there as name.png.
inline void saveScreenshot(QWidget *window, const QString &name)
{
    const QString folder = qEnvironmentVariable("BRIQO_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    QCoreApplication::processEvents(); // pending layout first
    window->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
}

// With BRIQO_SCREENSHOT_DIR set, keeps a copy of a printed file there under name.
inline void keepPrintout(const QString &path, const QString &name)
{
    const QString folder = qEnvironmentVariable("BRIQO_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QDir().mkpath(folder);
    QFile::remove(folder + QLatin1Char('/') + name);
    QFile::copy(path, folder + QLatin1Char('/') + name);
}

} // namespace briqo
