#pragma once

#include "RecordingMailHandoff.h"
#include "ScriptedDialogs.h"
#include "TForm1.h"
#include "helpers/AppError.h"
#include "recipients/RecipientList.h"

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <memory>

// Records every handler the window enters; fails the named one (throws AppError) as many
// times as asked.
class RecordingProbe : public HandlerProbe
{
public:
    QStringList calls;
    QString failOn;
    int failures = 0;

    void entered(const QString &handler) override
    {
        calls.append(handler);
        if (handler == failOn && failures > 0) {
            --failures;
            throw AppError(QStringLiteral("Échec de ") + handler);
        }
    }
};

// A shown, active main window with scripted boxes and a recording hand-off.
struct FormFixture
{
    ScriptedDialogs dialogs;
    RecordingMailHandoff mail;
    RecordingProbe probe;
    std::unique_ptr<TForm1> form;

    bool open()
    {
        form = std::make_unique<TForm1>(dialogs, mail, &probe);
        form->show();
        QApplication::setActiveWindow(form.get());
        return QTest::qWaitForWindowActive(form.get());
    }

    template <typename T = QWidget>
    T *control(const QString &name) const
    {
        return form->findChild<T *>(name);
    }
};
