#include "WindowLook.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QLayout>
#include <QScreen>
#include <QWidget>
#include <cmath>

using namespace Qt::StringLiterals;

QString WindowFontFamily()
{
    static const QString family = [] {
        const QString folder = u"/usr/share/wine/fonts/"_s;
        QString found;
        for (const QString &file : {u"tahoma.ttf"_s, u"tahomabd.ttf"_s}) {
            if (!QFile::exists(folder + file))
                continue;
            const int id = QFontDatabase::addApplicationFont(folder + file);
            if (id >= 0 && found.isEmpty() && !QFontDatabase::applicationFontFamilies(id).isEmpty())
                found = QFontDatabase::applicationFontFamilies(id).constFirst();
        }
        return found.isEmpty() ? u"DejaVu Sans"_s : found;
    }();
    return family;
}

double DpiScale()
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return dpi > 96.0 ? dpi / 96.0 : 1.0;
}

int Scaled(int pixelsAt96Dpi)
{
    return int(std::lround(pixelsAt96Dpi * DpiScale()));
}

QFont WindowFont(int pixelsAt96Dpi, bool bold)
{
    QFont font(WindowFontFamily());
    font.setPixelSize(Scaled(pixelsAt96Dpi));
    font.setBold(bold);
    return font;
}

static QSize scaledSize(QSize size)
{
    const auto scale = [](int v) { return v >= QWIDGETSIZE_MAX ? v : Scaled(v); };
    return QSize(scale(size.width()), scale(size.height()));
}

void ScaleWidgetTree(QWidget *root)
{
    if (DpiScale() == 1.0)
        return;
    QList<QWidget *> widgets = root->findChildren<QWidget *>();
    widgets.prepend(root);
    for (QWidget *w : widgets) {
        w->setMinimumSize(scaledSize(w->minimumSize()));
        w->setMaximumSize(scaledSize(w->maximumSize()));
        if (QLayout *layout = w->layout()) {
            const QMargins m = layout->contentsMargins();
            layout->setContentsMargins(Scaled(m.left()), Scaled(m.top()), Scaled(m.right()), Scaled(m.bottom()));
        }
    }
    for (QLayout *layout : root->findChildren<QLayout *>()) {
        if (layout->parentWidget() && layout->parentWidget()->layout() == layout)
            continue; // done above
        const QMargins m = layout->contentsMargins();
        layout->setContentsMargins(Scaled(m.left()), Scaled(m.top()), Scaled(m.right()), Scaled(m.bottom()));
    }
}
