#pragma once

#include <QListView>

class LineHeightDelegate;
class RecipientList;

// The recipient list on screen: one line per recipient line with its check box, single
// selection, lines of one height. The selection lives in the RecipientList: changes made
// by the program are mirrored silently, the user's own (a click, also on the line already
// selected, a click on a check box, the arrow and page keys) are reported by userSelected.
// The horizontal scroll range comes from the few longest lines only, never from measuring
// every line, so that a million lines load without delay.
class CheckListView : public QListView
{
    Q_OBJECT
public:
    explicit CheckListView(QWidget *parent = nullptr);

    void setRecipientList(RecipientList *list);
    RecipientList *recipientList() const { return m_list; }

    // The width given to every line (text, check box and margins).
    int lineWidth() const;

    static constexpr int LineHeight = 13;
    // How many of the longest lines (in characters) are measured for the scroll range.
    static constexpr int MeasuredLines = 16;

signals:
    // The user selected this line.
    void userSelected(int row);
    void lineDoubleClicked(int row);
    // A character typed while the list has the focus (Backspace as character 8); Space
    // has first toggled the mark of the selected line.
    void characterTyped(QChar character);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyboardSearch(const QString &search) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    void mirrorSelection(qsizetype row);
    void updateLineWidth();

    RecipientList *m_list = nullptr;
    LineHeightDelegate *m_delegate;
    bool m_mirroring = false;
};
