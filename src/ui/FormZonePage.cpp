// The loop page's behaviour: the rows of the device or of a zone expander, the type,
// event and power-reset handlers, the expander switches; RefreshControls and the model
// switch.  The byte arithmetic is ZoneEdit's; here the controls are mapped to it.

#include "FormUnit1.h"

#include "app/SetupUnit.h"
#include "model/ImageLayout.h"
#include "model/MyConst.h"
#include "model/ProgramState.h"
#include "model/ShlfList.h"
#include "model/ZoneEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>

using namespace ZoneEdit;

namespace {
constexpr std::size_t At(int n) {
    return static_cast<std::size_t>(n - 1);
}
} // namespace

void TForm1::ConnectZonePage() {
    // Only the user's own changes run the handlers; a refresh sets the controls silently.
    for (int n = 1; n <= 8; ++n) {
        connect(FShlfType[At(n)], &QComboBox::activated, this, [this, n] { TypeChange(n); });
        connect(ShlfEvent[At(n)], &QComboBox::activated, this, [this, n] { ExpEventChange(n); });
        connect(CheckBoxFire[At(n)], &QCheckBox::clicked, this,
                [this, n] { ExpFireResetChange(n); });
        connect(ZoneExpBox[At(n)], &QCheckBox::clicked, this, [this, n] { ExpOnOff(n); });
        connect(SwExpZone[At(n)], &QRadioButton::clicked, this, [this, n] { SwExpClick(n); });
        connect(ExpBox[At(n)], &QCheckBox::clicked, this, [this, n] { ExpKB8OnOff(n); });
    }
    connect(SwPanel, &QRadioButton::clicked, this, [this] { SwExpClick(0); });
}

void TForm1::DeviceTypeListChange() {
    const QString identifier = IdentifierOf(DeviceTypeList->currentIndex());
    const TEditTracker::Snapshot before = m_edits.Current();
    SetDevice(identifier);
    if (m_state.CurrentDevice != identifier) return; // refused: nothing else may change
    // The defaults are about to replace the edits: the journal keeps them.
    KeepEdited(before,
               QString::fromUtf8(QT_TRANSLATE_NOOP("ExchangeJournal", "перед сменой модели")));
    LoadDeviceDefaults(m_state, m_state.CurrentDevice);
    m_edits.MarkUnedited();
    RefreshControls();
    QString error;
    WriteSetting(QLatin1String(SettingDeviceType), m_state.CurrentDevice, &error);
    ReportSettingError(error);
}

void TForm1::RefreshControls() {
    m_shownExpander = 0;
    for (int n = 1; n <= 8; ++n)
        ZonaLabel[At(n)]->setText(ZoneLabelText(0, n));

    const int row = FindDevice(m_state.CurrentDevice);
    if (row == RowKA8) RefreshKA8ExpState();
    if (row == RowKB8)
        for (int n = 1; n <= 8; ++n)
            ExpBox[At(n)]->setChecked(Image::ExpanderEnabled(m_state, n));

    switch (row) {
    case RowKA8:
    case RowKB8:
    case RowE8:
        ExtSwitch(0);
        SwPanel->setChecked(true);
        RefreshSpins();
        RefreshDelays();
        break;
    case RowE2:
        // The two loops sit in rows 7 and 8, whose lists keep the two-loop set.
        for (int n : {7, 8}) {
            const RowView view = TwoLoopRowView(m_state, n);
            SetShlfTypeBox(FShlfType[At(n)], view.TypeCode);
            CheckBoxFire[At(n)]->setEnabled(view.FireEnabled);
            CheckBoxFire[At(n)]->setChecked(view.FireChecked);
            ShlfEvent[At(n)]->setCurrentIndex(view.EventIndex);
            ShlfEvent[At(n)]->setEnabled(view.EventEnabled);
        }
        break;
    case RowKF:
    case RowKA:
        RefreshSpins();
        RefreshPowLevel();
        RefreshChannelCheck();
        break;
    default:
        break;
    }
    UpdateRowAccessibleNames();
}

void TForm1::RefreshKA8ExpState() {
    if (m_state.CurrentDevice != IdentifierOf(RowKA8)) return;
    for (int n = 1; n <= 8; ++n) {
        const bool on = Image::ExpanderEnabled(m_state, n);
        ZoneExpBox[At(n)]->setChecked(on);
        // Only an enabled expander's zones can be looked at and edited.
        SwExpZone[At(n)]->setEnabled(on);
    }
}

void TForm1::ExtSwitch(int expander) {
    if (expander == 0) {
        for (int n = 1; n <= 6; ++n)
            CheckBoxFire[At(n)]->hide();
        TypeBoxItemsSet(FShlfType[0], static_cast<int>(TypeSet::Full));
        for (int n = 2; n <= 8; ++n)
            TypeBoxItemsSet(FShlfType[At(n)], static_cast<int>(TypeSet::WithoutDoor));
        for (int n = 1; n <= 8; ++n) {
            const RowView view = DeviceRowView(m_state, n);
            SetShlfTypeBox(FShlfType[At(n)], view.TypeCode);
            if (n >= 7) {
                CheckBoxFire[At(n)]->setEnabled(view.FireEnabled);
                CheckBoxFire[At(n)]->setChecked(view.FireChecked);
            }
            ShlfEvent[At(n)]->setCurrentIndex(view.EventIndex);
        }
    } else {
        for (QComboBox* box : FShlfType)
            TypeBoxItemsSet(box, static_cast<int>(TypeSet::Expander));
        for (int n = 1; n <= 8; ++n) {
            const RowView view = ExpanderRowView(m_state, expander, n);
            // The expander set starts at code 0, so the position is the code.
            FShlfType[At(n)]->setCurrentIndex(view.TypeIndex);
            ShlfEvent[At(n)]->setCurrentIndex(view.EventIndex);
            CheckBoxFire[At(n)]->setEnabled(view.FireEnabled);
            CheckBoxFire[At(n)]->setChecked(view.FireChecked);
            CheckBoxFire[At(n)]->show();
        }
    }
    RefreshEventByType();
    for (int n = 1; n <= 8; ++n)
        ZonaLabel[At(n)]->setText(ZoneLabelText(expander, n));
    UpdateRowAccessibleNames();
}

void TForm1::SetShlfTypeBox(QComboBox* box, int code) {
    // By code, since the sets do not start alike; a code the set lacks selects nothing.
    box->setCurrentIndex(box->findData(code >= ShlfTypeCount || code < 0 ? TypeAlarm : code));
}

void TForm1::RefreshEventByType() {
    for (int n = 1; n <= 8; ++n)
        ShlfEvent[At(n)]->setEnabled(EventEnabledFor(FShlfType[At(n)]->currentIndex()));
}

void TForm1::TypeChange(int row) {
    // The code comes with the item: its position depends on the set, and its caption on the
    // language.
    const QVariant item = FShlfType[At(row)]->currentData();
    if (!item.isValid()) return;
    const int code = item.toInt();
    const TypeChangeResult result = ApplyTypeChange(m_state, m_shownExpander, row, code);
    QComboBox* event = ShlfEvent[At(row)];
    event->setEnabled(result.EventEnabled);
    if (result.EventIndex >= 0) event->setCurrentIndex(result.EventIndex);
    CheckBoxFire[At(row)]->setEnabled(result.FireEnabled);
    CheckBoxFire[At(row)]->setChecked(result.FireChecked);
    if (result.EntryDelay != TypeChangeResult::Delay::Unchanged)
        SetEntryDelayUsable(result.EntryDelay == TypeChangeResult::Delay::Enable);
}

void TForm1::ExpEventChange(int row) {
    const int index = ShlfEvent[At(row)]->currentIndex();
    if (index >= 0) ApplyEventChange(m_state, m_shownExpander, row, index + 1);
}

void TForm1::ExpFireResetChange(int row) {
    ApplyPowerReset(m_state, m_shownExpander, row, CheckBoxFire[At(row)]->isChecked());
}

void TForm1::ExpOnOff(int expander) {
    const bool on = ZoneExpBox[At(expander)]->isChecked();
    ExpToggle(expander, on);
    if (on) {
        // Switched on: its zones are shown at once.
        SwExpZone[At(expander)]->setChecked(true);
        SwExpClick(expander);
    } else {
        // Switched off: back to the device's own loops, whichever expander was shown.
        SwPanel->setChecked(true);
        SwExpClick(0);
    }
}

void TForm1::SwExpClick(int expander) {
    m_shownExpander = expander;
    ExtSwitch(expander);
}

void TForm1::ExpKB8OnOff(int expander) {
    ApplyPartitionExpander(m_state, expander, ExpBox[At(expander)]->isChecked());
}

void TForm1::ExpToggle(int expander, bool on) {
    Image::SetExpanderEnabled(m_state, expander, on);
    RefreshKA8ExpState();
}

int TForm1::ShownExpander() const {
    return m_shownExpander;
}
