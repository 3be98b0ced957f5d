#include "BasicQtDialogs.h"

#include "helpers/DialogTexts.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

MsgResult BasicQtDialogs::ShowMessageBox(const QString &text, MsgKind kind, const QList<MsgButton> &buttons,
                                         std::optional<MsgButton> defaultButton)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(MsgKindTitle(kind));
    box.setText(text);
    switch (kind) {
    case MsgKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgKind::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgKind::Information: box.setIcon(QMessageBox::Information); break;
    case MsgKind::Confirmation: box.setIcon(QMessageBox::Question); break;
    case MsgKind::Plain: box.setIcon(QMessageBox::NoIcon); break;
    }
    QHash<QAbstractButton *, MsgButton> results;
    for (MsgButton button : buttons) {
        const QMessageBox::ButtonRole role = button == MsgButton::OK ? QMessageBox::AcceptRole : QMessageBox::RejectRole;
        QPushButton *pushButton = box.addButton(MsgButtonCaption(button), role);
        results.insert(pushButton, button);
        if (EffectiveDefaultButton(buttons, defaultButton) == button)
            box.setDefaultButton(pushButton);
        if (CancelButtonOf(buttons) == button)
            box.setEscapeButton(pushButton);
    }
    box.exec();
    return results.value(box.clickedButton(), MsgButton::Cancel);
}

bool BasicQtDialogs::InputQuery(const QString &caption, const QString &prompt, QString &value)
{
    bool ok = false;
    const QString entered = QInputDialog::getText(QApplication::activeWindow(), caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = entered;
    return ok;
}

void BasicQtDialogs::ReportError(const QString &message)
{
    QMessageBox::critical(QApplication::activeWindow(), AppTitle(), ErrorReportText(message));
}
