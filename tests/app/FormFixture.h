#pragma once

#include "RecordingMailHandoff.h"
#include "ScriptedDialogs.h"
#include "TForm1.h"
#include "files/Paths.h"
#include "files/WorkingFiles.h"
#include "helpers/AppError.h"
#include "recipients/RecipientList.h"

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

// The window reads and writes its configuration and OBJETS.TXT beside the executable and its
// documents in the working directory. For one test: no configuration and no subjects file
// beside the test program (before and after), a fresh empty working directory, and no
// working files left by an earlier window.
struct PortableFolderSandbox
{
    QTemporaryDir work;
    QString previous = QDir::currentPath();

    PortableFolderSandbox()
    {
        FILES = TFILES();
        clearAppDir();
        QDir::setCurrent(work.path());
    }
    ~PortableFolderSandbox()
    {
        QDir::setCurrent(previous);
        clearAppDir();
    }
    static void clearAppDir()
    {
        QFile::remove(DefaultIniPath());
        QFile::remove(AppDir() + QStringLiteral("OBJETS.TXT"));
    }
    QString path(const QString &name) const { return work.filePath(name); }
    // The subject list file the window reads at start and writes at close.
    static QString subjectsFile() { return AppDir() + QStringLiteral("OBJETS.TXT"); }
};

// A shown, active main window with scripted boxes and a recording hand-off, in a sandbox.
struct FormFixture
{
    PortableFolderSandbox sandbox;
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
