#ifndef CONVERSIONCONTROLLER_H
#define CONVERSIONCONTROLLER_H

#include "chapterdetector.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class ConversionMenu;
class PageWidget;
class ScriptConverter;
class Settings;

// Shows the book in the script the reader chose. The book's text stays as the file has it —
// places, bookmarks, headings and search all keep working on it — and what is shown is
// converted on its way to the screen: the page on show and the chapter titles. What the
// reader types to search for is turned back into the book's own script, so a word is found
// whichever of the two scripts it is typed in.
class ConversionController : public QObject
{
    Q_OBJECT

public:
    ConversionController(Settings &settings, PageWidget *pageWidget, QObject *parent = nullptr);
    ~ConversionController() override;

    // The main menu's submenu of conversions; the caller places it.
    ConversionMenu *menu() const { return m_menu; }

    void choose(const QString &key);
    // Shows the stored choice, as at start and after a reset.
    void applyStored();

    std::shared_ptr<const ScriptConverter> shownScript() const { return m_shown; }
    // The reader's search text in the book's own script.
    QString toBookScript(const QString &text) const;
    QString shown(const QString &text) const;
    std::vector<Chapter> shownChapters(std::vector<Chapter> chapters) const;

signals:
    // The titles on show are to be converted anew.
    void conversionChanged();

private:
    void apply(const QString &key);

    Settings &m_settings;
    PageWidget *m_pageWidget;
    ConversionMenu *m_menu;
    std::shared_ptr<const ScriptConverter> m_shown;
    std::unique_ptr<const ScriptConverter> m_back;
};

#endif
