#ifndef ABOUTDIALOG_H
#define ABOUTDIALOG_H

#include <QDialog>

#include <memory>

class QUrl;

namespace Ui {
class AboutDialog;
}

// The modal About box: logo, name, version, a line about the program and its web site.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);
    ~AboutDialog() override;

protected:
    // Every activated link of the dialog goes through here, so that a subclass (a
    // test) can see where it leads without a browser opening.
    virtual void openLink(const QUrl &url);

private:
    const std::unique_ptr<Ui::AboutDialog> ui;
};

#endif
