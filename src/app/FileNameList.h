#pragma once

#include <QListView>

class SignatureTemplates;

// The template list: shows the plain names of a SignatureTemplates list, one name per line
// of a fixed height, and follows its selected entry. A right-click opens the context menu
// without changing the selection.
class FileNameList : public QListView
{
    Q_OBJECT
public:
    explicit FileNameList(QWidget *parent = nullptr);

    // The names shown; the widget does not own them.
    void setTemplates(SignatureTemplates *templates);
    SignatureTemplates *templates() const { return m_templates; }

    static constexpr int LineHeight = 13;

signals:
    // The user selected an entry other than the selected one; it is now the selected entry.
    void picked(int row);
    // The names were read again (no entry is selected then).
    void reread();
    // The list is shown for the first time: the moment to read it.
    void firstShown();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void showSelection(int index);

    SignatureTemplates *m_templates = nullptr;
    bool m_programChange = false;
    bool m_shown = false;
};
