#include "startup.h"

#include "readingdefaults.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFont>

namespace {

// CJK sans families that stand in for the reading family where it is not installed,
// best first. Debian's fonts-wqy-microhei provides the first one.
const QStringList CjkSansFamilies = {
    QStringLiteral("WenQuanYi Micro Hei"),
    QStringLiteral("Noto Sans CJK SC"),
    QStringLiteral("Source Han Sans SC"),
    QStringLiteral("Droid Sans Fallback"),
};

// Ideographs beyond the Basic Multilingual Plane (CJK Extension B and later), which
// GB18030 books carry and the CJK sans families above lack. Debian's fonts-babelstone-han
// provides it; it follows them so it only draws what they cannot.
const QString RareIdeographFamily = QStringLiteral("BabelStone Han");

}

bool loadStyleSheet(QApplication &app)
{
    if (!QFile::exists(QStringLiteral(":/"))) {
        qCritical() << "资源系统未初始化！";
        return false;
    }

    const QString path = QStringLiteral(":/qss/default.css");
    qDebug() << "样式文件路径:" << path;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCritical() << "无法打开样式表:" << file.errorString();
        qCritical() << "当前工作目录:" << QDir::currentPath();
        return false;
    }
    const QString styleSheet = QString::fromUtf8(file.readAll());
    file.close();

    if (styleSheet.isEmpty()) {
        qWarning() << "样式表为空！";
        return false;
    }

    app.setStyleSheet(styleSheet);
    qDebug() << "样式表加载成功";
    return true;
}

void applyApplicationFont()
{
    QFont::insertSubstitutions(ReadingDefaults::FontFamily, CjkSansFamilies + QStringList{ RareIdeographFamily });
    QApplication::setFont(QFont(ReadingDefaults::FontFamily, 10));
}
