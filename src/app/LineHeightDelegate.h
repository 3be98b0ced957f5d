#pragma once

#include <QStyledItemDelegate>

// Draws list lines at one fixed height; the width of a line is its text's, or a fixed width
// when one is given (so that a view with uniform item sizes gets its scroll range from it).
class LineHeightDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    LineHeightDelegate(int lineHeight, QObject *parent);

    void setFixedWidth(int width) { m_fixedWidth = width; }
    int fixedWidth() const { return m_fixedWidth; }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int m_lineHeight;
    int m_fixedWidth = -1;
};
