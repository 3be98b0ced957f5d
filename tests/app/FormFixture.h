#pragma once

#include "RecordingMailHandoff.h"
#include "ScriptedDialogs.h"
#include "Startup.h"
#include "TForm1.h"
#include "files/WorkingFiles.h"
#include "helpers/AppError.h"
#include "recipients/RecipientList.h"
#include "recipients/RecipientSearch.h"

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWindow>
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

// The window's portable folder for one test: its configuration file and OBJETS.TXT in a
// fresh folder of the test's own, and a fresh empty working directory for the documents.
struct PortableFolderSandbox
{
    QTemporaryDir root;
    QString previous = QDir::currentPath();

    PortableFolderSandbox()
    {
        QDir(root.path()).mkdir(QStringLiteral("Ferravel"));
        QDir(root.path()).mkdir(QStringLiteral("travail"));
        QDir::setCurrent(root.filePath(QStringLiteral("travail")));
    }
    ~PortableFolderSandbox() { QDir::setCurrent(previous); }

    // A file of the working directory.
    QString path(const QString &name) const { return root.filePath(QStringLiteral("travail/") + name); }
    // The program's own files, beside its executable.
    QString iniPath() const { return root.filePath(QStringLiteral("Ferravel/Ferravel.INI")); }
    QString subjectsFile() const { return root.filePath(QStringLiteral("Ferravel/OBJETS.TXT")); }
    WorkingState state() const
    {
        WorkingState state;
        state.iniPath = iniPath();
        state.geometrySection = QStringLiteral("Ferravel");
        state.subjectsPath = subjectsFile();
        return state;
    }
};

// A shown, active main window with scripted boxes and a recording hand-off, in a sandbox. The
// window is the one the user sees: the application prepared and the window started exactly
// as main() does (title, Qt's French texts, fonts, window style).
struct FormFixture
{
    PortableFolderSandbox sandbox;
    ScriptedDialogs dialogs;
    RecordingMailHandoff mail;
    RecordingProbe probe;
    SteadyClock steadyClock;
    const Clock *clock = &steadyClock; // tests that time typing give their own before open()
    std::unique_ptr<TForm1> form;

    bool open()
    {
        PrepareApplication();
        form = StartUp(sandbox.state(), FormServices{dialogs, mail, *clock, &probe});
        QApplication::setActiveWindow(form.get());
        return QTest::qWaitForWindowActive(form.get());
    }

    template <typename T = QWidget>
    T *control(const QString &name) const
    {
        return form->findChild<T *>(name);
    }

    // Drops local files on a control the way the desktop does: on the window, at the
    // control's centre. True when the window took the drag and the drop.
    bool dropFiles(const QWidget *target, const QStringList &paths) const
    {
        QMimeData mime;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls.append(QUrl::fromLocalFile(path));
        mime.setUrls(urls);
        const QPoint at = target->mapTo(form.get(), target->rect().center());
        QWindow *window = form->windowHandle();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &move);
        QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window, &drop);
        return enter.isAccepted() && move.isAccepted() && drop.isAccepted();
    }
};
