#pragma once

#include "files/TextHolders.h"

#include <QWidget>

class QLineEdit;
class QListView;
class QStringListModel;

// A simple combo box: an edit field above an always-visible list of entries, one control
// for the focus. Leaving it means the focus going to another control of the same window;
// clicking its list, opening a context menu or switching to another application and back
// does not count. As a line-list holder it holds the entries.
class SimpleComboBox : public QWidget, public LineListHolder
{
    Q_OBJECT
public:
    explicit SimpleComboBox(QWidget *parent = nullptr);
    ~SimpleComboBox() override;

    QLineEdit *lineEdit() const { return m_edit; }
    QListView *listView() const { return m_list; }

    QString text() const;
    // Sets the field's text; no entry changes and no pick is signalled.
    void setText(const QString &text);

    QStringList items() const;
    void setItems(const QStringList &items);
    // The selected entry, or -1. Setting it from the program signals no pick.
    int currentIndex() const;
    void setCurrentIndex(int index);
    void removeItem(int index);
    void appendItem(const QString &text);

    // LineListHolder
    qsizetype lineCount() const override;
    QString lineAt(qsizetype index) const override;
    void replaceLines(const QList<QStringView> &lines) override;
    RememberedEncoding rememberedEncoding() const override { return m_encoding; }
    void setRememberedEncoding(RememberedEncoding encoding) override { m_encoding = encoding; }

signals:
    // The user picked an entry (in the list, by Up/Down in the field, or by completion);
    // the field already shows it.
    void picked(int index);
    // The focus went from this control to another control of its window.
    void left();
    void textChanged(const QString &text);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onFocusChanged(QWidget *old, QWidget *now);
    void onUserSelection(int row);
    bool complete(const QString &typed);
    void moveSelection(int step);
    bool owns(const QWidget *widget) const;

    QLineEdit *m_edit;
    QListView *m_list;
    QStringListModel *m_model;
    RememberedEncoding m_encoding;
    bool m_programChange = false;
    QMetaObject::Connection m_focusWatch;
};
