#pragma once
// A window with a simulated device on its port: the simulator started with the given
// arguments and its terminal's path typed into the window's port box, as a user does.

#include "support/SimProcess.h"
#include "support/WindowDriver.h"

#include "link/Exchange.h"
#include "link/SerialDrv.h"

#include <QByteArray>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

#include <utility>

// Bytes that are neither a model's defaults nor a pattern, the same for the same seed.
QByteArray RandomImage(int size, quint32 seed);

template <class Fixture = WindowFixture> struct DeviceSession {
    Fixture F;
    SimProcess Sim;

    template <class... Args>
    explicit DeviceSession(Args&&... args) : F(std::forward<Args>(args)...) {}

    bool Start(const QStringList& args) { return Sim.start(args) && UsePort(Sim.ptyPath()); }
    // The user types the terminal's path into the port box.
    bool UsePort(const QString& path) {
        TypeInto(F.template Find<QComboBox>("PortNameBox")->lineEdit(), path);
        return F.Form->SerialDriver().PortName() == path;
    }
    bool WaitIdle(int ms) {
        return QTest::qWaitFor([&] { return !F.Form->Exchange().Busy(); }, ms);
    }
};
