#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// The encodings a text file can carry. Ansi stands for a file without a byte-order mark.
enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

// The code page found for a file without a mark: UTF-8 when its bytes are valid UTF-8,
// Windows-1252 otherwise. A holder that has loaded nothing writes UTF-8 without a mark.
enum class AnsiCodePage { Utf8, Windows1252 };

// What a holder remembers of the last file loaded into it; a save writes it back that way.
struct RememberedEncoding
{
    TextEncoding encoding = TextEncoding::Ansi;
    AnsiCodePage codePage = AnsiCodePage::Utf8;
    bool operator==(const RememberedEncoding &) const = default;
};

// The most lines a line list takes (a recipient list of a few million lines fits) and the
// most characters a text document takes. Beyond them a load or a replacement fails with
// "Impossible d'insérer une ligne" or "Le texte dépasse la capacité du mémo", and the holder
// stays as it was. Holders enforce the same limits.
inline constexpr qsizetype MaxLineListLines = 50'000'000;
inline constexpr qsizetype MaxTextDocumentChars = 16 * 1024 * 1024;

struct FileText;

// A list of lines without line breaks (the recipient list, the subject list).
class LineListHolder
{
public:
    virtual ~LineListHolder() = default;

    virtual qsizetype lineCount() const = 0;
    virtual QString lineAt(qsizetype index) const = 0;
    // Replaces every line at once. The views are valid only during the call.
    // Throws AppError("Impossible d'insérer une ligne") beyond the holder's capacity,
    // leaving the holder as it was.
    virtual void replaceLines(const QList<QStringView> &lines) = 0;
    // Optional, for a holder that keeps its lines one byte per character: replaces every line
    // with the lines of a file's text taken straight from its bytes (NarrowFileTextLines),
    // which it may overwrite, with the same lines and the same errors as replaceLines on the
    // decoded text. False when the holder does not take this way; text is then untouched.
    virtual bool replaceLinesFromFileText(FileText &text)
    {
        (void)text;
        return false;
    }

    virtual RememberedEncoding rememberedEncoding() const = 0;
    virtual void setRememberedEncoding(RememberedEncoding encoding) = 0;
};

// One text whose line breaks are CR LF (the message, the signature).
class TextHolder
{
public:
    virtual ~TextHolder() = default;

    virtual QString text() const = 0;
    // Throws AppError("Le texte dépasse la capacité du mémo") beyond the holder's capacity,
    // leaving the holder as it was.
    virtual void setText(const QString &text) = 0;

    virtual RememberedEncoding rememberedEncoding() const = 0;
    virtual void setRememberedEncoding(RememberedEncoding encoding) = 0;
};
