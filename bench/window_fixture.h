#pragma once
// A main window offscreen with a stored game shown, ready for its picture, and the platform
// services a benchmark gives it: silent message boxes, an in-memory clipboard, pauses that are
// counted and not slept, and a fixed year.

#include "platform/qt_key_platform.h"
#include "platform/services.h"
#include "ui/main_window/frm_bordix.h"
#include "base/string_table.h"
#include "store/game_store.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

namespace briqo::benchmarks {

class SilentMessages : public MessageBoxes {
public:
    void info(QWidget *, const QString &, const QString &) override { ++shown; }
    bool askYesNo(QWidget *, const QString &, const QString &, int) override { return true; }
    int shown = 0;
};

class MemoryClipboard : public Clipboard {
public:
    void clear() override { m_image = {}; }
    void setImage(const QImage &image) override { m_image = image; }
    QImage image() const override { return m_image; }
    void setText(const QString &) override { }
    QString text() const override { return {}; }

private:
    QImage m_image;
};

// The capture's fixed pauses are the same on every machine: they are added up, not slept.
class CountedPause : public Pause {
public:
    void sleep(int milliseconds) override { total += milliseconds; }
    long long total = 0;
};

class FixedYear : public Clock {
public:
    int currentYear() const override { return 2026; }
};

struct Bench {
    QTemporaryDir folder;
    SilentMessages messages;
    MemoryClipboard clipboard;
    CountedPause pause;
    FixedYear clock;
    QtKeyPlatform keys;
    Services services;
    std::unique_ptr<frmBordix> window;
};

constexpr long long GameNumber = 5;

// Game 5 with a deal and a finished auction, stored and shown from the list, as a teacher has it
// before taking its picture.
inline bool setUp(Bench &b)
{
    Game game;
    game.number = GameNumber;
    game.holdings = {"AHVB", "AHV", "AHV", "AHV", "T987", "BT9", "BT9", "BT9", "6543", "876", "876", "876", "2", "5432",
        "5432", "5432"};
    AuctionFile auction;
    auction.callKinds = QStringLiteral("1222");
    auction.cells[0] = {QStringLiteral("1"), QStringLiteral("4"), QString()};
    auction.cells[9] = {QStringLiteral("Pas"), QStringLiteral("5"), QString()};
    auction.cells[18] = {QStringLiteral("Pas"), QStringLiteral("5"), QString()};
    auction.cells[27] = {QStringLiteral("Pas"), QStringLiteral("5"), QString()};
    game.auction = auction;
    if (!GameStore(b.folder.path(), LanguageDutch).save(game))
        return false;

    b.keys.setClipboard(&b.clipboard);
    b.services.messages = &b.messages;
    b.services.clipboard = &b.clipboard;
    b.services.pause = &b.pause;
    b.services.clock = &b.clock;
    b.services.keys = &b.keys;
    b.window = std::make_unique<frmBordix>(b.services, b.folder.path());
    frmBordix &w = *b.window;
    w.show();
    QApplication::setActiveWindow(&w);
    QCoreApplication::processEvents();
    const QList<QListWidgetItem *> found = w.lstSpellen->findItems(QStringLiteral("Spel 005"), Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    w.lstSpellen->setCurrentItem(found.first());
    w.cmdLeesSpel_Click();
    QCoreApplication::processEvents();
    return w.cmdKopie->isEnabled() && QApplication::activeWindow() == &w;
}

} // namespace briqo::benchmarks
