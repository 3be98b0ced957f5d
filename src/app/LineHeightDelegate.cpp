#include "LineHeightDelegate.h"

LineHeightDelegate::LineHeightDelegate(int lineHeight, QObject *parent)
    : QStyledItemDelegate(parent),
      m_lineHeight(lineHeight)
{}

QSize LineHeightDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (m_fixedWidth >= 0)
        return QSize(m_fixedWidth, m_lineHeight);
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), m_lineHeight);
}

QStringView LineHeightDelegate::paintedPart(QStringView text)
{
    if (text.size() <= PaintedChars)
        return text;
    QStringView part = text.first(PaintedChars);
    if (part.back().isHighSurrogate())
        part.chop(1); // never half a character
    return part;
}

void LineHeightDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // The rows are lower than the font's full height: hang the text from the top so that
    // capital accents (É, À) stay inside the row instead of being cut off.
    option->displayAlignment = Qt::AlignLeft | Qt::AlignTop;
    if (option->text.size() > PaintedChars)
        option->text = paintedPart(option->text).toString();
}
