#pragma once
// TForm1, the programmer's one window: the model strip, the four pages of settings, the
// panel with the port and the read and write buttons, the status bar and the menu.  The
// window holds no values of its own: every change goes into the configuration image at
// once, and RefreshControls puts the whole image back into the controls.
//
// The implementation is split by concern: FormUnit1.cpp (creation, shell, menu, messages),
// FormLayout*.cpp (the controls of each page), FormArrangement.cpp (SetDevice and the Tag
// walk), FormZonePage.cpp (the loop page's behaviour and the model switch),
// FormSettings.cpp (delays, radio and input) and FormFiles.cpp (the file commands, the
// command-line open and the zone report).

#include "MessageBox.h"

#include "link/ExchangeView.h"

#include <QMainWindow>
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
    // Creating the window runs FormCreate: lists filled, saved choices restored and the
    // model switch run once.  Message boxes go to `hook` when one is given.
    // `portList` gives the ports FormCreate puts into the port box (ListSerialPorts when
    // empty); the program entry hands in a list it asked the system for meanwhile.
    explicit TForm1(ProgramState& state, MessageHook hook = {}, QWidget* parent = nullptr,
                    std::function<QStringList()> portList = {});
    ~TForm1() override;

    ProgramState& State() { return State_; }

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

    // After a successful LoadConfigFile: the file's model row selected and the window
    // arranged for it when it is another model (no model switch: the loaded bytes stay
    // and "devicetype" is not written), then the image shown.
    void ApplyLoadedFile(int row);

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
    BarColour StatusColour() const override { return StatusColour_; }
    void SetStatusColour(const BarColour& colour) override;
    void ShowMessage(const QString& caption, const QString& text, MessageIcon icon) override;
    void ShowDetailedMessage(const QString& caption, const QString& text, MessageIcon icon,
                             const QString& details) override;
    void SwitchToModelRow(int row) override;
    // The controller of the window's reads and writes.
    TExchange& Exchange() { return *Exchange_; }

    // The window's port component.
    TSerialDriver& SerialDriver() { return *SerialDriver1; }

    // The journal's folder (by default "journal" under the user's application data
    // directory); tests give their own.
    void SetJournalFolder(const QString& folder);
    Journal::TJournal& JournalStore() { return *Journal_; }
    // Where the port box asks for its list each time it is opened (the system's list
    // unless set).  Called on another thread.
    void SetPortSource(std::function<QList<SerialPortDetails>()> source);
    // Whether the configuration was edited since it was last read, written, opened, saved
    // or replaced by a model's defaults.
    bool ConfigEdited() const;

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

    // File commands (FormFiles.cpp).
    QFileDialog* FileDialog(bool save);
    // The open or save dialog in the folder of "filepath"; the chosen name or empty.
    QString ChooseFile(bool save);
    // Boxes that come up once the window is on screen, one after the other.
    void ShowMessagesOverWindow(const QList<MessageRecord>& messages);

    // The journal, comparisons, checks and the sheet (FormSafety.cpp).
    struct ConfigSnapshot {
        QString Model;
        std::vector<std::uint8_t> Image;
        bool operator==(const ConfigSnapshot&) const = default;
    };
    ConfigSnapshot CurrentConfig() const;
    void MarkUnedited();
    // Keeps the edited configuration in the journal when it was edited; `reason` says what
    // is about to replace it.
    void KeepEdited(const ConfigSnapshot& before, const QString& reason);
    void AddToJournal(Journal::Kind kind, const QString& model, std::span<const std::uint8_t> image,
                      std::optional<int> version, const QString& outcome);
    void ReportJournalError(const QString& error);
    void ExchangeFinished(const ExchangeOutcome& outcome);
    // The differences between the configuration here and `model`/`image`: a dialog titled
    // `title`, whose sentence names `subject` ("Прибор", "Файл ...").
    void ShowComparison(const QString& title, const QString& subject, const QString& thereColumn,
                        const QString& model, std::span<const std::uint8_t> image);
    void OpenJournalEntry(const Journal::Entry& entry);
    void CompareJournalEntry(const Journal::Entry& entry);
    // A file dialog of its own for the new commands, answered by the hook like the others.
    QString ChooseFileFor(const char* name, const QString& title, const QStringList& filters,
                          bool save, const QString& suffix);
    void CreateSafetyMenus(QMenu* file, QMenu* service);

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

    ProgramState& State_;
    MessageHook MessageHook_;
    std::function<QStringList()> PortList_;
    int ShownExpander_ = 0; // 0: the device's loops; 1..8: that zone expander's zones
    bool SettingErrorShown_ = false;
    QString PendingSettingError_; // refused before the window was first shown
    bool FormShown_ = false;
    QStringList CommandLine_;
    FileDialogHook FileDialogHook_;
    QStringList ReportFolders_; // empty: the program's and the user's data directory
    std::unique_ptr<Journal::TJournal> Journal_;
    ConfigSnapshot Unedited_; // the configuration as last read, written, opened or saved
    bool JournalErrorShown_ = false;

    QFileDialog* OpenDialog1 = nullptr; // made when first used
    QFileDialog* SaveDialog1 = nullptr;

    TImageList* ImageList1 = nullptr;
    TSerialDriver* SerialDriver1 = nullptr;
    TExchange* Exchange_ = nullptr;
    BarColour StatusColour_; // nullopt: the bar's own look

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
