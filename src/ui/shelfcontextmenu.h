#ifndef SHELFCONTEXTMENU_H
#define SHELFCONTEXTMENU_H

#include "fileprober.h"

#include <QMenu>
#include <QString>

#include <optional>

// What can be done with one book on the shelf. The menu names the book's path with each
// choice, so it can be shown and forgotten. Which choices are open follows what was last
// known of the book's file; while nothing is known, all are.
class ShelfContextMenu : public QMenu
{
    Q_OBJECT

public:
    // lastReadFirst: whether the shelf is shown most recently read first.
    ShelfContextMenu(const QString &filePath, const std::optional<FileProber::Facts> &file,
                     bool lastReadFirst, QWidget *parent = nullptr);

signals:
    void openChosen(const QString &filePath);
    void removeChosen(const QString &filePath);
    void showInFolderChosen(const QString &filePath);
    void propertiesChosen(const QString &filePath);
    void lastReadFirstToggled(bool on);
};

#endif
