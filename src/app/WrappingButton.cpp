#include "WrappingButton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

WrappingButton::WrappingButton(QWidget *parent) : QPushButton(parent)
{
    setAutoDefault(false);
}

void WrappingButton::setImageMargin(int margin)
{
    m_imageMargin = margin;
    update();
}

QSize WrappingButton::sizeHint() const
{
    return QSize(m_imageMargin + iconSize().width() + 8 + fontMetrics().horizontalAdvance(text().section(u'\n', 0, 0)),
                 qMax(iconSize().height(), fontMetrics().height()) + 12);
}

QSize WrappingButton::minimumSizeHint() const
{
    return QSize(m_imageMargin + iconSize().width() + 16, iconSize().height() + 8);
}

QRect WrappingButton::captionRect() const
{
    const int left = icon().isNull() ? 4 : m_imageMargin + iconSize().width() + 6;
    return rect().adjusted(left, 3, -4, -3);
}

void WrappingButton::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    if (!icon().isNull()) {
        const QSize size = iconSize();
        const QRect image(m_imageMargin, (height() - size.height()) / 2, size.width(), size.height());
        icon().paint(&painter, image, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    }
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    QString caption = text();
    caption.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    painter.drawText(captionRect(), Qt::AlignCenter | Qt::TextWordWrap, caption);
}

void WrappingButton::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QPushButton::keyPressEvent(event);
}
