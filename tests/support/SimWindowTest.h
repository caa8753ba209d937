#pragma once
// The base of the tests that run the window against a simulated device: they skip where the
// build has no simulator, and every test function gets settings of its own.  Qt Test runs
// these inherited slots as the derived test's own initTestCase() and init().

#include "support/TempSettings.h"

#include <QObject>

#include <optional>

class SimWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

private:
    std::optional<TempSettings> m_store;
};
