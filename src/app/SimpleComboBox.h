#pragma once

#include <QWidget>

class QLineEdit;
class QListView;
class SelectionListView;
class SubjectList;

// A simple combo box: an edit field above an always-visible list of entries, one control for
// the keyboard. Only the edit part ever holds the focus: typed characters always go there, and
// the list part has no keyboard search of its own. Leaving the control means the focus going
// to another control of the same window; clicking its list, opening a context menu or
// switching to another application and back does not count.
//
// The entries and the selected entry live in a SubjectList; the list part only shows it. The
// user picks an entry by clicking it in the list (a click on the entry already selected only
// gives the focus to the edit part), by Up and Down in the edit part, or by typing, which
// completes the field from the entries (CompleteSubject). Left and Right move the caret.
class SimpleComboBox : public QWidget
{
    Q_OBJECT
public:
    explicit SimpleComboBox(QWidget *parent = nullptr);
    ~SimpleComboBox() override;

    QLineEdit *lineEdit() const { return m_edit; }
    QListView *listView() const;

    // The entries shown; the widget does not own them.
    void setSubjectList(SubjectList *subjects);

    QString text() const;
    // Sets the field's text; no entry changes and no pick is signalled.
    void setText(const QString &text);

    // The selected entry, or -1.
    int currentIndex() const;

signals:
    // The user picked an entry; the field already shows it and it is the selected entry.
    void picked(int index);
    // The focus went from this control to another control of its window.
    void left();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onFocusChanged(QWidget *old, QWidget *now);
    bool complete(const QString &typed);
    void moveSelection(int step);
    // The user's pick of an entry: the field shows it, then the pick is signalled.
    void pick(int row);
    bool owns(const QWidget *widget) const;
    bool listMouseEvent(QMouseEvent *event);
    // A line of the list part pressed, by the mouse or the accessibility action.
    void listLinePressed(int row);

    QLineEdit *m_edit;
    SelectionListView *m_list;
    SubjectList *m_subjects = nullptr;
    QMetaObject::Connection m_focusWatch;
    QMetaObject::Connection m_choiceWatch;
};
