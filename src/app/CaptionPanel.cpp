#include "CaptionPanel.h"

#include "WindowLook.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

CaptionPanel::CaptionPanel(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_StyledBackground);
    updateMargins();
}

void CaptionPanel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    update(captionBarRect());
    // The caption is the panel's name for a screen reader, unless it was given its own.
    if (accessibleName().isEmpty()) {
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

void CaptionPanel::setCaptionColor(const QColor &color)
{
    m_color = color;
    update();
}

void CaptionPanel::setCaptionOnRight(bool onRight)
{
    m_onRight = onRight;
    updateMargins();
    update();
}

void CaptionPanel::setThinLook(bool thin)
{
    m_thin = thin;
    updateMargins();
    update();
}

void CaptionPanel::setRestoreButton(bool shown)
{
    m_buttons.removeAll(ButtonKind::Restore);
    if (shown)
        m_buttons.append(ButtonKind::Restore);
    update();
}

void CaptionPanel::setButtons(const QList<ButtonKind> &buttons)
{
    m_buttons = buttons;
    update();
}

void CaptionPanel::setButtonName(ButtonKind kind, const QString &name)
{
    m_buttonNames.insert(kind, name);
}

void CaptionPanel::clickButton(ButtonKind kind)
{
    if (m_buttons.contains(kind))
        emit buttonClicked(kind);
}

int CaptionPanel::barThickness() const
{
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    return m_thin ? titleBar - 4 : titleBar;
}

int CaptionPanel::barInset() const
{
    // A single-line border, then the bar 2 pixels in from the edge (flush when thin).
    return m_thin ? 1 : 3;
}

void CaptionPanel::updateMargins()
{
    const int border = 1;
    const int bar = barInset() + barThickness();
    if (m_onRight)
        setContentsMargins(border, border, bar, border);
    else
        setContentsMargins(border, bar, border, border);
}

void CaptionPanel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::StyleChange)
        updateMargins();
    QWidget::changeEvent(event);
}

QRect CaptionPanel::captionBarRect() const
{
    const int inset = barInset();
    const int thickness = barThickness();
    if (m_onRight)
        return QRect(width() - inset - thickness, inset, thickness, height() - 2 * inset);
    return QRect(inset, inset, width() - 2 * inset, thickness);
}

QRect CaptionPanel::buttonRect(ButtonKind kind) const
{
    const int position = int(m_buttons.indexOf(kind));
    if (position < 0)
        return QRect();
    const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    const int w = titleBar - 3;
    const int h = w - 2;
    const QRect bar = captionBarRect();
    // Buttons sit at the bar's end: the right end of a top bar, the bottom of a right bar.
    if (m_onRight) {
        const int bottom = bar.bottom() - 2 - position * (h + 2);
        return QRect(bar.left() + (bar.width() - w) / 2, bottom - h + 1, w, h);
    }
    const int right = bar.right() - 2 - position * (w + 2);
    return QRect(right - w + 1, bar.top() + (bar.height() - h) / 2, w, h);
}

QRect CaptionPanel::captionTextRect() const
{
    const QRect bar = captionBarRect();
    const int length = m_onRight ? bar.height() : bar.width();
    // The room left before the first button at the bar's end.
    int room = length;
    for (ButtonKind kind : m_buttons) {
        const QRect r = buttonRect(kind);
        room = qMin(room, m_onRight ? r.top() - bar.top() : r.left() - bar.left());
    }
    room -= 2;
    // 8 pixels from the bar's start, or fewer when the caption would run under the buttons;
    // the caption is never cut.
    const int advance = QFontMetrics(WindowFont(13, true)).horizontalAdvance(m_caption);
    const int start = qBound(2, room - advance, 8);
    if (m_onRight)
        return QRect(bar.left(), bar.top() + start, bar.width(), advance);
    return QRect(bar.left() + start, bar.top(), advance, bar.height());
}

int CaptionPanel::buttonAt(const QPoint &pos) const
{
    for (int i = 0; i < m_buttons.size(); ++i)
        if (buttonRect(m_buttons.at(i)).contains(pos))
            return i;
    return -1;
}

static QStyle::StandardPixmap glyphOf(CaptionPanel::ButtonKind kind)
{
    switch (kind) {
    case CaptionPanel::ButtonKind::Close:
        return QStyle::SP_TitleBarCloseButton;
    case CaptionPanel::ButtonKind::Maximise:
        return QStyle::SP_TitleBarMaxButton;
    case CaptionPanel::ButtonKind::Minimise:
        return QStyle::SP_TitleBarMinButton;
    case CaptionPanel::ButtonKind::Restore:
        return QStyle::SP_TitleBarNormalButton;
    case CaptionPanel::ButtonKind::Help:
        return QStyle::SP_TitleBarContextHelpButton;
    }
    return QStyle::SP_TitleBarNormalButton;
}

void CaptionPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);

    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    const QRect bar = captionBarRect();
    painter.fillRect(bar, m_color.isValid() ? m_color : palette().color(QPalette::Active, QPalette::Highlight));

    painter.setFont(WindowFont(13, true));
    painter.setPen(Qt::white);
    const QRect text = captionTextRect();
    painter.setClipRect(bar); // a caption longer than its bar ends with the bar
    if (m_onRight) {
        // Turned a quarter turn clockwise: read from top to bottom.
        painter.save();
        painter.translate(bar.right() + 1, bar.top());
        painter.rotate(90);
        const QRect run(text.top() - bar.top(), 0, text.height(), bar.width());
        painter.drawText(run, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip, m_caption);
        painter.restore();
    } else {
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextDontClip, m_caption);
    }
    painter.setClipping(false);

    for (int i = 0; i < m_buttons.size(); ++i) {
        const QRect r = buttonRect(m_buttons.at(i));
        QStyleOptionButton buttonOption;
        buttonOption.initFrom(this);
        buttonOption.rect = r;
        buttonOption.state |= (i == m_pressedButton) ? QStyle::State_Sunken : QStyle::State_Raised;
        style()->drawPrimitive(QStyle::PE_PanelButtonTool, &buttonOption, &painter, this);
        const QIcon glyph = style()->standardIcon(glyphOf(m_buttons.at(i)), nullptr, this);
        const int side = qMin(r.width(), r.height()) - 2;
        glyph.paint(&painter, QRect(r.center().x() - side / 2, r.center().y() - side / 2, side, side));
    }
}

void CaptionPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_pressedButton = buttonAt(event->position().toPoint());
        if (m_pressedButton >= 0) {
            update(captionBarRect());
            return;
        }
    }
    QWidget::mousePressEvent(event);
}

void CaptionPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const int pressed = m_pressedButton;
    m_pressedButton = -1;
    if (pressed >= 0 && event->button() == Qt::LeftButton) {
        update(captionBarRect());
        if (buttonAt(event->position().toPoint()) == pressed)
            emit buttonClicked(m_buttons.at(pressed));
        return;
    }
    QWidget::mouseReleaseEvent(event);
}
