#include "WindowLook.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QLayout>
#include <QRawFont>
#include <QScreen>
#include <QWidget>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// The ink of a few glyphs of a face at the caption's height: how dark the face draws.
double inkOf(const QString &file)
{
    const QRawFont font(file, 13);
    if (!font.isValid())
        return 0;
    double ink = 0;
    for (quint32 glyph : font.glyphIndexesForString(u"Envoyer Signatures"_s)) {
        const QImage map = font.alphaMapForGlyph(glyph, QRawFont::PixelAntialiasing);
        for (int y = 0; y < map.height(); ++y)
            for (int x = 0; x < map.width(); ++x)
                ink += qAlpha(map.pixel(x, y)) / 255.0;
    }
    return ink;
}

} // namespace

QString WindowFontFamily()
{
    static const QString family = [] {
        const QString folder = u"/usr/share/wine/fonts/"_s;
        const QString regular = folder + u"tahoma.ttf"_s;
        const QString bold = folder + u"tahomabd.ttf"_s;
        const int id = QFile::exists(regular) ? QFontDatabase::addApplicationFont(regular) : -1;
        if (id < 0 || QFontDatabase::applicationFontFamilies(id).isEmpty())
            return u"DejaVu Sans"_s;
        // A bold face drawn no darker than the regular one would make bold text read as
        // regular: without it, the font engine emboldens the regular face, keeping its
        // widths.
        if (QFile::exists(bold) && inkOf(bold) > 1.2 * inkOf(regular))
            QFontDatabase::addApplicationFont(bold);
        return QFontDatabase::applicationFontFamilies(id).constFirst();
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
