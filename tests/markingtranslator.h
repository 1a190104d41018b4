#ifndef MARKINGTRANSLATOR_H
#define MARKINGTRANSLATOR_H

#include <QString>
#include <QTranslator>

// Stands in for a real catalogue: it marks every text of one context and answers nothing
// for others, so a test sees which texts went through the translation of that context.
class MarkingTranslator : public QTranslator
{
public:
    explicit MarkingTranslator(const char *context) : m_context(context) { }

    static QString marked(const QString &source)
    {
        return source.isEmpty() ? source : QStringLiteral("[en] ") + source;
    }

    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, m_context) != 0)
            return {};
        return marked(QString::fromUtf8(sourceText));
    }

    bool isEmpty() const override { return false; }

private:
    const char *m_context;
};

#endif
