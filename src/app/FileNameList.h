#pragma once

#include "SelectionListView.h"

class SignatureTemplates;

// The template list: shows the plain names of a SignatureTemplates list, one name per line of
// a fixed height, and only shows its selected entry. A click on an entry, or an arrow, Page or
// Home/End key, picks an entry when it is another one than the selected entry (Left and Right
// move as Up and Down do). A right-click opens the context menu without changing anything.
class FileNameList : public SelectionListView
{
    Q_OBJECT
public:
    explicit FileNameList(QWidget *parent = nullptr);

    // The names shown; the widget does not own them.
    void setTemplates(SignatureTemplates *templates);
    SignatureTemplates *templates() const { return m_templates; }

    // A line chosen as a click on it chooses it.
    void pressLine(int row) override;

    static constexpr int LineHeight = 13;

signals:
    // The user picked an entry other than the selected one; it is now the selected entry.
    void picked(int row);
    // The names were read again (no entry is selected then).
    void reread();
    // The list is shown for the first time: the moment to read it.
    void firstShown();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void pick(int row);

    SignatureTemplates *m_templates = nullptr;
    bool m_shown = false;
};
