#include "appearancecontroller.h"

#include "pagewidget.h"
#include "readingsession.h"
#include "settings.h"

#include <QColorDialog>
#include <QFontDialog>

namespace {

constexpr int ZoomStep = 2;

}

AppearanceController::AppearanceController(Settings &settings, PageWidget *pageWidget,
                                           ReadingSession *session, QWidget *dialogParent)
    : QObject(dialogParent)
    , m_settings(settings)
    , m_pageWidget(pageWidget)
    , m_session(session)
    , m_dialogParent(dialogParent)
{
    connect(m_pageWidget, &PageWidget::textAreaResized, this, &AppearanceController::updateFormat);
    connect(m_pageWidget, &PageWidget::typesetStyleChanged, this, &AppearanceController::updateFormat);
}

void AppearanceController::zoomIn()
{
    zoomBy(ZoomStep);
}

void AppearanceController::zoomOut()
{
    zoomBy(-ZoomStep);
}

void AppearanceController::zoomBy(int step)
{
    QFont font = m_settings.readingFont();
    font.setPointSize(Settings::clampedFontSize(font.pointSize() + step));
    applyReadingFont(font);
}

// A font that leaves the pages' font as it was (a zoom step at a limit) has nothing to cut anew.
void AppearanceController::applyReadingFont(const QFont &font)
{
    m_settings.setReadingFont(font);
    m_pageWidget->setTextFont(m_settings.readingFont());
    updateFormat();
}

void AppearanceController::chooseFont()
{
    bool accepted = false;
    const QFont font = QFontDialog::getFont(&accepted, m_settings.readingFont(), m_dialogParent, tr("选择字体"));
    if (accepted)
        applyReadingFont(font);
}

void AppearanceController::chooseTextColor()
{
    const QColor color = QColorDialog::getColor(m_settings.textColor(), m_dialogParent, tr("选择文字颜色"));
    if (!color.isValid())
        return;
    m_settings.setTextColor(color);
    m_pageWidget->setTextColor(color);
}

void AppearanceController::chooseBackgroundColor()
{
    const QColor color = QColorDialog::getColor(m_settings.backgroundColor(), m_dialogParent, tr("选择背景颜色"));
    if (!color.isValid())
        return;
    m_settings.setBackgroundColor(color);
    m_pageWidget->setBackgroundColor(color);
}

void AppearanceController::setChaptersStartPages(bool on)
{
    m_chaptersStartPages = on;
    m_pageWidget->setChaptersStartPages(on);
    updateFormat();
}

void AppearanceController::applyStored()
{
    m_pageWidget->setBackgroundColor(m_settings.backgroundColor());
    m_pageWidget->setTextColor(m_settings.textColor());
    m_pageWidget->setTextFont(m_settings.readingFont());
    updateFormat();
}

PageFormat AppearanceController::pageFormat() const
{
    return { m_pageWidget->textFont(), m_pageWidget->textArea().size(), m_chaptersStartPages,
             m_pageWidget->typesetStyle() };
}

void AppearanceController::updateFormat()
{
    m_session->setFormat(pageFormat());
}
