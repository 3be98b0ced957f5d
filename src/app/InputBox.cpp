#include "InputBox.h"

#include "DialogButtons.h"
#include "helpers/DialogTexts.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QValidator>

namespace {

// Keeps an edit from making the text longer than the limit, or than it already was when the
// caller gave a longer value. QLineEdit::setMaxLength would cut the caller's value instead.
// What an edit adds beyond the limit is dropped, as a field with a length limit does with
// pasted text.
class GrowthLimit : public QValidator
{
public:
    GrowthLimit(QLineEdit *field, int limit)
        : QValidator(field),
          m_limit(limit),
          m_original(field->text()),
          m_previousLength(field->text().size())
    {
        connect(field, &QLineEdit::textChanged, this, [this](const QString &text) { m_previousLength = text.size(); });
    }

    State validate(QString &input, int &pos) const override
    {
        const qsizetype allowed = qMax<qsizetype>(m_limit, m_previousLength);
        if (input.size() <= allowed || input == m_original) // undo may bring the caller's value back
            return Acceptable;
        const qsizetype excess = input.size() - allowed;
        // The added characters end at the cursor.
        const qsizetype from = pos >= excess ? pos - excess : input.size() - excess;
        input.remove(from, excess);
        if (pos > from)
            pos = int(qMax(from, pos - excess));
        return Acceptable;
    }

private:
    int m_limit;
    QString m_original;
    qsizetype m_previousLength;
};

} // namespace

InputBox::InputBox(const QString &caption, const QString &prompt, const QString &value, QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                  | Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(caption);

    auto *promptLabel = new QLabel(prompt, this);
    promptLabel->setTextFormat(Qt::PlainText);
    promptLabel->setWordWrap(true);

    m_field = new QLineEdit(this);
    m_field->setMaxLength(qMax(32767, int(value.size())));
    m_field->setText(value);
    m_field->setValidator(new GrowthLimit(m_field, MaxTypedLength)); // after the caller's value is in
    m_field->setMinimumWidth(fontMetrics().averageCharWidth() * 40);
    m_field->selectAll();
    m_field->setFocus(Qt::OtherFocusReason);
    promptLabel->setBuddy(m_field); // the prompt names the field for a screen reader

    m_ok = new QPushButton(MsgButtonCaption(MsgButton::OK), this);
    m_cancel = new QPushButton(MsgButtonCaption(MsgButton::Cancel), this);
    m_ok->setDefault(true);
    GiveEqualWidths({m_ok, m_cancel});
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject); // as Escape and the close box

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto *layout = new QGridLayout(this);
    layout->addWidget(promptLabel, 0, 0, Qt::AlignTop);
    layout->addWidget(m_field, 0, 1);
    layout->addLayout(buttons, 1, 1);
    layout->setColumnStretch(1, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a dialog frame: not resizable

    adjustSize();
    QScreen *screen = parent && parent->screen() ? parent->screen() : QGuiApplication::primaryScreen();
    move(screen->geometry().center() - rect().center());
}

bool InputBox::run(const QString &caption, const QString &prompt, QString &value)
{
    InputBox box(caption, prompt, value, QApplication::activeWindow());
    if (box.exec() != QDialog::Accepted)
        return false;
    value = box.field()->text();
    return true;
}
