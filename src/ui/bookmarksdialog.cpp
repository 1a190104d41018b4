#include "bookmarksdialog.h"
#include "ui_bookmarksdialog.h"

#include "localdates.h"

#include <QPushButton>

namespace {

enum Role { IdRole = Qt::UserRole, PlaceRole };

}

BookmarksDialog::BookmarksDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::BookmarksDialog)
{
    ui->setupUi(this);
    connect(ui->goButton, &QPushButton::clicked, this, &BookmarksDialog::goToSelected);
    connect(ui->removeButton, &QPushButton::clicked, this, &BookmarksDialog::removeSelected);
    connect(ui->bookmarkList, &QTreeWidget::itemActivated, this, &BookmarksDialog::goToSelected);
    connect(ui->bookmarkList, &QTreeWidget::itemSelectionChanged, this, &BookmarksDialog::updateButtons);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateButtons();
}

BookmarksDialog::~BookmarksDialog()
{
    delete ui;
}

void BookmarksDialog::setBookmarks(const QList<Bookmark> &bookmarks,
                                   const std::function<int(qint64)> &pageOf)
{
    ui->bookmarkList->clear();
    for (const Bookmark &bookmark : bookmarks) {
        auto *item = new QTreeWidgetItem(ui->bookmarkList);
        item->setText(0, bookmark.snippet);
        item->setText(1, QString::number(pageOf(bookmark.place)));
        item->setText(2, LocalDates::shortDateTime(bookmark.createdAt));
        item->setData(0, IdRole, bookmark.id);
        item->setData(0, PlaceRole, bookmark.place);
    }
    ui->bookmarkList->resizeColumnToContents(1);
    if (!bookmarks.isEmpty())
        ui->bookmarkList->setCurrentItem(ui->bookmarkList->topLevelItem(0));
    updateButtons();
}

int BookmarksDialog::count() const
{
    return ui->bookmarkList->topLevelItemCount();
}

void BookmarksDialog::goToSelected()
{
    if (const QTreeWidgetItem *item = ui->bookmarkList->currentItem()) {
        emit bookmarkChosen(item->data(0, PlaceRole).toLongLong());
        accept();
    }
}

void BookmarksDialog::removeSelected()
{
    if (QTreeWidgetItem *item = ui->bookmarkList->currentItem()) {
        emit bookmarkRemoved(item->data(0, IdRole).toLongLong());
        delete item;
        updateButtons();
    }
}

void BookmarksDialog::updateButtons()
{
    const bool chosen = ui->bookmarkList->currentItem() != nullptr;
    ui->goButton->setEnabled(chosen);
    ui->removeButton->setEnabled(chosen);
}
