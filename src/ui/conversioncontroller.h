#ifndef CONVERSIONCONTROLLER_H
#define CONVERSIONCONTROLLER_H

#include "chapterdetector.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class ConversionMenu;
class Library;
class PageWidget;
class ReadingSession;
class ScriptConverter;
class Settings;

// Shows the book in the script the reader chose, for every book or for the book on show
// alone. The book's text stays as the file has it — places, bookmarks, headings and search
// all keep working on it — and what is shown is converted on its way to the screen: the page
// on show, the chapter titles and the search results. What the reader types to search for is
// turned back into the book's own script, so a word is found whichever script it is typed in.
class ConversionController : public QObject
{
    Q_OBJECT

public:
    ConversionController(Settings &settings, Library *library, ReadingSession *session,
                         PageWidget *pageWidget, QObject *parent = nullptr);
    ~ConversionController() override;

    // The main menu's submenu of conversions; the caller places it.
    ConversionMenu *menu() const { return m_menu; }

    // Sets the conversion for the book on show where it keeps its own, else for every book.
    void choose(const QString &key);
    // Gives the book on show a choice of its own, the one in effect, or makes it follow the
    // choice for every book again.
    void setOnlyThisBook(bool on);
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
    void showBook(const QString &path);
    QString inEffect() const;
    void apply();

    Settings &m_settings;
    Library *m_library;
    PageWidget *m_pageWidget;
    ConversionMenu *m_menu;
    QString m_book;
    QString m_bookConversion; // the book's own choice, or empty
    std::shared_ptr<const ScriptConverter> m_shown;
    std::unique_ptr<const ScriptConverter> m_back;
};

#endif
