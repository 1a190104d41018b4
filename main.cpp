#include "mainwindow.h"
#include "startup.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (!loadStyleSheet(app)) {
        QMessageBox::warning(nullptr, QStringLiteral("警告"),
                             QStringLiteral("无法加载样式表，将使用默认外观。\n"
                                            "这可能会影响应用程序的外观，但功能不受影响。"),
                             QMessageBox::Ok, QMessageBox::NoButton);
    }
    applyApplicationFont();

    MainWindow window;
    window.show();
    return app.exec();
}
