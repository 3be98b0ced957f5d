#pragma once

#include <QWidget>

class QLineEdit;
class QListView;
class SubjectList;

// A simple combo box: an edit field above an always-visible list of entries, one control
// for the focus. Leaving it means the focus going to another control of the same window;
// clicking its list, opening a context menu or switching to another application and back
// does not count.
//
// The entries and the selected entry live in a SubjectList; the list part shows it and
// follows its selection. Typing completes the field from the entries (CompleteSubject).
class SimpleComboBox : public QWidget
{
    Q_OBJECT
public:
    explicit SimpleComboBox(QWidget *parent = nullptr);
    ~SimpleComboBox() override;

    QLineEdit *lineEdit() const { return m_edit; }
    QListView *listView() const { return m_list; }

    // The entries shown; the widget does not own them.
    void setSubjectList(SubjectList *subjects);
    SubjectList *subjectList() const { return m_subjects; }

    QString text() const;
    // Sets the field's text; no entry changes and no pick is signalled.
    void setText(const QString &text);

    // The selected entry, or -1.
    int currentIndex() const;

signals:
    // The user picked an entry (in the list, by Up/Down in the field, or by completion);
    // the field already shows it and it is the list's selected entry.
    void picked(int index);
    // The focus went from this control to another control of its window.
    void left();
    void textChanged(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onFocusChanged(QWidget *old, QWidget *now);
    void onUserSelection(int row);
    void showSelection(int index);
    bool complete(const QString &typed);
    void moveSelection(int step);
    bool owns(const QWidget *widget) const;

    QLineEdit *m_edit;
    QListView *m_list;
    SubjectList *m_subjects = nullptr;
    bool m_programChange = false;
    QMetaObject::Connection m_focusWatch;
    QMetaObject::Connection m_selectionWatch;
};
