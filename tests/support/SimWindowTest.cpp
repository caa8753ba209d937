#include "support/SimWindowTest.h"

#include "support/SimProcess.h"

#include <QTest>

void SimWindowTest::initTestCase() {
    if (SimProcess::programPath().isEmpty()) QSKIP("this build has no simulator");
}

void SimWindowTest::init() {
    m_store.emplace();
    QVERIFY(m_store->isValid());
}
