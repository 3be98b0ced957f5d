#include "MemoEdit.h"

#include "helpers/AppError.h"

#include <QMimeData>
#include <QScrollBar>

using namespace Qt::StringLiterals;

MemoEdit::MemoEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(false);
}

QString MemoEdit::text() const
{
    QString text = toPlainText();
    text.replace(u'\n', u"\r\n"_s);
    return text;
}

void MemoEdit::setText(const QString &text)
{
    if (text.size() > Capacity)
        throw AppError(u"Le texte dépasse la capacité du mémo"_s);
    QString plain = text;
    plain.replace(u"\r\n"_s, u"\n"_s);
    plain.replace(u'\r', u'\n');
    setPlainText(plain);
}

bool MemoEdit::canInsertFromMimeData(const QMimeData *source) const
{
    // Pasting text from the clipboard is fine; a list of files is not text to paste.
    return !source->hasUrls() && QPlainTextEdit::canInsertFromMimeData(source);
}

void MemoEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source->hasUrls())
        QPlainTextEdit::insertFromMimeData(source);
}
