#ifndef HEADINGNUMBERS_H
#define HEADINGNUMBERS_H

#include <QList>
#include <QStringView>

// The numbers headings are counted in, whatever numerals they are written with: Western digits
// (120), full-width ones (１２０) and Chinese numerals, counted (一百二十) or digit by digit
// (一二〇).
class HeadingNumbers
{
public:
    // The value of a text that is one number and nothing else, or -1.
    static int valueOf(QStringView number);
    // The values of every number in a text, in order.
    static QList<int> numbersIn(QStringView text);
    // The value of a run of Chinese numerals.
    static int chineseValue(QStringView numerals);

    static bool isDigit(QChar c);
    static bool isChineseNumeral(QChar c);
};

#endif
