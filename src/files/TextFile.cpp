#include "files/TextFile.h"

#include "files/FileIo.h"
#include "files/TextCodec.h"
#include "helpers/AppError.h"

#include <functional>

using namespace Qt::StringLiterals;

static void FillLineList(LineListHolder &holder, QStringView text)
{
    const qsizetype lineCount = CountLines(text);
    if (lineCount > MaxLineListLines)
        throw AppError::CannotInsertLine();
    holder.replaceLines(SplitLines(text, lineCount));
}

void LoadLineList(LineListHolder &holder, const QString &path)
{
    // A holder kept one byte per character takes the lines straight from the file's bytes;
    // the others, and text that is not valid UTF-8 after its mark, through the decoded text.
    FileText text = PrepareFileText(ReadWholeFileOrThrow(path));
    const RememberedEncoding encoding = text.encoding;
    if (text.form == FileText::Form::Other || !holder.replaceLinesFromFileText(text))
        FillLineList(holder, DecodeTextBytes(text.bytes).text);
    holder.setRememberedEncoding(encoding);
}

QString LineListText(const LineListHolder &holder)
{
    const qsizetype count = holder.lineCount();
    QString text;
    for (qsizetype i = 0; i < count; ++i) {
        text += holder.lineAt(i);
        text += u"\r\n";
    }
    return text;
}

void ReplaceLineListText(LineListHolder &holder, const QString &text)
{
    const qsizetype nul = text.indexOf(QChar(0));
    FillLineList(holder, nul < 0 ? QStringView(text) : QStringView(text).first(nul));
}

static void SaveText(QStringView text, RememberedEncoding encoding, const QString &path,
                     const std::function<void(RememberedEncoding)> &remember)
{
    const EncodedText encoded = EncodeText(text, encoding);
    WriteFileAtomicallyOrThrow(path, encoded.bytes);
    if (encoded.encoding != encoding)
        remember(encoded.encoding);
}

void SaveLineList(LineListHolder &holder, const QString &path)
{
    SaveText(LineListText(holder), holder.rememberedEncoding(), path,
             [&](RememberedEncoding e) { holder.setRememberedEncoding(e); });
}

void LoadTextDocument(TextHolder &holder, const QString &path)
{
    // Line breaks only grow when made CR LF: a text already too long is refused before it is
    // decoded (a 100 MB file would take another 200 MB for nothing).
    const FileText file = PrepareFileText(ReadWholeFileOrThrow(path));
    if (DecodedUnitCount(file) > MaxTextDocumentChars)
        throw AppError::TextTooLongForMemo();
    const DecodedText decoded = DecodeTextBytes(file.bytes);
    if (decoded.text.size() > MaxTextDocumentChars)
        throw AppError::TextTooLongForMemo();
    const QString text = NormalizeLineBreaks(decoded.text);
    if (text.size() > MaxTextDocumentChars)
        throw AppError::TextTooLongForMemo();
    holder.setText(text);
    holder.setRememberedEncoding(decoded.encoding);
}

void SaveTextDocument(TextHolder &holder, const QString &path)
{
    SaveText(holder.text(), holder.rememberedEncoding(), path,
             [&](RememberedEncoding e) { holder.setRememberedEncoding(e); });
}
