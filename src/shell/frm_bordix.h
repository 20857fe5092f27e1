#pragma once

#include "auction/auction_model.h"
#include "deal/deal.h"
#include "platform/services.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QTableWidget;
class QTimer;

namespace briqo {

class KeySender;

// The main window: the board (game number, information block, auction, the four hands and the
// summary grid), the bidding box, the list of stored games and the strip of options and buttons.
// It owns the state of the board on screen. Its handlers are defined in one file per concern
// inside the subsystem folders; each translates an event into calls on the rules of the core and
// shows the result in the controls below.
class frmBordix : public QWidget {
public:
    frmBordix(const Services &services, const QString &programFolder, QWidget *parent = nullptr);
    ~frmBordix() override;

    // ---- Window-level state ----
    int LanguageNumber = 10;
    QString VersionDigits;
    double InfoValueLeft = 0;
    bool EntrySuppressed = false;
    int FlagFrame = 0;
    bool UnsavedChanges = false;
    bool Renumbering = false;
    bool RenumberGuard = false;
    bool SkipSaveQuestion = false;
    QString GameFolder;
    double AuctionBottom = 3315;
    QStringList lstStartInvoer;
    AuctionModel auction;
    QString ContractText;
    long long currentGameNumber() const;
    std::array<QStringList, 4> lstHand;

    // Ends the program at once (Escape); the application sets it, tests replace it.
    std::function<void()> endProgram;

    const QString &programFolder() const { return m_programFolder; }
    QString iniPath() const;
    const Services &services() const { return m_services; }
    QString ResString(int n) const;

    // ---- Controls of the board area picAlles ----
    QWidget *picAlles = nullptr;
    QLineEdit *txtSpel = nullptr;
    std::array<QLabel *, 6> lblInfo {};
    std::array<QLabel *, 7> lblVulin {};
    QCheckBox *chkUitKomst = nullptr;
    QLabel *picUit = nullptr;
    QLabel *picEind = nullptr;
    QGroupBox *fraBieding = nullptr;
    std::array<QLabel *, 4> lblBieding {};
    // The auction grid, indexed [seat][row]: lblB[North] is the column lblBN, picB[East] is picBO,
    // lblA[South] is lblAZ, and so on (call label, strain picture, note label).
    std::array<std::array<QLabel *, 9>, 4> lblB {};
    std::array<std::array<QLabel *, 9>, 4> picB {};
    std::array<std::array<QLabel *, 9>, 4> lblA {};
    std::array<QLabel *, 9> lblNum {};
    QFrame *picDeMaker = nullptr;
    QLabel *lblDeMaker = nullptr;
    QLabel *imaLogo = nullptr;
    std::array<QLabel *, 16> picSymbool {};
    std::array<QFrame *, 16> picAchter {};
    std::array<QLineEdit *, 16> txtInvoer {};
    std::array<QLabel *, 4> lblWind {};
    std::array<QLabel *, 4> lblPunten {};
    QTableWidget *msfgOverzicht = nullptr;
    QPushButton *cmdVraagAntwoord = nullptr;
    QPlainTextEdit *txtVraag = nullptr;
    QWidget *picVlaggen = nullptr;
    std::array<QPushButton *, 2> cmdTaalButtons {}; // cmdTaal(10) and cmdTaal(11)
    QPushButton *cmdTaal(int index) const { return cmdTaalButtons[index - 10]; }
    QPushButton *cmdDownload = nullptr;
    std::array<QLabel *, 2> lblMakerNote {};

    // ---- Bidding box ----
    QWidget *picBiedBox = nullptr;
    std::array<QFrame *, 41> picBBA {};
    std::array<QLabel *, 41> lblBB {};
    std::array<QLabel *, 35> picBB {};

    // ---- Games frame ----
    QGroupBox *fraSpellen = nullptr;
    QListWidget *lstSpellen = nullptr;
    QCheckBox *chkSorteer = nullptr;
    QGroupBox *fraNieuwNummer = nullptr;
    QLabel *lblNieuwNUmmer = nullptr;
    QLineEdit *txtNieuwNummer = nullptr;
    QScrollBar *vscrNieuwNummer = nullptr;
    QPushButton *cmdToonLijst = nullptr;
    QPushButton *cmdLeesSpel = nullptr;
    QPushButton *cmdWisSpel = nullptr;
    QStringList lstSpelNummers;
    QStringList lstNummerHelp;

    // ---- Bottom strip ----
    QWidget *picKnoppen = nullptr;
    QCheckBox *chkTien = nullptr;
    QCheckBox *chkPunten = nullptr;
    std::array<QCheckBox *, 4> chkNietZichtbaar {};
    QPushButton *cmdKopie = nullptr;
    QPushButton *cmdDrukSpelAf = nullptr;
    QPushButton *cmdNaarKlembord = nullptr;
    QPushButton *cmdToonBMP = nullptr;
    QPushButton *cmdDraai = nullptr;
    QPushButton *cmdOpslaan = nullptr;

    // ---- Invisible working controls ----
    QWidget *franietZichtbaar = nullptr;
    QPushButton *cmdFocus = nullptr;
    QTimer *timVlaggen = nullptr;

    // ---- Start-up, layout and shutdown ----
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void VerplaatsObjecten();
    void placeInfoValues();

    // ---- Update ----
    void VersionCheck();
    void cmdDownload_Click();
    bool VersionCheckRunning = false;

    // ---- Language ----
    void cmdTaal_Click(int index);
    void timVlaggen_Timer();

    // ---- Deal entry ----
    Holdings holdings() const;
    void Sorteer(int field);
    void txtInvoer_GotFocus(int index);
    void txtInvoer_LostFocus(int index);
    bool txtInvoer_KeyDown(int index, int keyCode);
    void txtInvoer_KeyPress(int index, int &keyAscii);
    void txtInvoer_Change(int index);
    void ShowCountsAndPoints();
    void RefreshCountColours();
    void EnableCompleteDeal();
    void rebuildHandLists();
    void setCountCellColour(int seat, unsigned colour);
    void paintFieldsWhite();
    void enableEntryFields(bool enabled);
    void moveCaretToEnd(QLineEdit *field);
    void chkPunten_Click();
    void chkTien_Click();
    void chkNietZichtbaar_Click(int seat);

    // ---- Auction (bidding box, grid, contract, lead, rotation) ----
    void lblBB_Click(int k);
    void ShowAllBids();
    void ShowContract();
    void clearAuctionCells();
    void showAuction();
    void normaliseHands();
    void applyAuctionEnd(const TailOutcome &tail);
    void clearContractAndLead();
    void clearLeadLine();
    void showLeadLine(const QString &leaderName, int suit, const QString &cardText);
    // The lead box with its caption, at the leader text (belowLeadBy < 0) or that many twips below it.
    void placeLeadBox(int captionString, double belowLeadBy = -1);
    void showDealerAndVulnerability(long long n);
    void chkUitKomst_Click();
    void txtInvoer_Click(int field);
    void cmdDraai_Click();

    // ---- Game store (saving, loading, the game list, the game number) ----
    void cmdOpslaan_Click();
    void cmdLeesSpel_Click();
    void cmdWisSpel_Click();
    void ClearBoard();
    void LeesSpellen();
    void chkSorteer_Click();
    void lstSpellen_Click();
    void lstSpellen_DblClick();
    void lstSpellen_MouseMove(int x, int y);
    void cmdToonLijst_Click();
    void txtSpel_KeyPress(int &keyAscii);
    void txtSpel_LostFocus();
    void txtSpel_Change();
    void vscrNieuwNummer_Change();
    void fillRenumberLists(long long n);
    QString gamesRoot() const;
    QString gameFolderFor(long long n) const;
    QString gameFile(long long n, int wordString) const;

    // Sends keys in the key notation to the control with the focus ("{END}"); the application
    // connects it to the keystroke sender, and without it the caret is moved directly.
    std::function<void(const QString &)> sendKeys;

    // ---- Shared helpers ----
    void SetFocusIfPossible(QWidget *control);
    void showInfo(const QString &text);
    bool askYesNo(const QString &text);
    QString caption() const { return windowTitle(); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildBoard();
    void buildAuctionGrid();
    void buildHands();
    void buildBiddingBox();
    void buildGamesFrame();
    void buildBottomStrip();
    void buildSummaryGrid();
    void applyDesignedStates();
    void connectHandlers();
    void connectHandEntry();

    Services m_services;
    QString m_programFolder;
    std::unique_ptr<KeySender> m_keySender;
    bool m_shown = false;
};

} // namespace briqo
