#pragma once
// "Make deals": the conditions per seat (or a script), how many deals from which game number,
// and where they go (the games folder or a PBN file). The deals are made on worker threads while
// the dialog shows the progress and can stop them.

#include "generate/constraints.h"
#include "generate/generator.h"
#include "platform/services.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QThread;
class QTimer;

namespace briqo {

class GenerateDialog : public QDialog {
public:
    GenerateDialog(const Services &services, const QString &programFolder, int languageNumber, long long firstNumber,
        QWidget *parent = nullptr);
    ~GenerateDialog() override;

    // Called after games were written into the games folder (the main window lists them).
    std::function<void()> gamesStored;

    // ---- Controls, by what they hold ----
    struct SeatRow {
        QSpinBox *hcpMin = nullptr;
        QSpinBox *hcpMax = nullptr;
        std::array<QSpinBox *, 4> lengthMin {};
        std::array<QSpinBox *, 4> lengthMax {};
        QCheckBox *balanced = nullptr;
        QLineEdit *fixedCards = nullptr;
    };
    std::array<SeatRow, 4> seats;
    QPlainTextEdit *script = nullptr;
    QSpinBox *count = nullptr;
    QSpinBox *firstNumber = nullptr;
    QRadioButton *toGames = nullptr;
    QRadioButton *toPbn = nullptr;
    QLineEdit *pbnPath = nullptr;
    QPushButton *browse = nullptr;
    QProgressBar *progress = nullptr;
    QLabel *progressText = nullptr;
    QPushButton *make = nullptr;
    QPushButton *stop = nullptr;
    QPushButton *close = nullptr;

    generate::DealConstraints constraints() const;
    void start();
    bool running() const { return m_worker != nullptr; }

protected:
    void reject() override;

private:
    QString text(int id) const;
    void showProgress();
    void finished();
    void store(const QList<generate::Deal> &deals);
    void writePbnFile(const QList<generate::Deal> &deals);
    void setRunning(bool on);
    void info(const QString &message);

    Services m_services;
    QString m_programFolder;
    int m_language;
    QThread *m_worker = nullptr;
    QTimer *m_timer = nullptr;
    std::unique_ptr<generate::GenerateProgress> m_progress;
    generate::Program m_program;
    generate::GenerateOptions m_options;
    generate::GenerateOutcome m_outcome;
};

} // namespace briqo
