#pragma once
// TForm1, the programmer's one window: the model strip, the four pages of settings, the
// panel with the port and the read and write buttons, the status bar and the menu.  The
// window holds no values of its own: every change goes into the configuration image at
// once, and RefreshControls puts the whole image back into the controls.
//
// The implementation is split by concern:
//   FormUnit1.cpp        creation, start-up and end, the port box, messages, About
//   FormLayoutLoop.cpp   the controls of the loop page
//   FormLayoutPages.cpp  the controls of the other pages, the model strip, the panel, the
//                        menu and the fonts (with FormGeometry.h, the places and sizes)
//   FormArrangement.cpp  SetDevice: the window arranged for a model, the Tag walk
//   FormZonePage.cpp     the loop page's behaviour, RefreshControls and the model switch
//   FormSettings.cpp     the delays, the radio page and the input page
//   FormInput.cpp        input as a person gives it: wheel, focus, Tab order, screen readers
//   FormFiles.cpp        the file commands, opening a configuration, the file dialogs and
//                        the zone report
//   FormExchange.cpp     the window as the exchange controller's host
//   FormSafety.cpp       the journal, comparisons, checks and the printed sheet

#include "MessageBox.h"

#include "app/EditTracker.h"
#include "app/SiteBook.h"
#include "link/ExchangeView.h"
#include "link/LinkDoctor.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

struct ProgramState;
enum class UiLanguage;
class QAction;
class QCheckBox;
class QComboBox;
class QFileDialog;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class TImageList;
class TPageControl;
class TExchange;
class TLinkCheck;
class TModelDetect;
class TSiteBookDialog;
struct DetectResult;
class TPortBox;
class TSerialDriver;
class TUpDown;
struct ExchangeOutcome;
struct SerialPortDetails;
namespace Journal {
class TJournal;
struct Entry;
enum class Kind;
} // namespace Journal

// The window is the exchange controller's host (IExchangeView): it shows the status,
// colours the bar, disables the exchange's controls and shows the boxes.
class TForm1 : public QMainWindow, public IExchangeView {
    Q_OBJECT
public:
    // When the work the first picture does not need is done: the port box's first list of
    // ports (the system takes a while: udev is asked about every tty device) and the
    // window's icon (every size is decoded and handed to the window manager).  Either
    // while the window is made, or once it has been painted: the program's start does not
    // wait for them.
    enum class LateWork { AtCreation, AfterFirstPaint };
    // Creating the window runs FormCreate: lists filled, saved choices restored and the
    // model switch run once.  Message boxes go to `hook` when one is given.
    explicit TForm1(ProgramState& state, MessageHook hook = {}, QWidget* parent = nullptr,
                    LateWork late = LateWork::AtCreation);
    ~TForm1() override;

    ProgramState& State() { return m_state; }

    // The program's arguments without the program's own name; the first one names the
    // ".cf8" file opened when the window is first shown.  A window that is not given any
    // opens nothing, whatever the process was started with.
    void SetCommandLine(const QStringList& arguments);
    // Answers the file dialogs instead of the user: called with the dialog set up as it
    // would be shown (title, filter, folder), it returns the chosen file's name, or an
    // empty text for a cancel.  Without one the dialog is shown.
    using FileDialogHook = std::function<QString(QFileDialog& dialog)>;
    void SetFileDialogHook(FileDialogHook hook);
    // The folders the zone report may go to, in order of preference; by default the
    // program's own directory, then the user's application data directory.
    void SetReportFolders(const QString& programDir, const QString& appDataDir);

    // Arranges the window for a model identifier and makes it current (CurrentDevice,
    // Capacity); any other text gets the internal-error box and changes nothing.
    void SetDevice(const QString& identifier);
    // Fills a type drop-down with item set 1 full, 2 without door, 3 expander, 4 two-loop;
    // any other number leaves it as it is.
    void TypeBoxItemsSet(QComboBox* box, int set);

    // The model switch: the model of the selected row of DeviceTypeList is arranged, its
    // default image loaded and shown, and remembered.
    void DeviceTypeListChange();
    // The whole image into the controls of the current model.
    void RefreshControls() override;
    // Whose zones the loop rows show: 0 the device's loops, 1..8 that zone expander's.
    int ShownExpander() const;

    // The box every message of the window goes through (caption, text, icon, plain text).
    void ShowMessage(const QString& caption, const QString& text, QMessageBox::Icon icon,
                     const QString& details = {});
    // A setting the store refused: the error box, once per run; the program goes on.
    void ReportSettingError(const QString& error);

    void SetStatusText(const QString& text) override;
    QString StatusText() const;

    // The rest of the exchange controller's host (FormExchange.cpp).
    void SetExchangeBusy(bool busy) override;
    BarColour StatusColour() const override { return m_statusColour; }
    void SetStatusColour(const BarColour& colour) override;
    void ShowMessage(const QString& caption, const QString& text, MessageIcon icon) override;
    void ShowDetailedMessage(const QString& caption, const QString& text, MessageIcon icon,
                             const QString& details) override;
    void SwitchToModelRow(int row) override;
    // The site book, opened on first use at the setting "database" (or `location` when a
    // test gives one); nullptr, with the reason told, when it cannot be opened.
    SiteBook::TSiteBook* Book();
    void SetBookLocation(const QString& location) { m_bookLocation = location; }
    // The device of the book the window's exchanges are recorded under, while one is chosen.
    const std::optional<SiteBook::Device>& BookDevice() const { return m_bookDevice; }
    void ChooseBookDevice(const SiteBook::Site& site, const SiteBook::Device& device);
    // The controller of the window's reads and writes.
    TExchange& Exchange() { return *m_exchange; }
    // Whether a read or write, a detection or a link check runs: the rest waits for it.
    bool ExchangeRunning() const;
    // Why the last exchange got no answer, while its status stands ("Почему?").
    const std::optional<LinkDiagnosis>& Why() const { return m_why; }

    // The window's port component.
    TSerialDriver& SerialDriver() { return *SerialDriver1; }

    // The journal's folder (by default "journal" under the user's application data
    // directory); tests give their own.
    void SetJournalFolder(const QString& folder);
    Journal::TJournal& JournalStore();
    // Where the port box asks for its list each time it is opened (the system's list
    // unless set).  Called on another thread.
    void SetPortSource(std::function<QList<SerialPortDetails>()> source);
    // Whether the configuration was edited since it was last read, written, opened, saved
    // or replaced by a model's defaults.
    bool ConfigEdited() const { return m_edits.Edited(); }
    // The program is about to end without closing the window (a signal, the end of the
    // desktop session): the port is let go, and edits that nothing keeps go into the journal.
    void EndSession();

public slots:
    void ButtonReadClick();
    void ButtonWriteClick();
    void BtnCloseClick();
    void N4Click();  // Open
    void N2Click();  // Save
    void N3Click();  // Save as
    void N10Click(); // zone report
    void N8Click();  // Exit
    void N6Click();  // About
    // The installer's safety net (FormSafety.cpp).
    void CompareWithFileClick();
    void PrintClick();
    void ExportPdfClick();
    void JournalClick();
    void CompareWithDeviceClick();
    void ChecksClick();
    // Why there is no answer, the model found by itself, the link check (FormLink.cpp).
    void WhyClick();
    void DetectClick();
    void LinkCheckClick();
    // The site book (FormBook.cpp).
    void BookClick();
    void WritePreviewClick(bool on);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;

private:
    // Creation of the controls (FormLayout*.cpp).
    void BuildMenu();
    void BuildModelStrip(QWidget* client);
    void BuildLoopPage(QWidget* page);
    void BuildRadioPage(QWidget* page);
    void BuildInputPage(QWidget* page);
    void BuildRazdPage(QWidget* page);
    void BuildPanel(QWidget* client);
    void ConnectControls();
    void ApplyFonts();
    QFont SizedFont(int points) const;

    // Shell (FormUnit1.cpp).
    void FormCreate();
    void FormShow();
    void FormClose();
    QString AboutText() const;
    void PortNameBoxChange(const QString& text);
    void NetworkPortUsed();
    // After an exchange that worked: the serial number of the port's adapter is kept.
    void AdapterUsed(const ExchangeOutcome& outcome);
    // With the first list of ports: the stored port's adapter found under another name.
    void AdoptMovedAdapter();

    // File commands (FormFiles.cpp).
    enum class FileDialogKind { Open, SaveAs, Compare, ExportPdf };
    // That file dialog in the folder of "filepath", answered by the hook when there is one;
    // the chosen name, or empty.
    QString ChooseFile(FileDialogKind kind);
    // Where a configuration comes from when it is opened into the window.  They differ only
    // in the boxes of a failure and in what becomes of the file's name.
    enum class OpenFrom { Dialog, CommandLine, Journal };
    // The file's model arranged when it is another one (no model switch: the loaded bytes
    // stay and "devicetype" keeps the user's choice), the edits it replaces kept, the image
    // shown.  Nothing while an exchange runs.
    void OpenConfig(const QString& path, OpenFrom from);
    // Saves to CurrentFileName; the caption and the status follow a save that worked.
    bool SaveCurrentFile();
    // Boxes that come up once the window is on screen, one after the other.
    void ShowMessagesOverWindow(const QList<MessageRecord>& messages);

    // The journal, comparisons, checks and the sheet (FormSafety.cpp).
    // Keeps `before` in the journal when it held edits; `reason` says what is about to
    // replace it.
    void KeepEdited(const TEditTracker::Snapshot& before, const QString& reason);
    void ReportJournalError(const QString& error);
    void ExchangeFinished(const ExchangeOutcome& outcome);
    // The differences between the configuration here and `model`/`image`: a dialog titled
    // `title`, whose sentence names `subject` ("Прибор", "Файл ...").
    void ShowComparison(const QString& title, const QString& subject, const QString& thereColumn,
                        const QString& model, std::span<const std::uint8_t> image);
    void OpenJournalEntry(const Journal::Entry& entry);
    void CompareJournalEntry(const Journal::Entry& entry);
    void CreateSafetyMenus(QMenu* file, QMenu* service);
    void CreateLinkMenus(QMenu* service);
    void CreateBookMenus(QMenu* file, QMenu* service);
    void OpenBookRecord(const SiteBook::Site& site, const SiteBook::Device& device,
                        const SiteBook::Record& record);
    // After every exchange with a device of the book chosen: its records, and a read that
    // finds something other than the device's last record says so (ShowDrift).
    void RecordInBook(const ExchangeOutcome& outcome);
    void ShowDrift(const SiteBook::Record& last, const ExchangeOutcome& read);
    // Before a write to a device of the book: what it changes, with Write and Cancel.  True
    // when the write may go at once (no device chosen, or the box turned off).
    bool PreviewWrite();
    // The last record the device is known to hold.
    std::optional<SiteBook::Record> HeldRecord();
    void UpdateBookCaption();
    void ReportBookError(const QString& error);
    // After every exchange: the "Почему?" link beside the status text stands for one that
    // got no answer, until the next exchange starts.
    void NoteLinkOutcome(const ExchangeOutcome& outcome);
    // A detection's end: the model found taken as a read takes it (the transmitter asked).
    void AdoptDetected(const DetectResult& result);
    void AdoptDetectedAs(const DetectResult& result, const QString& model);
    // FormLanguage.cpp
    void CreateLanguageMenu(QMenu* service);
    void ChooseLanguageClick(UiLanguage language);

    // Input as a person gives it (FormInput.cpp).
    void GuardInput();
    bool IsUnpickedWheel(QObject* watched, QEvent* event) const;
    void ArrangeTabOrder();
    void UpdateRowAccessibleNames();

    // Arrangement (FormArrangement.cpp).
    void TagWalk(int bits, const std::function<void(QWidget*)>& action);
    void SetPageVisible(QWidget* page, bool visible);
    void MakeCurrentPage(QWidget* page);
    void KeepVisibleCurrentPage(QWidget* before);
    void ArrangeEightLoopRows(bool shown);
    void SetFireBoxes1To6Visible(bool visible);

    // Loop page (FormZonePage.cpp).
    void RefreshKA8ExpState();
    void ExtSwitch(int expander);
    void SetShlfTypeBox(QComboBox* box, int code);
    void RefreshEventByType();
    void TypeChange(int row);
    void ExpEventChange(int row);
    void ExpFireResetChange(int row);
    void ExpOnOff(int expander);
    void SwExpClick(int expander);
    void ExpKB8OnOff(int expander);
    void ExpToggle(int expander, bool on);
    void ConnectZonePage();

    // Delays, radio and input (FormSettings.cpp).
    void DelayInBoxChange();
    void DelayOutBoxChange();
    void SetEntryDelayUsable(bool usable);
    void AlarmTxQuantChange();
    void ChangeTxQuantChange();
    void RadioCheckBoxChange();
    void RadioCheckBoxExit();
    void QuickRCheckClick();
    void SlowRCheckClick();
    void Active0ButtClick();
    void Active1ButtClick();
    void SetPeriodControlsEnabled(bool enabled);
    void RefreshSpins();
    void RefreshDelays();
    void RefreshPowLevel();
    void RefreshChannelCheck();

    ProgramState& m_state;
    MessageHook m_messageHook;
    bool m_lateWorkPending; // LateWork::AfterFirstPaint, until the first paint
    int m_shownExpander = 0; // 0: the device's loops; 1..8: that zone expander's zones
    bool m_settingErrorShown = false;
    QString m_pendingSettingError; // refused before the window was first shown
    bool m_formShown = false;
    QStringList m_commandLine;
    FileDialogHook m_fileDialogHook;
    QStringList m_reportFolders; // empty: the program's and the user's data directory
    std::unique_ptr<Journal::TJournal> m_journal; // made when first used
    TEditTracker m_edits{m_state};
    bool m_journalErrorShown = false;

    // OpenDialog1, SaveDialog1 and the others, by FileDialogKind; made when first used.
    std::array<QFileDialog*, 4> m_fileDialogs{};

    TImageList* ImageList1 = nullptr;
    TSerialDriver* SerialDriver1 = nullptr;
    TExchange* m_exchange = nullptr;
    BarColour m_statusColour; // nullopt: the bar's own look

    // Menu.
    QAction* N4 = nullptr;
    QAction* N2 = nullptr;
    QAction* N3 = nullptr;
    QAction* N8 = nullptr;
    QAction* N10 = nullptr;
    QAction* N6 = nullptr;
    QAction* NCompareFile = nullptr;
    QAction* NPrint = nullptr;
    QAction* NExportPdf = nullptr;
    QAction* NJournal = nullptr;
    QAction* NCompareDevice = nullptr;
    QAction* NChecks = nullptr;
    QAction* NDetect = nullptr;
    QAction* NLinkCheck = nullptr;
    QLabel* WhyLink = nullptr;
    QAction* NBook = nullptr;
    QAction* NWritePreview = nullptr;
    std::unique_ptr<SiteBook::TSiteBook> m_book;
    QString m_bookLocation;
    std::optional<SiteBook::Site> m_bookSite;
    std::optional<SiteBook::Device> m_bookDevice;
    QPointer<TSiteBookDialog> m_bookDialog;
    QString m_captionSuffix;
    QString m_adapterPath; // the port whose adapter was last remembered
    bool m_bookErrorShown = false;
    std::optional<LinkDiagnosis> m_why;
    TModelDetect* m_detect = nullptr;
    TLinkCheck* m_linkCheck = nullptr;

    // Model strip.
    QLabel* Label26 = nullptr;
    QComboBox* DeviceTypeList = nullptr;

    // Pages.
    TPageControl* PageMain = nullptr;
    QWidget* PageShlf = nullptr;
    QWidget* PageRadio = nullptr;
    QWidget* PageInput2 = nullptr;
    QWidget* PageRazd = nullptr;

    // Loop page.
    QGroupBox* ZonesShlfSwitch = nullptr;
    QRadioButton* SwPanel = nullptr;
    std::array<QRadioButton*, 8> SwExpZone{};
    std::array<QCheckBox*, 8> ZoneExpBox{};
    std::array<QLabel*, 8> LabelShlf{};
    std::array<QLabel*, 8> ZonaLabel{};
    std::array<QComboBox*, 8> FShlfType{};
    std::array<QComboBox*, 8> ShlfEvent{};
    std::array<QCheckBox*, 8> CheckBoxFire{};
    QComboBox* DelayInBox = nullptr;
    QComboBox* DelayOutBox = nullptr;

    // Radio page.
    QGroupBox* RadioCheckGroup = nullptr;
    QRadioButton* QuickRCheck = nullptr;
    QRadioButton* SlowRCheck = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* RadioCheckBox = nullptr;
    TUpDown* RadioCheckSpin = nullptr;
    QLineEdit* AlarmTxQuant = nullptr;
    TUpDown* AlarmTxQuantSpin = nullptr;
    QLineEdit* ChangeTxQuant = nullptr;
    TUpDown* ChangeTxQuantSpin = nullptr;

    // Input page.
    QRadioButton* Active0Butt = nullptr;
    QRadioButton* Active1Butt = nullptr;

    // Partition expanders page.
    std::array<QCheckBox*, 8> ExpBox{};

    // Panel.
    QPushButton* BtnClose = nullptr;
    TPortBox* PortNameBox = nullptr;
    QPushButton* ButtonRead = nullptr;
    QPushButton* ButtonWrite = nullptr;
};
