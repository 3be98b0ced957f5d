#include "QtDialogs.h"

#include "BusyCursor.h"
#include "InputBox.h"
#include "MessageBox.h"
#include "helpers/DialogTexts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

MsgResult QtDialogs::ShowMessageBox(const QString &text, MsgKind kind, const QList<MsgButton> &buttons,
                                    std::optional<MsgButton> defaultButton)
{
    const CursorLift lift;
    return MessageBox::run(text, kind, buttons, defaultButton);
}

bool QtDialogs::InputQuery(const QString &caption, const QString &prompt, QString &value)
{
    const CursorLift lift;
    return InputBox::run(caption, prompt, value);
}

void QtDialogs::ReportError(const QString &message)
{
    const CursorLift lift;
    QMessageBox box(QMessageBox::Critical, AppTitle(), ErrorReportText(message), QMessageBox::Ok,
                    QApplication::activeWindow());
    // A message may hold a path or a line with "<": never read it as markup.
    box.setTextFormat(Qt::PlainText);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

std::optional<QString> QtDialogs::ChooseFileToOpen(const QString &caption, const QString &folder,
                                                   const QStringList &filters)
{
    const CursorLift lift;
    const QString path =
        QFileDialog::getOpenFileName(QApplication::activeWindow(), caption, folder, filters.join(QStringLiteral(";;")));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
