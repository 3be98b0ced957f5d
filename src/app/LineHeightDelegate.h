#pragma once

#include <QStyledItemDelegate>

// Draws list lines at one fixed height; the width of a line is its text's, or a fixed width
// when one is given (so that a view with uniform item sizes gets its scroll range from it).
// Only the first PaintedChars characters of a line are drawn: laying out a line of a million
// characters takes a second at every repaint, and nobody reads that far to the right.
class LineHeightDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    LineHeightDelegate(int lineHeight, QObject *parent);

    void setFixedWidth(int width) { m_fixedWidth = width; }
    int fixedWidth() const { return m_fixedWidth; }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    static constexpr qsizetype PaintedChars = 10'000;
    // The part of text that is drawn.
    static QStringView paintedPart(QStringView text);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    int m_lineHeight;
    int m_fixedWidth = -1;
};
