#include "appearancecontroller.h"

#include "fontchooser.h"
#include "pagewidget.h"
#include "readingsession.h"
#include "settings.h"

#include <QColorDialog>
#include <QTimer>

namespace {

constexpr int ZoomStep = 2;
// A window dragged larger resizes the page many times a second; the book is cut for the
// first size and then once for where the drag settles.
constexpr int ResizeSettleMs = 150;

}

AppearanceController::AppearanceController(Settings &settings, PageWidget *pageWidget,
                                           ReadingSession *session, QWidget *dialogParent)
    : QObject(dialogParent)
    , m_settings(settings)
    , m_pageWidget(pageWidget)
    , m_session(session)
    , m_dialogParent(dialogParent)
    , m_resizeSettling(new QTimer(this))
{
    m_resizeSettling->setSingleShot(true);
    m_resizeSettling->setInterval(ResizeSettleMs);
    connect(m_resizeSettling, &QTimer::timeout, this, [this] {
        if (std::exchange(m_resizedWhileSettling, false))
            updateFormat();
    });
    connect(m_pageWidget, &PageWidget::textAreaResized, this, &AppearanceController::followTextArea);
    connect(m_pageWidget, &PageWidget::typesetStyleChanged, this, &AppearanceController::updateFormat);
}

void AppearanceController::followTextArea()
{
    if (m_resizeSettling->isActive()) {
        m_resizedWhileSettling = true;
    } else {
        updateFormat();
    }
    m_resizeSettling->start();
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
    font.setPointSize(Settings::zoomedFontSize(m_settings.zoomSize(), step));
    applyReadingFont(font);
}

// A font that leaves the pages' font as it was (a zoom step at a limit) has nothing to cut anew.
void AppearanceController::applyReadingFont(const QFont &font)
{
    m_settings.setReadingFont(font);
    m_pageWidget->setTextFont(m_settings.readingFont());
    m_pageWidget->setChaptersStartPages(m_settings.chaptersStartPages());
    updateFormat();
}

void AppearanceController::chooseFont()
{
    if (const std::optional<QFont> font = FontChooser::choose(m_settings.readingFont(), m_dialogParent))
        applyReadingFont(*font);
}

// The pickers start from the colours on show, which a theme may have set; the colour not
// picked is kept as shown.
void AppearanceController::chooseTextColor()
{
    const QColor color = QColorDialog::getColor(m_pageWidget->textColor(), m_dialogParent, tr("选择文字颜色"));
    if (!color.isValid())
        return;
    m_pageWidget->setTextColor(color);
    storePageColors();
}

void AppearanceController::chooseBackgroundColor()
{
    const QColor color = QColorDialog::getColor(m_pageWidget->backgroundColor(), m_dialogParent, tr("选择背景颜色"));
    if (!color.isValid())
        return;
    m_pageWidget->setBackgroundColor(color);
    storePageColors();
}

void AppearanceController::storePageColors()
{
    m_settings.setTextColor(m_pageWidget->textColor());
    m_settings.setBackgroundColor(m_pageWidget->backgroundColor());
    emit pageColorsChosen();
}

void AppearanceController::setChaptersStartPages(bool on)
{
    m_settings.setChaptersStartPages(on);
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
    return { m_pageWidget->textFont(), m_pageWidget->textArea().size(), m_settings.chaptersStartPages(),
             m_pageWidget->typesetStyle() };
}

void AppearanceController::updateFormat()
{
    m_session->setFormat(pageFormat());
}
