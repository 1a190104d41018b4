#ifndef WINDOWDRIVER_H
#define WINDOWDRIVER_H

#include "librarydatabase.h"
#include "mainwindow.h"
#include "pagewidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QTimer>
#include <QtTest>
#include <QtTest/qtestspontaneevent.h>

#include <functional>

// Helpers that drive the main window as a reader would, for the tests that need a window.
namespace WindowDriver {

inline QSettings store()
{
    return QSettings(QStringLiteral("Bookshelf"), QStringLiteral("Lexorin"));
}

// Forgets the settings and the library a window before left, as on a first start.
inline void startAfresh()
{
    store().clear();
    QDir(LibraryDatabase::defaultFolder()).removeRecursively();
}

template<typename T = QWidget>
T *child(const QWidget &window, const char *name)
{
    return window.findChild<T *>(QLatin1String(name));
}

inline QString pageLabel(const QWidget &window)
{
    return child<QLabel>(window, "m_pageLabel")->text();
}

inline QString bookName(const QWidget &window)
{
    return child<QLabel>(window, "bookName")->text();
}

// The header names the book, then the chapter on show once the chapters are found; tests
// that only care which book is open read the first part, whenever they look.
inline QString bookOnShow(const QWidget &window)
{
    return bookName(window).section(QStringLiteral(" · "), 0, 0);
}

inline PageWidget *pageWidget(const QWidget &window)
{
    return window.findChild<PageWidget *>();
}

// Runs an action on the next modal dialog as soon as it is shown; the dialogs run their
// own event loops, so the action must be armed before the call that opens one.
inline void onNextModal(std::function<void(QWidget *)> action)
{
    auto *timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        action(modal);
    });
    timer->start();
}

// Answers the next message box with a button and records its title and text.
inline void answerNextMessageBox(QMessageBox::StandardButton button, QString *title = nullptr,
                                 QString *text = nullptr)
{
    onNextModal([=](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        if (title)
            *title = box->windowTitle();
        if (text)
            *text = box->text();
        box->button(button)->click();
    });
}

// A wheel step as the platform delivers it: when the widget under the pointer ignores it, its
// parents are offered it in turn.
inline void wheelOver(QWidget *receiver, const QPoint &delta,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const QPointF position = QRectF(receiver->rect()).center();
    QWheelEvent event(position, receiver->mapToGlobal(position), QPoint(), delta, Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(receiver, &event);
}

inline void waitForTurns(const QWidget &window)
{
    QTRY_VERIFY_WITH_TIMEOUT(!pageWidget(window)->isTurning(), 10000);
}

}

#endif
