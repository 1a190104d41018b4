#ifndef TESTMAIN_H
#define TESTMAIN_H

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include "startup.h"

// Runs a Qt Test object inside a QApplication whose settings store and data folder live in
// fresh temporary folders, so that no test reads or writes the real user's settings or
// library. The
// application font is set up as the reader sets it, so text measures as it does there.
#define LEXORIN_TEST_MAIN(TestObject)                                          \
    int main(int argc, char *argv[])                                           \
    {                                                                          \
        QTemporaryDir configHome;                                              \
        qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());           \
        QTemporaryDir dataHome;                                                \
        qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());               \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))                    \
            qputenv("QT_QPA_PLATFORM", "offscreen");                           \
        QApplication app(argc, argv);                                          \
        applyApplicationFont();                                                \
        TestObject testObject;                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                             \
        return QTest::qExec(&testObject, argc, argv);                          \
    }

#endif
