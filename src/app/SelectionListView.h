#pragma once

#include <QListView>
#include <optional>

class ListSelection;
class QKeyEvent;
class SelectionMirror;

// A list view over a model that keeps its own selection (a ListSelection): the view only shows
// it (through a SelectionMirror), its keyboard search is off, since it would move the current
// row by itself, and the navigation keys are read as the row they move to, for the user's
// choice, counted from the selected row.
class SelectionListView : public QListView
{
    Q_OBJECT
public:
    using QListView::QListView;

    // Shows this selection of the view's model; call it once the model is set.
    void showSelection(ListSelection &selection);

    // The accessibility actions on a line, taking the path of the mouse: pressing a line
    // chooses it as a click on it does (by default: linePressed, for the list's owner);
    // toggling a line's box does what a click on the box does (nothing in a list without boxes).
    virtual void pressLine(int row);
    virtual void toggleLine(int row);

signals:
    void linePressed(int row);

protected:
    // For Up and Left (a line up), Down and Right (a line down), Page Up, Page Down, Home and
    // End, without Ctrl, Alt or Meta: the row the key moves to from the current one (-1 when
    // there is none). No value for any other key.
    std::optional<int> navigationTarget(const QKeyEvent &event);

    void keyboardSearch(const QString &search) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    SelectionMirror *m_mirror = nullptr;
};
