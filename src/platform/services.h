#pragma once

#include <QImage>
#include <QString>

#include <memory>

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

// Everything the windows take from the platform, handed to each window when it is made.
struct Services {
    MessageBoxes *messages = nullptr;
    Clipboard *clipboard = nullptr;
    Pause *pause = nullptr;
    Clock *clock = nullptr;
    KeyPlatform *keys = nullptr;
};

} // namespace briqo
