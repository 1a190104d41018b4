#include "shelfcontextmenu.h"

ShelfContextMenu::ShelfContextMenu(const QString &filePath, const std::optional<FileProber::Facts> &file,
                                   bool lastReadFirst, QWidget *parent)
    : QMenu(parent)
{
    const bool present = !file || file->exists;
    QAction *open = addAction(tr("打开"), this, [this, filePath] { emit openChosen(filePath); });
    open->setEnabled(present);
    addAction(tr("从书架移除"), this, [this, filePath] { emit removeChosen(filePath); });
    QAction *folder = addAction(tr("打开所在文件夹"), this, [this, filePath] { emit showInFolderChosen(filePath); });
    folder->setEnabled((!file || file->folderExists) && !filePath.startsWith(u':'));
    addSeparator();
    addAction(tr("属性"), this, [this, filePath] { emit propertiesChosen(filePath); });
    addSeparator();
    QAction *lastRead = addAction(tr("最近阅读"));
    lastRead->setCheckable(true);
    lastRead->setChecked(lastReadFirst);
    connect(lastRead, &QAction::toggled, this, &ShelfContextMenu::lastReadFirstToggled);
}
