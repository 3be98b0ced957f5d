#pragma once

#include "helpers/Dialogs.h"

#include <QDialog>
#include <QList>
#include <optional>

class QPushButton;
class QLabel;

// The program's message box: a title and icon by kind, the text exactly as given ("&" shown
// as typed), a centred row of equal buttons. Enter or Space presses the focused button,
// Escape the cancel button (if any), the close box answers Cancel, Ctrl+C copies the box.
class MessageBox : public QDialog
{
    Q_OBJECT
public:
    MessageBox(const QString &text, MsgKind kind, const QList<MsgButton> &buttons,
               std::optional<MsgButton> defaultButton, QWidget *parent = nullptr);

    // The button that closed the box; Cancel after the close box.
    MsgResult answer() const { return m_answer; }

    QPushButton *button(MsgButton which) const;
    QLabel *textLabel() const { return m_textLabel; }
    QLabel *iconLabel() const { return m_iconLabel; }

    // Opens the box modally over the active window and returns its answer.
    static MsgResult run(const QString &text, MsgKind kind, const QList<MsgButton> &buttons,
                         std::optional<MsgButton> defaultButton);

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void copyToClipboard();

    QString m_text;
    QList<MsgButton> m_buttons;
    QList<QPushButton *> m_buttonWidgets;
    std::optional<MsgButton> m_cancelButton;
    MsgResult m_answer = MsgButton::Cancel;
    QLabel *m_iconLabel = nullptr;
    QLabel *m_textLabel = nullptr;
};
