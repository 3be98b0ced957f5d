#include "DialogButtons.h"

#include "helpers/DialogTexts.h"

#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace {

// The style's own push button for this caption. Asked without a widget, a style sheet's
// style has no rule to apply and answers for the style beneath it: its padding is the
// window style's business, the minimum width the platform's.
int standardWidth(const QPushButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.features = QStyleOptionButton::AutoDefaultButton;
    const QSize contents = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    return button->style()->sizeFromContents(QStyle::CT_PushButton, &option, contents, nullptr).width();
}

} // namespace

void GiveEqualWidths(const QList<QPushButton *> &buttons)
{
    int width = 0;
    for (const QPushButton *button : buttons) {
        const int caption = button->fontMetrics().horizontalAdvance(CaptionWithoutAccessKey(button->text()));
        width = qMax(width, qMax(caption + 8, standardWidth(button)));
    }
    for (QPushButton *button : buttons)
        button->setFixedWidth(width);
}
