#include "contentscommand.h"
#include "mainwindow.h"
#include "signalwatcher.h"
#include "singleinstance.h"
#include "startup.h"
#include "version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QMessageBox>

#include <csignal>
#include <cstdio>

namespace {

// Unknown options are reported and passed over: a desktop or a script that adds one still
// gets its book opened.
QStringList booksFromCommandLine(QCommandLineParser &parser, const QApplication &app)
{
    parser.setApplicationDescription(QStringLiteral("Lexorin, a reader for plain-text books."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOption({ QString::fromLatin1(ContentsCommand::Option).mid(2),
                       QStringLiteral("Print the contents of a book and exit."), QStringLiteral("file") });
    parser.addPositionalArgument(QStringLiteral("book"), QStringLiteral("A text file to open."),
                                 QStringLiteral("[book]"));
    if (!parser.parse(app.arguments()))
        std::fprintf(stderr, "lexorin: %s\n", qPrintable(parser.errorText()));
    if (parser.isSet(help))
        parser.showHelp();
    if (parser.isSet(version))
        parser.showVersion();
    QStringList books;
    for (const QString &argument : parser.positionalArguments())
        books.append(QFileInfo(argument).absoluteFilePath());
    return books;
}

}

int main(int argc, char *argv[])
{
    if (ContentsCommand::isRequested(argc, argv)) {
        const QCoreApplication app(argc, argv);
        return ContentsCommand::run(QCoreApplication::arguments());
    }
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral(LEXORIN_VERSION));

    QCommandLineParser parser;
    const QStringList books = booksFromCommandLine(parser, app);
    SingleInstance instance;
    switch (instance.start(books)) {
    case SingleInstance::Outcome::HandedOver:
        return 0;
    case SingleInstance::Outcome::Unreachable:
        std::fprintf(stderr, "lexorin: %s\n", qPrintable(SingleInstance::unreachableMessage()));
        QMessageBox::warning(nullptr, QStringLiteral("Lexorin"), SingleInstance::unreachableMessage());
        return 1;
    case SingleInstance::Outcome::Running:
        break;
    }

    if (!loadStyleSheet(app)) {
        QMessageBox::warning(nullptr, QStringLiteral("警告"),
                             QStringLiteral("无法加载样式表，将使用默认外观。\n"
                                            "这可能会影响应用程序的外观，但功能不受影响。"),
                             QMessageBox::Ok, QMessageBox::NoButton);
    }
    applyApplicationFont();

    MainWindow window;
    for (const QString &book : books) {
        if (!QFileInfo::exists(book))
            std::fprintf(stderr, "lexorin: %s: no such file\n", qPrintable(book));
    }
    if (!books.isEmpty())
        window.openAtStart(books.first());
    QObject::connect(&instance, &SingleInstance::booksHandedOver, &window, [&window](const QStringList &handed) {
        window.openFromOutside(handed.value(0));
    });
    // Logout, kill and Ctrl+C end the reader as its close button does, so the place not yet
    // written and the window's state are saved.
    SignalWatcher endSignals({ SIGTERM, SIGHUP, SIGINT });
    QObject::connect(&endSignals, &SignalWatcher::received, &window, [&window] {
        window.close();
        QCoreApplication::quit();
    });
    window.show();
    return app.exec();
}
