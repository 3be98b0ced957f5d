#pragma once

#include "SelectionListView.h"

class LineHeightDelegate;
class RecipientList;

// The recipient list on screen: one line per recipient line with its check box, single
// selection, lines of one height. The selection lives in the RecipientList and is only shown
// here; the user's own choices (a click, also on the line already selected, a click on a check
// box, the arrow, Page and Home/End keys) go to it as choices. Left and Right move as Up and
// Down do. Every other typed character, control characters typed with Ctrl included, is
// reported by characterTyped for typing in the list; Tab, Enter and Escape are not.
// The horizontal scroll range comes from the few longest lines only, never from measuring
// every line, so that a million lines load without delay.
class CheckListView : public SelectionListView
{
    Q_OBJECT
public:
    explicit CheckListView(QWidget *parent = nullptr);

    void setRecipientList(RecipientList *list);

    // A line chosen, as by a click on its text; its mark toggled, as by a click on its box
    // (which chooses the line too).
    void pressLine(int row) override;
    void toggleLine(int row) override;

    // The width given to every line (text, check box and margins).
    int lineWidth() const;

    static constexpr int LineHeight = 13;
    // How many of the longest lines (in characters) are measured for the scroll range.
    static constexpr int MeasuredLines = 16;

signals:
    void lineDoubleClicked(int row);
    // A character typed while the list has the focus (Backspace as character 8); Space
    // has first toggled the mark of the selected line.
    void characterTyped(QChar character);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void updateLineWidth();

    RecipientList *m_list = nullptr;
    LineHeightDelegate *m_delegate;
};
