#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;

namespace briqo {

class frmBordix;

// The pictures of one game: the board pictures in the game's folder, listed by name, and deleted
// when selected. It opens on the game whose number the main window shows; the main window is
// disabled while it is open and enabled again when it closes. It stands on its own rather than
// inside the main window, so that disabling the main window leaves it usable; it goes when the
// main window goes.
class PicturesWindow : public QWidget {
public:
    explicit PicturesWindow(frmBordix &main);
    ~PicturesWindow() override;

    QLabel *lblSpelNummer = nullptr;
    QListWidget *lstBMP = nullptr;
    QPushButton *cmdWissen = nullptr;
    QPushButton *cmdTerug = nullptr;
    QPushButton *cmdFocus = nullptr;

    void Form_Load();
    void Form_Activate();
    void LeesBMP();
    void lstBMP_Click();
    void cmdWissen_Click();

    // The picture files behind the entries of lstBMP, in the same order.
    const QStringList &pictureFiles() const { return m_files; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<frmBordix> m_main;
    long long m_game = 0;
    QStringList m_files;
    bool m_activated = false;
};

// The form's name in the program's design.
using frmBordix_03 = PicturesWindow;

} // namespace briqo
