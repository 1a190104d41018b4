#ifndef READINGDEFAULTS_H
#define READINGDEFAULTS_H

#include <QColor>
#include <QString>

// What the reader sees before choosing anything: the interface language, the reading font
// and the page's colours. The store, the page, the day theme and the start-up's font
// substitutions all start from these.
namespace ReadingDefaults {

inline const QString Language = QStringLiteral("zh_CN");
// Absent on most systems but Windows; start-up maps it to an installed CJK family.
inline const QString FontFamily = QStringLiteral("Microsoft YaHei");
constexpr int FontSize = 14;
inline const QColor PageColor{ 250, 245, 235 };
inline const QColor TextColor{ Qt::black };

}

#endif
