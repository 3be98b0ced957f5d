#include "subjects/MemoText.h"

namespace {

QString WithLineBreaks(const QString &text, QStringView lineBreak)
{
    QString result;
    result.reserve(text.size() + text.size() / 16);
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (c == u'\r') {
            result += lineBreak;
            if (i + 1 < size && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n') {
            result += lineBreak;
        } else {
            result += c;
        }
    }
    return result;
}

} // namespace

QString CrLfFromEditor(const QString &editorText)
{
    return WithLineBreaks(editorText, u"\r\n");
}

QString EditorFromCrLf(const QString &crLfText)
{
    return WithLineBreaks(crLfText, u"\n");
}
