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
    chooseWrapMode(plain, false);
    setPlainText(plain);
}

bool MemoEdit::canInsertFromMimeData(const QMimeData *source) const
{
    // Pasting text from the clipboard is fine; a list of files is not text to paste.
    return !source->hasUrls() && QPlainTextEdit::canInsertFromMimeData(source);
}

void MemoEdit::insertFromMimeData(const QMimeData *source)
{
    if (source->hasUrls())
        return;
    if (source->hasText())
        chooseWrapMode(source->text(), true);
    QPlainTextEdit::insertFromMimeData(source);
}

void MemoEdit::chooseWrapMode(QStringView text, bool keepAnywhere)
{
    qsizetype run = 0;
    bool longRun = false;
    for (QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > LongestWrappedWord) {
            longRun = true;
            break;
        }
    }
    if (longRun)
        setWordWrapMode(QTextOption::WrapAnywhere);
    else if (!keepAnywhere)
        setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}
