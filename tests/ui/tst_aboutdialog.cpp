#include "markingtranslator.h"
#include "testmain.h"
#include "aboutdialog.h"

#include <QDesktopServices>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QTextBlock>
#include <QTextDocument>
#include <QTranslator>
#include <QVBoxLayout>

namespace {

const QString SiteUrl = QStringLiteral("https://quorvane.example/");

// Records the links the dialog would open instead of starting a browser.
class LinkRecordingDialog : public AboutDialog
{
public:
    QList<QUrl> openedLinks;

protected:
    void openLink(const QUrl &url) override { openedLinks.append(url); }
};


QObject *objectNamed(QWidget &root, const QString &name)
{
    return root.objectName() == name ? &root : root.findChild<QObject *>(name);
}

QString firstAnchorTarget(const QString &html)
{
    QTextDocument document;
    document.setHtml(html);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment) {
            const QTextCharFormat format = fragment.fragment().charFormat();
            if (format.isAnchor())
                return format.anchorHref();
        }
    }
    return {};
}

}

// Takes the place of the desktop's browser for one URL scheme.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls.append(url); }
};

class TestAboutDialog : public QObject
{
    Q_OBJECT

private slots:
    void texts_data();
    void texts();
    void textsComeFromItsOwnCatalogue_data();
    void textsComeFromItsOwnCatalogue();
    void contentBlock();
    void contentStaysPutWhenEnlarged();
    void labels_data();
    void labels();
    void activatedLinkIsOpened();
    void siteLinkReachesTheDesktop();
    void keys_data();
    void keys();
};

void TestAboutDialog::texts_data()
{
    QTest::addColumn<QString>("object");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QString>("source");

    QTest::newRow("title") << "AboutDialog" << QByteArray("windowTitle") << QStringLiteral("关于Quorvane");
    QTest::newRow("logo") << "aboutButton" << QByteArray("text") << QString();
    QTest::newRow("name") << "titleLabel" << QByteArray("text") << QStringLiteral("<h2>Quorvane</h2>");
    QTest::newRow("version") << "versionLabel" << QByteArray("text") << QStringLiteral("版本: 1.0.0.03");
    QTest::newRow("description")
            << "descriptionLabel" << QByteArray("text")
            << QStringLiteral("Quorvane，不仅是强大的工具，更是您思想与知识的延伸。"
                              "\u200B\u200B 开启Quorvane，构建您永不磨损的私人藏馆。");
    QTest::newRow("website") << "websiteLabel" << QByteArray("text")
                             << QStringLiteral("<a href=\"https://quorvane.example/\">访问官方网站</a>");
    QTest::newRow("copyright") << "copyrightLabel" << QByteArray("text")
                               << QStringLiteral("© 2026 Quorvane 团队，保留所有权利。");
}

void TestAboutDialog::texts()
{
    QFETCH(QString, object);
    QFETCH(QByteArray, property);
    QFETCH(QString, source);

    AboutDialog dialog;
    QObject *found = objectNamed(dialog, object);
    QVERIFY2(found, qPrintable(object));
    QCOMPARE(found->property(property).toString(), source);
}

void TestAboutDialog::textsComeFromItsOwnCatalogue_data()
{
    texts_data();
}

void TestAboutDialog::textsComeFromItsOwnCatalogue()
{
    QFETCH(QString, object);
    QFETCH(QByteArray, property);
    QFETCH(QString, source);

    MarkingTranslator translator("AboutDialog");
    QVERIFY(QCoreApplication::installTranslator(&translator));

    AboutDialog dialog;
    QObject *found = objectNamed(dialog, object);
    QVERIFY2(found, qPrintable(object));
    QCOMPARE(found->property(property).toString(), MarkingTranslator::marked(source));
}

void TestAboutDialog::contentBlock()
{
    AboutDialog dialog;
    QCOMPARE(dialog.objectName(), QStringLiteral("AboutDialog"));
    QCOMPARE(dialog.size(), QSize(282, 315));
    QVERIFY(!dialog.layout());

    auto *content = dialog.findChild<QWidget *>("centralWidget");
    QVERIFY(content);
    QCOMPARE(content->parentWidget(), &dialog);
    QCOMPARE(content->geometry(), QRect(0, 0, 281, 315));

    auto *layout = qobject_cast<QVBoxLayout *>(content->layout());
    QVERIFY(layout);
    QCOMPARE(layout->objectName(), QStringLiteral("verticalLayout"));
    QCOMPARE(layout->spacing(), 0);
    QCOMPARE(layout->contentsMargins(), QMargins(15, 15, 15, 15));

    const QStringList order = {"aboutButton", "titleLabel", "versionLabel",
                               "descriptionLabel", "websiteLabel", "copyrightLabel"};
    QCOMPARE(layout->count(), order.size());
    for (int i = 0; i < order.size(); ++i) {
        QWidget *widget = layout->itemAt(i)->widget();
        QVERIFY(widget);
        QCOMPARE(widget->objectName(), order.at(i));
        QCOMPARE(layout->stretch(i), 0);
        QCOMPARE(layout->itemAt(i)->alignment(), Qt::Alignment());
    }

    auto *logo = dialog.findChild<QPushButton *>("aboutButton");
    QVERIFY(logo);
    QCOMPARE(logo->minimumSize(), QSize(80, 80));
    QCOMPARE(logo->maximumSize(), QSize(80, 80));
    QCOMPARE(logo->iconSize(), QSize(60, 60));
    QCOMPARE(logo->styleSheet(), QStringLiteral("background: transparent;"));
}

void TestAboutDialog::contentStaysPutWhenEnlarged()
{
    AboutDialog dialog;
    dialog.resize(500, 600);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    auto *content = dialog.findChild<QWidget *>("centralWidget");
    QVERIFY(content);
    QCOMPARE(content->geometry(), QRect(0, 0, 281, 315));
}

void TestAboutDialog::labels_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("wordWrap");
    QTest::addColumn<bool>("selectable");

    QTest::newRow("titleLabel") << "titleLabel" << false << false;
    QTest::newRow("versionLabel") << "versionLabel" << false << false;
    QTest::newRow("descriptionLabel") << "descriptionLabel" << true << false;
    QTest::newRow("websiteLabel") << "websiteLabel" << false << true;
    QTest::newRow("copyrightLabel") << "copyrightLabel" << false << false;
}

void TestAboutDialog::labels()
{
    QFETCH(QString, label);
    QFETCH(bool, wordWrap);
    QFETCH(bool, selectable);

    AboutDialog dialog;
    auto *found = dialog.findChild<QLabel *>(label);
    QVERIFY2(found, qPrintable(label));
    QCOMPARE(found->alignment(), Qt::AlignLeading | Qt::AlignLeft | Qt::AlignVCenter);
    QCOMPARE(found->wordWrap(), wordWrap);
    QCOMPARE(found->textInteractionFlags().testFlag(Qt::TextSelectableByMouse), selectable);
    QVERIFY(found->textInteractionFlags().testFlag(Qt::LinksAccessibleByMouse));
    // A label that opened links itself would bypass the dialog's own link handling.
    QVERIFY(!found->openExternalLinks());
}

void TestAboutDialog::activatedLinkIsOpened()
{
    LinkRecordingDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *website = dialog.findChild<QLabel *>("websiteLabel");
    QVERIFY(website);

    const QString target = firstAnchorTarget(website->text());
    QCOMPARE(target, SiteUrl);
    emit website->linkActivated(target);

    QCOMPARE(dialog.openedLinks, QList<QUrl>{QUrl(SiteUrl)});
    QVERIFY(dialog.isVisible());
}

void TestAboutDialog::siteLinkReachesTheDesktop()
{
    UrlCatcher browser;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "open");
    const auto unregister = qScopeGuard([] {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    });

    AboutDialog dialog;
    auto *website = dialog.findChild<QLabel *>("websiteLabel");
    QVERIFY(website);
    emit website->linkActivated(SiteUrl);

    QCOMPARE(browser.urls, QList<QUrl>{QUrl(SiteUrl)});
}

void TestAboutDialog::keys_data()
{
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<bool>("closes");

    QTest::newRow("Escape dismisses") << Qt::Key_Escape << true;
    // The logo is the dialog's only button and has nothing connected to it.
    QTest::newRow("Return presses the logo") << Qt::Key_Return << false;
    QTest::newRow("Space presses the logo") << Qt::Key_Space << false;
}

void TestAboutDialog::keys()
{
    QFETCH(Qt::Key, key);
    QFETCH(bool, closes);

    LinkRecordingDialog dialog;
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    auto *logo = dialog.findChild<QPushButton *>("aboutButton");
    QVERIFY(logo);
    QTest::keyClick(logo, key);

    QCOMPARE(dialog.isVisible(), !closes);
    QCOMPARE(rejected.count(), closes ? 1 : 0);
    QCOMPARE(accepted.count(), 0);
    QVERIFY(dialog.openedLinks.isEmpty());
}

LEXORIN_TEST_MAIN(TestAboutDialog)
#include "tst_aboutdialog.moc"
