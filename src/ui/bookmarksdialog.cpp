#include "bookmarksdialog.h"
#include "ui_bookmarksdialog.h"

#include "localdates.h"

#include <QHeaderView>
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
                                   const std::function<Row(const Bookmark &)> &rowOf)
{
    ui->bookmarkList->clear();
    for (const Bookmark &bookmark : bookmarks) {
        const Row row = rowOf(bookmark);
        auto *item = new QTreeWidgetItem(ui->bookmarkList);
        item->setText(0, row.chapter.isEmpty() ? row.text : tr("【%1】%2").arg(row.chapter, row.text));
        item->setToolTip(0, item->text(0));
        item->setText(1, QString::number(row.page));
        item->setText(2, LocalDates::shortDateTime(bookmark.createdAt));
        item->setData(0, IdRole, bookmark.id);
        item->setData(0, PlaceRole, bookmark.place);
    }
    // The text column is as wide as its rows, so the chapter and the words around the place
    // show whole; the dialog grows to hold it.
    for (int column = 0; column < ui->bookmarkList->columnCount(); ++column)
        ui->bookmarkList->resizeColumnToContents(column);
    const int listWidth = ui->bookmarkList->header()->length() + ui->bookmarkList->frameWidth() * 2;
    resize(qMax(width(), listWidth + layout()->contentsMargins().left() + layout()->contentsMargins().right()),
           height());
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
