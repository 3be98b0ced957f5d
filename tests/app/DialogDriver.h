#pragma once

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QtTest>
#include <functional>

// Drives the real modal boxes from inside their own event loop: a timer waits for the box
// to open, then acts on it. A box still open a few seconds after the actions fails the test
// and is then closed, so that it does not hang it either: closing answers Cancel, and an
// ignored Escape or Annuler must not pass for one that worked.
namespace DialogDriver {

inline void onModal(const std::function<void(QWidget *)> &act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        timer->stop();
        timer->deleteLater();
        QPointer<QWidget> guard(box);
        act(box);
        QTimer::singleShot(3000, [guard] {
            if (guard && guard->isVisible()) {
                // Still inside the test function: the box's own event loop runs in it.
                QTest::qFail("the box was still open after the test's actions", __FILE__, __LINE__);
                guard->close();
            }
        });
    });
    timer->start();
}

// Presses one key (or does one action) in the box, where the keyboard focus is.
// Steps: Enter, Space, Escape, Tab, Backtab, Left, Right, Home, End, Delete, Backspace,
// CtrlC, Paste, Close (the close box), type:<ASCII text>.
// Returns a problem description for the pseudo-step MustBeOpen, else an empty text.
inline QString step(QWidget *box, const QString &name)
{
    QWidget *target = box->focusWidget() ? box->focusWidget() : box;
    static const QHash<QString, std::pair<Qt::Key, Qt::KeyboardModifiers>> keys = {
        {QStringLiteral("Enter"), {Qt::Key_Return, Qt::NoModifier}},
        {QStringLiteral("Space"), {Qt::Key_Space, Qt::NoModifier}},
        {QStringLiteral("Escape"), {Qt::Key_Escape, Qt::NoModifier}},
        {QStringLiteral("Tab"), {Qt::Key_Tab, Qt::NoModifier}},
        {QStringLiteral("Backtab"), {Qt::Key_Backtab, Qt::ShiftModifier}},
        {QStringLiteral("Left"), {Qt::Key_Left, Qt::NoModifier}},
        {QStringLiteral("Right"), {Qt::Key_Right, Qt::NoModifier}},
        {QStringLiteral("Home"), {Qt::Key_Home, Qt::NoModifier}},
        {QStringLiteral("End"), {Qt::Key_End, Qt::NoModifier}},
        {QStringLiteral("Delete"), {Qt::Key_Delete, Qt::NoModifier}},
        {QStringLiteral("Backspace"), {Qt::Key_Backspace, Qt::NoModifier}},
        {QStringLiteral("CtrlC"), {Qt::Key_C, Qt::ControlModifier}},
        {QStringLiteral("Paste"), {Qt::Key_V, Qt::ControlModifier}},
    };
    if (name == QStringLiteral("Close")) {
        box->close();
    } else if (name == QStringLiteral("MustBeOpen")) {
        if (!box->isVisible())
            return QStringLiteral("the box closed too early");
    } else if (name.startsWith(QStringLiteral("type:"))) {
        QTest::keyClicks(target, name.mid(5));
    } else if (keys.contains(name)) {
        const auto [key, modifiers] = keys.value(name);
        QTest::keyClick(target, key, modifiers);
    } else {
        return QStringLiteral("unknown step ") + name;
    }
    return QString();
}

inline QStringList steps(QWidget *box, const QStringList &names)
{
    QStringList problems;
    for (const QString &name : names) {
        const QString problem = step(box, name);
        if (!problem.isEmpty())
            problems.append(problem);
    }
    return problems;
}

} // namespace DialogDriver
