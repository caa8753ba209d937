// The delay lists of the loop page, the radio page and the input page: each user change goes
// into the image at once; the refresh steps show the image without running the handlers,
// except where a radio choice changes and its click handler runs as a user's click would.

#include "FormUnit1.h"
#include "UpDown.h"

#include "model/ImageLayout.h"
#include "model/ProgramState.h"
#include "model/SettingsEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace SettingsEdit;

namespace {

void ShowEdit(QLineEdit* field, const std::optional<QString>& text) {
    if (text) field->setText(*text);
}

} // namespace

void TForm1::DelayInBoxChange() {
    ApplyEntryDelay(m_state, DelayInBox->currentIndex());
}

void TForm1::DelayOutBoxChange() {
    ApplyExitDelay(m_state, DelayOutBox->currentIndex());
}

void TForm1::SetEntryDelayUsable(bool usable) {
    // Enabled in the window background colour, or greyed in the inactive-border colour so
    // that a delay nobody uses does not look editable.
    const QPalette system = QApplication::palette();
    const QColor colour = usable ? system.color(QPalette::Active, QPalette::Base)
                                 : system.color(QPalette::Inactive, QPalette::Window);
    QPalette palette = DelayInBox->palette();
    for (QPalette::ColorRole role : {QPalette::Base, QPalette::Button})
        palette.setColor(role, colour);
    DelayInBox->setPalette(palette);
    DelayInBox->setEnabled(usable);
}

void TForm1::AlarmTxQuantChange() {
    ShowEdit(AlarmTxQuant, ApplyAlarmTxText(m_state, AlarmTxQuant->text()));
}

void TForm1::ChangeTxQuantChange() {
    ShowEdit(ChangeTxQuant, ApplyChangeTxText(m_state, ChangeTxQuant->text()));
}

void TForm1::RadioCheckBoxChange() {
    ShowEdit(RadioCheckBox, ApplyPeriodText(m_state, RadioCheckBox->text()));
}

void TForm1::RadioCheckBoxExit() {
    if (const std::optional<QString> raised = PeriodFieldExit(RadioCheckBox->text())) {
        RadioCheckBox->setText(*raised);
        RadioCheckBoxChange();
    }
}

void TForm1::SetPeriodControlsEnabled(bool enabled) {
    Label10->setEnabled(enabled);
    Label9->setEnabled(enabled);
    RadioCheckBox->setEnabled(enabled);
    RadioCheckSpin->setEnabled(enabled);
}

void TForm1::QuickRCheckClick() {
    SetPeriodControlsEnabled(true);
    SetSlowChannelCheck(m_state, false);
}

void TForm1::SlowRCheckClick() {
    // The slow check has no period to edit.
    SetPeriodControlsEnabled(false);
    SetSlowChannelCheck(m_state, true);
}

void TForm1::Active0ButtClick() {
    SetPowInputLevel(m_state, false);
}

void TForm1::Active1ButtClick() {
    SetPowInputLevel(m_state, true);
}

void TForm1::RefreshSpins() {
    RadioCheckSpin->SetPosition(ShownFieldValue(Image::RadioCheckPeriod(m_state), PeriodRule));
    AlarmTxQuantSpin->SetPosition(
        ShownFieldValue(m_state.ImageByte(Image::AlarmTxCount), AlarmTxRule));
    ChangeTxQuantSpin->SetPosition(
        ShownFieldValue(m_state.ImageByte(Image::ChangeTxCount), ChangeTxRule));
}

void TForm1::RefreshDelays() {
    const DelayView view = DelayViewOf(m_state);
    DelayInBox->setCurrentIndex(view.EntryIndex);
    DelayOutBox->setCurrentIndex(view.ExitIndex);
    SetEntryDelayUsable(view.EntryEnabled);
}

void TForm1::RefreshPowLevel() {
    if (PowInputLevelOne(m_state)) {
        if (Active1Butt->isChecked()) return;
        Active1Butt->setChecked(true);
        Active1ButtClick();
    } else {
        if (Active0Butt->isChecked()) return;
        Active0Butt->setChecked(true);
        Active0ButtClick();
    }
}

void TForm1::RefreshChannelCheck() {
    const bool slow = SlowChannelCheck(m_state);
    QRadioButton* chosen = slow ? SlowRCheck : QuickRCheck;
    const bool changes = !chosen->isChecked();
    chosen->setChecked(true); // the two are exclusive: the other one is cleared
    RadioCheckBox->setEnabled(!slow);
    RadioCheckSpin->setEnabled(!slow);
    // A changed choice runs its click handler, which stores the same bit again and sets
    // the labels to match.
    if (changes) {
        if (slow)
            SlowRCheckClick();
        else
            QuickRCheckClick();
    }
}
