#pragma once

#include "platform/qt_key_platform.h"
#include "platform/services.h"

#include <memory>

namespace briqo {

class QtMessageBoxes : public MessageBoxes {
public:
    void info(QWidget *owner, const QString &title, const QString &text) override;
    bool askYesNo(QWidget *owner, const QString &title, const QString &text, int languageNumber) override;
    int askChoice(QWidget *owner, const QString &title, const QString &text, const QStringList &buttons) override;
};

// Opens in the user's Documents folder the first time, then where the last file was chosen (kept
// in the settings file), never in whatever folder the program was started from.
class QtFileDialogs : public FileDialogs {
public:
    void setSettingsFile(const QString &file) { m_settingsFile = file; }
    QString openFile(QWidget *owner, const QString &title, const QString &filters) override;
    QString saveFile(QWidget *owner, const QString &title, const QString &suggested, const QString &filters) override;

private:
    QString m_settingsFile;
};

class QtClipboard : public Clipboard {
public:
    void clear() override;
    void setImage(const QImage &image) override;
    QImage image() const override;
    void setText(const QString &text) override;
    QString text() const override;
};

class QtPause : public Pause {
public:
    void sleep(int milliseconds) override;
};

class QtClock : public Clock {
public:
    int currentYear() const override;
};

class QtPrinterServices : public PrinterServices {
public:
    QtPrinterServices();
    ~QtPrinterServices() override;
    bool choosePrinter(QWidget *owner) override;
    QPrinter &printer() override;
    // Where "print to file" proposes its file, as the file dialogs do.
    void setSettingsFile(const QString &file) { m_settingsFile = file; }

private:
    std::unique_ptr<QPrinter> m_printer;
    QString m_settingsFile;
};

// The downloads run in the network module (platform/network_module.h), opened at the first one.
// Without the module, isConnected() still answers and every download fails (with a warning on
// standard error).
class QtNetwork : public Network {
public:
    QtNetwork();
    ~QtNetwork() override;
    bool isConnected() override;
    void download(const QString &url, const QString &file, int silenceMs, QObject *context,
        std::function<void(bool ok)> done) override;
    // Where the module is looked for, in order.
    static QStringList moduleCandidates();

private:
    Network *module();
    std::unique_ptr<Network> m_module;
    bool m_moduleMissing = false;
};

class QtProcessStarter : public ProcessStarter {
public:
    bool start(const QString &program, const QStringList &arguments, const QString &workingFolder) override;
};

// The real services of a running program, owned together.
class QtServices {
public:
    QtServices();
    ~QtServices();
    Services &services() { return m_services; }
    // The folder with taal.ini, where the dialogs remember the last folder used.
    void useProgramFolder(const QString &folder);

private:
    QtMessageBoxes m_messages;
    QtClipboard m_clipboard;
    QtPause m_pause;
    QtClock m_clock;
    QtKeyPlatform m_keys;
    QtPrinterServices m_printing;
    QtNetwork m_network;
    QtProcessStarter m_processes;
    QtFileDialogs m_files;
    Services m_services;
};

} // namespace briqo
