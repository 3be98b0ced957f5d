#include "MessageBox.h"

#include "DialogButtons.h"
#include "helpers/DialogTexts.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int IconSize = 32;

QStyle::StandardPixmap iconOf(MsgKind kind)
{
    switch (kind) {
    case MsgKind::Warning:
        return QStyle::SP_MessageBoxWarning;
    case MsgKind::Error:
        return QStyle::SP_MessageBoxCritical;
    case MsgKind::Information:
        return QStyle::SP_MessageBoxInformation;
    case MsgKind::Confirmation:
    case MsgKind::Plain:
        break;
    }
    return QStyle::SP_MessageBoxQuestion;
}

QScreen *screenFor(const QWidget *widget)
{
    if (widget && widget->screen())
        return widget->screen();
    return QGuiApplication::primaryScreen();
}

// Sizes the text so that it wraps at word boundaries within half the screen's width; a single
// word wider than that widens the box rather than being clipped.
void fitText(QLabel *label, const QString &shown, int maxWidth)
{
    const QFontMetrics metrics(label->font());
    int natural = 0;
    int widestWord = 0;
    for (const QString &line : shown.split(u'\n')) {
        natural = qMax(natural, metrics.horizontalAdvance(line));
        for (const QString &word : line.split(QRegularExpression(u"\\s+"_s), Qt::SkipEmptyParts))
            widestWord = qMax(widestWord, metrics.horizontalAdvance(word));
    }
    const int width = qMax(qMin(natural + 1, maxWidth), widestWord + 1);
    label->setFixedSize(width, label->heightForWidth(width));
}

} // namespace

MessageBox::MessageBox(const QString &text, MsgKind kind, const QList<MsgButton> &buttons,
                       std::optional<MsgButton> defaultButton, QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint),
      m_text(text),
      m_buttons(buttons),
      m_cancelButton(CancelButtonOf(buttons))
{
    setWindowTitle(MsgKindTitle(kind));

    auto *top = new QHBoxLayout;
    top->setSpacing(12);
    if (kind != MsgKind::Plain) {
        m_iconLabel = new QLabel(this);
        m_iconLabel->setPixmap(style()->standardIcon(iconOf(kind), nullptr, this).pixmap(IconSize, IconSize));
        m_iconLabel->setFixedSize(IconSize, IconSize);
        top->addWidget(m_iconLabel, 0, Qt::AlignTop);
    }
    // Plain text: an "&" typed by the user is shown, never taken as an access key.
    QString shown = text;
    shown.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    m_textLabel = new QLabel(this);
    m_textLabel->setTextFormat(Qt::PlainText);
    m_textLabel->setWordWrap(true);
    m_textLabel->setText(shown);
    m_textLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    fitText(m_textLabel, shown, screenFor(parent)->geometry().width() / 2);
    top->addWidget(m_textLabel);

    auto *row = new QHBoxLayout;
    row->addStretch();
    for (MsgButton which : buttons) {
        const QString caption = MsgButtonCaption(which);
        auto *button = new QPushButton(caption, this);
        button->setAutoDefault(true); // Enter presses the focused button
        connect(button, &QPushButton::clicked, this, [this, which] {
            m_answer = which;
            done(QDialog::Accepted);
        });
        m_buttonWidgets.append(button);
        row->addWidget(button);
    }
    GiveEqualWidths(m_buttonWidgets);
    row->addStretch();

    auto *layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // not resizable
    layout->setSpacing(16);
    layout->addLayout(top);
    layout->addLayout(row);

    if (const std::optional<MsgButton> chosen = EffectiveDefaultButton(buttons, defaultButton)) {
        QPushButton *focused = button(*chosen);
        focused->setDefault(true);
        focused->setFocus(Qt::OtherFocusReason);
    }

    // Centred on the screen, not on the owner window.
    adjustSize();
    move(screenFor(parent)->geometry().center() - rect().center());
}

QPushButton *MessageBox::button(MsgButton which) const
{
    const qsizetype index = m_buttons.indexOf(which);
    return index >= 0 ? m_buttonWidgets.at(index) : nullptr;
}

MsgResult MessageBox::run(const QString &text, MsgKind kind, const QList<MsgButton> &buttons,
                          std::optional<MsgButton> defaultButton)
{
    MessageBox box(text, kind, buttons, defaultButton, QApplication::activeWindow());
    box.exec();
    return box.answer();
}

// The close box (and only it: Escape is handled below) answers Cancel.
void MessageBox::reject()
{
    m_answer = MsgButton::Cancel;
    QDialog::reject();
}

void MessageBox::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (m_cancelButton)
            button(*m_cancelButton)->click();
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_C && event->modifiers() == Qt::ControlModifier) {
        copyToClipboard();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MessageBox::copyToClipboard()
{
    QApplication::beep();
    QGuiApplication::clipboard()->setText(MessageBoxClipboardText(windowTitle(), m_text, m_buttons));
}
