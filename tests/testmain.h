#ifndef TESTMAIN_H
#define TESTMAIN_H

#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include "startup.h"

inline QByteArray desktopScreen(const QString &folder)
{
    QFile config(folder + QStringLiteral("/offscreen-screen.json"));
    if (!config.open(QIODevice::WriteOnly))
        return "offscreen";
    config.write(R"({ "screens": [ { "name": "desktop", "x": 0, "y": 0, "width": 1280,
                      "height": 1024, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1 } ] })");
    return "offscreen:configfile=" + config.fileName().toLocal8Bit();
}

// Runs a Qt Test object inside a QApplication whose settings store and data folder live in
// fresh temporary folders, so that no test reads or writes the real user's settings or
// library. The
// application font is set up as the reader sets it, so text measures as it does there. The
// headless screen is a desktop's, 1280 × 1024 (the platform's own is 800 × 600, smaller than
// the window's first size), so the window opens at the size it has on a reader's desktop.
#define LEXORIN_TEST_MAIN(TestObject)                                          \
    int main(int argc, char *argv[])                                           \
    {                                                                          \
        QTemporaryDir configHome;                                              \
        qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());           \
        QTemporaryDir dataHome;                                                \
        qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());               \
        const QByteArray platform = qgetenv("QT_QPA_PLATFORM");                \
        if (platform.isEmpty() || platform == "offscreen")                     \
            qputenv("QT_QPA_PLATFORM", desktopScreen(configHome.path()));      \
        QApplication app(argc, argv);                                          \
        applyApplicationFont();                                                \
        TestObject testObject;                                                 \
        QTEST_SET_MAIN_SOURCE_PATH                                             \
        return QTest::qExec(&testObject, argc, argv);                          \
    }

#endif
