#include "mainwindow.h"
#include "startup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QMessageBox>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.03"));
    if (!loadStyleSheet(app)) {
        QMessageBox::warning(nullptr, QStringLiteral("警告"),
                             QStringLiteral("无法加载样式表，将使用默认外观。\n"
                                            "这可能会影响应用程序的外观，但功能不受影响。"),
                             QMessageBox::Ok, QMessageBox::NoButton);
    }
    applyApplicationFont();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Lexorin, a reader for plain-text books."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("book"), QStringLiteral("A text file to open."),
                                 QStringLiteral("[book]"));
    parser.process(app);

    MainWindow window;
    if (!parser.positionalArguments().isEmpty())
        window.openAtStart(QFileInfo(parser.positionalArguments().first()).absoluteFilePath());
    window.show();
    return app.exec();
}
