#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// Asks for one line of text: the prompt at the left, the field at the right, pre-filled and
// all selected, "OK" (default) and "Annuler" under it. Typing and pasting cannot make the
// text longer than 255 characters; a longer value given by the caller is shown whole and
// kept unless the user shortens it.
class InputBox : public QDialog
{
    Q_OBJECT
public:
    static constexpr int MaxTypedLength = 255;

    InputBox(const QString &caption, const QString &prompt, const QString &value, QWidget *parent = nullptr);

    QLineEdit *field() const { return m_field; }
    QPushButton *okButton() const { return m_ok; }
    QPushButton *cancelButton() const { return m_cancel; }

    // Opens the box modally over the active window. True on OK, and value then holds the
    // field's whole text; otherwise value is left as it was.
    static bool run(const QString &caption, const QString &prompt, QString &value);

private:
    QLineEdit *m_field = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
