#pragma once

#include "platform/qt_key_platform.h"
#include "platform/services.h"

#include <QQueue>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace briqo {

class frmBordix;

// Records every message shown; answers questions from a queue (Yes when the queue is empty).
class FakeMessageBoxes : public MessageBoxes {
public:
    void info(QWidget *owner, const QString &title, const QString &text) override;
    bool askYesNo(QWidget *owner, const QString &title, const QString &text, int languageNumber) override;
    // Answers from choices (the last button, cancel, when the queue is empty).
    int askChoice(QWidget *owner, const QString &title, const QString &text, const QStringList &buttons) override;

    QStringList shown; // every text, information and question alike
    QStringList titles; // the title of each
    QQueue<bool> answers; // answers to the coming questions
    QQueue<int> choices; // buttons chosen in the coming questions with buttons of their own
    QList<QStringList> buttons; // the buttons of each such question
};

// Answers the file dialogs from queues of paths (empty: cancelled) and records their titles.
class FakeFileDialogs : public FileDialogs {
public:
    QString openFile(QWidget *, const QString &title, const QString &) override
    {
        titles << title;
        return toOpen.isEmpty() ? QString() : toOpen.dequeue();
    }
    QString saveFile(QWidget *, const QString &title, const QString &suggested, const QString &) override
    {
        titles << title;
        suggestions << suggested;
        return toSave.isEmpty() ? QString() : toSave.dequeue();
    }
    QQueue<QString> toOpen;
    QQueue<QString> toSave;
    QStringList titles;
    QStringList suggestions;
};

class FakeClipboard : public Clipboard {
public:
    void clear() override
    {
        m_image = {};
        m_text.clear();
        ++clears;
    }
    void setImage(const QImage &image) override { m_image = image; }
    QImage image() const override { return m_image; }
    void setText(const QString &text) override { m_text = text; }
    QString text() const override { return m_text; }
    int clears = 0;

private:
    QImage m_image;
    QString m_text;
};

class FakePause : public Pause {
public:
    void sleep(int milliseconds) override { pauses << milliseconds; }
    QList<int> pauses;
};

class FixedClock : public Clock {
public:
    int currentYear() const override { return 2026; }
};

// Prints into a PDF file; the dialog answers OK or Cancel as scripted.
class FakePrinting : public PrinterServices {
public:
    FakePrinting();
    bool choosePrinter(QWidget *) override
    {
        ++dialogs;
        return confirm;
    }
    QPrinter &printer() override { return *m_printer; }
    bool confirm = true;
    int dialogs = 0;
    QTemporaryDir output;

private:
    std::shared_ptr<QPrinter> m_printer;
};

// Serves downloads from a folder (the last part of the address names the file), or hands them to
// a real network when one is set; connectivity stays scripted either way. Results arrive later,
// as from a real network.
class FakeNetwork : public Network {
public:
    bool isConnected() override { return connected; }
    void download(const QString &url, const QString &file, int silenceMs, QObject *context,
        std::function<void(bool ok)> done) override;
    bool connected = true;
    QTemporaryDir served;
    Network *real = nullptr;
    QStringList requested; // every address asked for
};

class FakeProcesses : public ProcessStarter {
public:
    bool start(const QString &program, const QStringList &arguments, const QString &workingFolder) override
    {
        started << (QStringList {program} + arguments);
        folders << workingFolder;
        return startable;
    }
    QList<QStringList> started; // program and arguments of each start
    QStringList folders; // the working folder of each
    bool startable = true;
};

// The desktop's keyboard as the program has it, recording what the keystroke sender sends: the
// keys still arrive as events in the focused control, so tests run the caret moves for real.
class RecordingKeyPlatform : public QtKeyPlatform {
public:
    void sendInput(const std::vector<KeyInput> &events) override
    {
        sent.push_back(events);
        if (onSend)
            onSend(events);
        QtKeyPlatform::sendInput(events);
    }
    std::vector<std::vector<KeyInput>> sent;
    // Sees each call before the platform acts on it (the window as it is when the keys go out).
    std::function<void(const std::vector<KeyInput> &)> onSend;
};

// A main window in a program folder of its own, with fake platform services.
class TestBoard {
public:
    // Writes taal.ini with the language first when languageNumber is not 0. A printing service
    // given (the real one) takes the place of the fake.
    explicit TestBoard(int languageNumber = 0, PrinterServices *realPrinting = nullptr);
    // Starts in a program folder prepared beforehand, as it is.
    explicit TestBoard(const QString &programFolder);
    ~TestBoard();

    frmBordix &window() { return *m_window; }
    frmBordix *operator->() { return m_window.get(); }
    QString folder() const { return m_folder; }

    FakeMessageBoxes messages;
    FakeClipboard clipboard;
    FakePause pause;
    FixedClock clock;
    FakePrinting printing;
    FakeNetwork network;
    FakeProcesses processes;
    RecordingKeyPlatform keys;
    FakeFileDialogs files;
    bool ended = false;

private:
    void start(PrinterServices *realPrinting);

    QTemporaryDir m_dir;
    QString m_folder = m_dir.path();
    Services m_services;
    std::unique_ptr<frmBordix> m_window;
};

} // namespace briqo
