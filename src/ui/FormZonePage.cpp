// The loop page's behaviour, RefreshControls and the model switch.

#include "FormUnit1.h"

#include "model/MyConst.h"
#include "model/ProgramState.h"

#include <QComboBox>

void TForm1::DeviceTypeListChange() {
    const QString identifier = IdentifierOf(DeviceTypeList->currentIndex());
    SetDevice(identifier);
    LoadDeviceDefaults(State_, State_.CurrentDevice);
    RefreshControls();
}

void TForm1::RefreshControls() {
    const int row = FindDevice(State_.CurrentDevice);
    switch (row) {
    case RowKA8:
    case RowKB8:
    case RowE8:
        RefreshSpins();
        RefreshDelays();
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
}
