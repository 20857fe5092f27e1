#pragma once

#include "auction/auction_model.h"
#include "board/board.h"
#include "deal/deal.h"
#include "output/board_picture.h"
#include "output/picture_export.h"
#include "platform/services.h"
#include "platform/window_picture.h"
#include "store/game_store.h"
#include "ui/board/board_view.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QScrollBar;
class QTableWidget;
class QTimer;

namespace briqo {

class DoubleDummyWorker;
class KeySender;

// The windows the main window opens (question and answer, overview, pictures) are marked so that
// the main window runs its activation when one of them gives the activation back.
void markAsChildWindow(QWidget *window);
bool isChildWindow(const QWidget *window);

// The main window: the board (game number, information block, auction, the four hands and the
// summary grid), the bidding box, the list of stored games and the strip of options and buttons.
// It owns the state of the board on screen. Its handlers are defined in one file per concern
// inside the subsystem folders; each translates an event into calls on the rules of the core and
// shows the result in the controls below.
class frmBordix : public QWidget, public WindowPicture {
public:
    // When the stored games are listed at start-up: at once, or just after the window first shows,
    // so that a folder of many games does not keep the window from appearing.
    enum class GameListAtStart { Now, AfterShow };

    frmBordix(const Services &services, const QString &programFolder, QWidget *parent = nullptr,
        GameListAtStart listAtStart = GameListAtStart::Now);
    ~frmBordix() override;

    // ---- Window-level state ----
    int LanguageNumber = 10;
    QString VersionDigits;
    int FlagFrame = 0;
    // The board on display: everything the window shows of the game comes from it.
    const Board &board() const { return m_board; }
    long long currentGameNumber() const { return m_board.currentGameNumber(); }

    // Ends the program at once (Escape); the application sets it, tests replace it.
    std::function<void()> endProgram;

    const QString &programFolder() const { return m_programFolder; }
    QString iniPath() const;
    const Services &services() const { return m_services; }
    QString ResString(int n) const;

    // ---- Controls of the board area picAlles ----
    // The board is a view of its own; the window works its controls under their board names.
    BoardView *const picAlles;
    double &InfoValueLeft = picAlles->InfoValueLeft;
    double &AuctionBottom = picAlles->AuctionBottom;
    QLineEdit *&txtSpel = picAlles->txtSpel;
    std::array<QLabel *, 6> &lblInfo = picAlles->lblInfo;
    std::array<QLabel *, 7> &lblVulin = picAlles->lblVulin;
    QCheckBox *&chkUitKomst = picAlles->chkUitKomst;
    QLabel *&picUit = picAlles->picUit;
    QLabel *&picEind = picAlles->picEind;
    QGroupBox *&fraBieding = picAlles->fraBieding;
    std::array<QLabel *, 4> &lblBieding = picAlles->lblBieding;
    std::array<std::array<QLabel *, 9>, 4> &lblB = picAlles->lblB;
    std::array<std::array<QLabel *, 9>, 4> &picB = picAlles->picB;
    std::array<std::array<QLabel *, 9>, 4> &lblA = picAlles->lblA;
    std::array<QLabel *, 9> &lblNum = picAlles->lblNum;
    QFrame *&picDeMaker = picAlles->picDeMaker;
    QLabel *&lblDeMaker = picAlles->lblDeMaker;
    QLabel *&imaLogo = picAlles->imaLogo;
    std::array<QLabel *, 16> &picSymbool = picAlles->picSymbool;
    std::array<QFrame *, 16> &picAchter = picAlles->picAchter;
    std::array<QLineEdit *, 16> &txtInvoer = picAlles->txtInvoer;
    std::array<QLabel *, 4> &lblWind = picAlles->lblWind;
    std::array<QLabel *, 4> &lblPunten = picAlles->lblPunten;
    QTableWidget *&msfgOverzicht = picAlles->msfgOverzicht;
    QPushButton *&cmdVraagAntwoord = picAlles->cmdVraagAntwoord;
    QPlainTextEdit *&txtVraag = picAlles->txtVraag;
    QWidget *&picVlaggen = picAlles->picVlaggen;
    std::array<QPushButton *, 2> &cmdTaalButtons = picAlles->cmdTaalButtons;
    QPushButton *cmdTaal(int index) const { return cmdTaalButtons[index - 10]; }
    QPushButton *&cmdDownload = picAlles->cmdDownload;
    std::array<QLabel *, 2> &lblMakerNote = picAlles->lblMakerNote;

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
    QCheckBox *chkDoubleDummy = nullptr; // the double-dummy table goes into the picture

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
    // The hands as the board holds them, hidden hands included, every ten "T".
    const Holdings &holdings() const { return m_board.holdings(); }
    void txtInvoer_GotFocus(int index);
    void txtInvoer_LostFocus(int index);
    bool txtInvoer_KeyDown(int index, int keyCode);
    void txtInvoer_KeyPress(int index, int &keyAscii);
    void txtInvoer_Change(int index);
    void paintFieldsWhite();
    void moveCaretToEnd(QLineEdit *field);
    void chkPunten_Click();
    void chkTien_Click();
    void chkNietZichtbaar_Click(int seat);
    bool seatHidden(int seat) const { return m_board.seatHidden(seat); }

    // ---- Auction (bidding box, grid, contract, lead, rotation) ----
    void lblBB_Click(int k);
    void chkUitKomst_Click();
    void txtInvoer_Click(int field);
    void cmdDraai_Click();

    // ---- The board on display ----
    // Runs one operation of the board: asks its question and runs it again with the answer, saves
    // first when the user wants that (then runs it again unless the save moved the board on), and
    // carries out the outcome.
    enum class AfterSave { RunAgain, Done };
    BoardOutcome perform(
        const std::function<BoardOutcome(Answer)> &operation, AfterSave after = AfterSave::RunAgain);
    // The outcome's store writes, the board shown with what it offers, its messages, the game
    // list and the focus. False when a write failed (the board has been told).
    bool carryOut(const BoardOutcome &out);
    // Shows the board and enables what it offers; nothing else enables a control of the board.
    void showBoard();
    void applyAvailability();
    // The save of the board with its overwrite question; true when the game was written and the
    // board moved on to the next number.
    bool saveBoard();

    // ---- Game store (saving, loading, the game list, the game number) ----
    void cmdOpslaan_Click();
    void cmdLeesSpel_Click();
    void cmdWisSpel_Click();
    void LeesSpellen();
    void chkSorteer_Click();
    void lstSpellen_Click();
    void lstSpellen_DblClick();
    void lstSpellen_MouseMove(int x, int y);
    void cmdToonLijst_Click();
    void txtSpel_KeyPress(int &keyAscii);
    void txtSpel_LostFocus();
    void txtSpel_Change();
    // A game number given to the board as if typed into its field (the field's own change
    // handler runs for the user's edits only).
    void setGameNumberText(const QString &text);
    void gameNumberTyped(const QString &text);
    // The entry of the games list last chosen ("Spel 005"); empty when none is.
    const QString &chosenEntry() const { return m_board.chosenEntry(); }
    // The declarer of the contract on display, remembered for the opening lead.
    std::optional<int> declarer() const { return m_board.declarer(); }
    void vscrNieuwNummer_Change();
    void fillRenumberLists(long long n);
    // The games folder of the language in use; every read and write of a game goes through it.
    GameStore store() const { return GameStore(m_programFolder, LanguageNumber); }
    // Shows a failed write of the store: what failed and whether anything changed.
    void reportStoreFailure(const StoreResult &result);

    // ---- Games in and out of PBN and LIN files, deals pasted onto the board (exchange/) ----
    void connectExchange();
    QMenu *exchangeMenu();
    void importGames();
    void exportBoardGame();
    void exportAllGames();
    void copyHandViewerLink();
    void pasteDeal(const QString &text);
    std::optional<Game> gameOnBoard();

    // Sends keys in the key notation to the control with the focus ("{END}"); the application
    // connects it to the keystroke sender, and without it the caret is moved directly.
    std::function<void(const QString &)> sendKeys;

    // ---- Board picture, printing and the pictures window ----
    // The game's next picture name: "" or "_k".
    QString ZoekBMPNummer() const;
    // The picture of the board, put on the clipboard and, unless it is for the clipboard only,
    // saved as the game's next bitmap; a null image when none was made.
    enum class PictureUse { File, Clipboard, Print };
    QImage takePicture(PictureUse use);
    void cmdKopie_Click();
    void cmdNaarKlembord_Click();
    void cmdDrukSpelAf_Click();
    void cmdToonBMP_Click();
    // The picture Alt+Print Screen takes of the window: the window as it shows.
    QImage windowPicture() override;
    // The board on screen as a game and the options it is shown with: what its picture is drawn
    // from. The deal includes the hands of hidden seats.
    Game boardAsGame() const;
    PictureSettings pictureSettings();
    // The board's picture as "Save as Bitmap" writes it, drawn without touching the window.
    QImage boardPictureNow();
    // ---- Question and answer ----
    void cmdVraagAntwoord_Click();
    // The question window stored (or removed) the game's question and answer.
    void questionAndAnswerStored(const QString &question, const QString &answer);

    // ---- Double-dummy table and par of the deal on the board (analysis/) ----
    void connectDoubleDummy();
    // The deal as the table is worked out for: the hand fields, and the hands of the seats that
    // are hidden from the board as they were before they were hidden.
    Holdings dealForAnalysis() const;
    // Any change of a hand or of the game number takes the table away at once; the table of the
    // deal then on the board is worked out when the handlers have finished.
    void doubleDummyDealEdited();
    void refreshDoubleDummy();
    void chkDoubleDummy_Click(); // remembered in the INI file
    void readDoubleDummyOption();
    // The table of the deal on the board for a picture: the one shown, or worked out now when the
    // background has not finished it yet. None for a deal that is not complete.
    std::optional<DoubleDummyResult> doubleDummyNow();
    DoubleDummyWorker *doubleDummyWorker() const { return m_doubleDummy; }

    // ---- Shared helpers ----
    void SetFocusIfPossible(QWidget *control);
    void showInfo(const QString &text);
    bool askYesNo(const QString &text);
    QString caption() const { return windowTitle(); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildBiddingBox();
    void buildGamesFrame();
    void buildBottomStrip();
    void applyDesignedStates();
    void connectHandlers();
    void connectHandEntry();

    Services m_services;
    QString m_programFolder;
    std::unique_ptr<KeySender> m_keySender;
    bool m_shown = false;
    bool m_gameListPending = false; // the start-up listing waits for the window to show
    bool m_childWindowWasActive = false;
    Board m_board;
    bool m_focusLeaving = false; // a hand field is letting the focus go

    // What a double-dummy table answers: the deal (tens as "T"), the vulnerability and the card
    // letters of the language.
    struct DoubleDummyKey {
        Holdings deal;
        int vulnerability = 0;
        int languageNumber = 0;
        bool operator==(const DoubleDummyKey &) const = default;
    };
    DoubleDummyKey doubleDummyKey() const;
    DoubleDummyWorker *m_doubleDummy = nullptr;
    std::optional<DoubleDummyKey> m_doubleDummyKey; // asked for or shown
    std::optional<DoubleDummyResult> m_doubleDummyResult; // for m_doubleDummyKey, once it is known
    bool m_doubleDummyQueued = false;
};

} // namespace briqo
