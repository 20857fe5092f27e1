#pragma once

#include "platform/qt_key_platform.h"
#include "platform/services.h"

namespace briqo {

class QtMessageBoxes : public MessageBoxes {
public:
    void info(QWidget *owner, const QString &title, const QString &text) override;
    bool askYesNo(QWidget *owner, const QString &title, const QString &text, int languageNumber) override;
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

// The real services of a running program, owned together.
class QtServices {
public:
    QtServices();
    ~QtServices();
    Services &services() { return m_services; }

private:
    QtMessageBoxes m_messages;
    QtClipboard m_clipboard;
    QtPause m_pause;
    QtClock m_clock;
    QtKeyPlatform m_keys;
    Services m_services;
};

} // namespace briqo
