#include "LineHeightDelegate.h"

LineHeightDelegate::LineHeightDelegate(int lineHeight, QObject *parent)
    : QStyledItemDelegate(parent), m_lineHeight(lineHeight)
{
}

QSize LineHeightDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    if (m_fixedWidth >= 0)
        return QSize(m_fixedWidth, m_lineHeight);
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), m_lineHeight);
}
