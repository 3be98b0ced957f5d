#include "WindowFonts.h"

#include "WindowLook.h"

#include <QMenu>
#include <QMenuBar>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

bool inMenu(const QWidget *w, const QWidget *window)
{
    for (; w && w != window; w = w->parentWidget())
        if (qobject_cast<const QMenu *>(w) || qobject_cast<const QMenuBar *>(w))
            return true;
    return false;
}

} // namespace

void SetWindowFonts(QWidget *window)
{
    const QWidget *subjectField = window->findChild<QWidget *>(u"ComboObjet"_s);
    const QWidget *sendButton = window->findChild<QWidget *>(u"btn_SEND"_s);
    const QFont windowFont = WindowFont(11);
    const QFont subjectFont = WindowFont(11, true);
    const QFont sendFont = WindowFont(13, true);

    // The window itself keeps the platform's font: without a style sheet Qt would hand it
    // down to the menu bar.
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (inMenu(w, window))
            continue;
        if (w == sendButton)
            w->setFont(sendFont);
        else if (subjectField && (w == subjectField || subjectField->isAncestorOf(w)))
            w->setFont(subjectFont);
        else
            w->setFont(windowFont);
    }
}
