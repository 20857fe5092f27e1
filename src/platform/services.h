#pragma once

#include "base/string_table.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class QObject;
class QPrinter;
class QWidget;

namespace briqo {

class KeyPlatform;

// Message boxes titled by the caller (the main window's caption). Texts arrive with "|" already
// turned into line breaks. A Yes/No question has Yes as its default button; in the Dutch
// interface its buttons read "Ja" and "Nee".
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void info(QWidget *owner, const QString &title, const QString &text) = 0;
    virtual bool askYesNo(QWidget *owner, const QString &title, const QString &text, int languageNumber) = 0;
    // A question with buttons of its own (the last one cancels, also when the box is closed): the
    // index of the button chosen. Platforms without such a box ask Yes/No for the first button.
    virtual int askChoice(QWidget *owner, const QString &title, const QString &text, const QStringList &buttons)
    {
        return askYesNo(owner, title, text, LanguageEnglish) ? 0 : int(buttons.size()) - 1;
    }
};

// The platform's dialogs for choosing a file to read or to write. filters as Qt writes them
// ("PBN (*.pbn);;LIN (*.lin)"); an empty result means the user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual QString openFile(QWidget *owner, const QString &title, const QString &filters) = 0;
    virtual QString saveFile(QWidget *owner, const QString &title, const QString &suggested, const QString &filters)
        = 0;
};

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void clear() = 0;
    virtual void setImage(const QImage &image) = 0;
    virtual QImage image() const = 0;
    virtual void setText(const QString &text) = 0;
    virtual QString text() const = 0;
};

// Fixed pauses of the program (after a capture, after an error) go through here, so tests do not wait.
class Pause {
public:
    virtual ~Pause() = default;
    virtual void sleep(int milliseconds) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual int currentYear() const = 0;
};

// The printer the program prints on, one for the whole application, and the dialog in which the
// user picks it and its settings (copies, duplex, orientation, paper, quality, colour, paper bin).
class PrinterServices {
public:
    virtual ~PrinterServices() = default;
    // Shows the dialog; true when the user confirmed, the chosen printer then being current.
    virtual bool choosePrinter(QWidget *owner) = 0;
    virtual QPrinter &printer() = 0;
};

// Plain downloads into a local file, for the update of the program. A download runs in the
// background: the window goes on while it waits.
class Network {
public:
    virtual ~Network() = default;
    // True unless the platform knows the machine has no network route at all.
    virtual bool isConnected() = 0;
    // Fetches url into file and then calls done(ok) on the user-interface thread, always later,
    // never from inside this call. The transfer is given up as failed when the server sends
    // nothing for silenceMs. The file is replaced only by a complete download. done is dropped
    // when context is destroyed first.
    virtual void download(
        const QString &url, const QString &file, int silenceMs, QObject *context, std::function<void(bool ok)> done)
        = 0;
};

// Starting another program (the installer of an update).
class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    virtual bool start(const QString &program, const QStringList &arguments, const QString &workingFolder) = 0;
};

// Everything the windows take from the platform, handed to each window when it is made.
struct Services {
    MessageBoxes *messages = nullptr;
    Clipboard *clipboard = nullptr;
    Pause *pause = nullptr;
    Clock *clock = nullptr;
    KeyPlatform *keys = nullptr;
    PrinterServices *printing = nullptr;
    Network *network = nullptr;
    ProcessStarter *processes = nullptr;
    FileDialogs *files = nullptr;
};

} // namespace briqo
