#include "files/IniCodec.h"

#include "files/TextCodec.h"

#include <QStringDecoder>

#include <cstring>

namespace {

using Form = IniText::Form;

// A file without a mark is UTF-16 when its first line (up to the first CR or LF unit) holds
// at least one unit and the same byte of every one of its units is zero.
bool LooksLikeUtf16(QByteArrayView bytes, bool bigEndian)
{
    qsizetype units = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2, ++units) {
        const auto lo = quint8(bytes[bigEndian ? i + 1 : i]);
        const auto hi = quint8(bytes[bigEndian ? i : i + 1]);
        if (hi == 0 && (lo == '\r' || lo == '\n'))
            break;
        if (hi != 0)
            return false;
    }
    return units > 0;
}

QString Utf8Text(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8,
                           QStringConverter::Flag::ConvertInitialBom | QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

QByteArray EncodeInForm(const IniText &ini, bool &held)
{
    held = true;
    switch (ini.form) {
    case Form::Utf8:
        return ini.text.toUtf8();
    case Form::Utf8Mark:
        return "\xEF\xBB\xBF" + ini.text.toUtf8();
    case Form::Windows1252: {
        QByteArray bytes;
        held = EncodeWindows1252(ini.text, bytes);
        return bytes;
    }
    case Form::Windows1252AfterUtf8Mark: {
        QByteArray bytes = "\xEF\xBB\xBF";
        held = EncodeWindows1252(ini.text, bytes);
        return bytes;
    }
    case Form::Utf16LeMark:
        return "\xFF\xFE" + EncodeUtf16Units(ini.text, false) + ini.oddByte;
    case Form::Utf16BeMark:
        return "\xFE\xFF" + EncodeUtf16Units(ini.text, true) + ini.oddByte;
    case Form::Utf16Le:
        return EncodeUtf16Units(ini.text, false) + ini.oddByte;
    case Form::Utf16Be:
        return EncodeUtf16Units(ini.text, true) + ini.oddByte;
    }
    held = false;
    return {};
}

bool ReadsBackAs(const QByteArray &bytes, const IniText &ini)
{
    const IniText back = DecodeIniBytes(bytes);
    return back.text == ini.text && back.oddByte == ini.oddByte;
}

} // namespace

IniText DecodeIniBytes(QByteArrayView bytes)
{
    IniText ini;
    const auto utf16 = [&](QByteArrayView units, Form form, bool bigEndian) {
        ini.form = form;
        ini.text = DecodeUtf16Units(units, bigEndian);
        if (units.size() % 2 != 0)
            ini.oddByte = units.last(1).toByteArray();
    };
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        const QByteArrayView rest = bytes.sliced(3);
        if (IsValidUtf8(rest)) {
            ini.form = Form::Utf8Mark;
            ini.text = Utf8Text(rest);
        } else {
            ini.form = Form::Windows1252AfterUtf8Mark;
            ini.text = DecodeWindows1252(rest);
        }
    } else if (bytes.startsWith("\xFF\xFE")) {
        utf16(bytes.sliced(2), Form::Utf16LeMark, false);
    } else if (bytes.startsWith("\xFE\xFF")) {
        utf16(bytes.sliced(2), Form::Utf16BeMark, true);
    } else if (LooksLikeUtf16(bytes, false)) {
        utf16(bytes, Form::Utf16Le, false);
    } else if (LooksLikeUtf16(bytes, true)) {
        utf16(bytes, Form::Utf16Be, true);
    } else if (IsValidUtf8(bytes)) {
        ini.form = Form::Utf8;
        ini.text = Utf8Text(bytes);
    } else {
        ini.form = Form::Windows1252;
        ini.text = DecodeWindows1252(bytes);
    }
    return ini;
}

QByteArray EncodeIniText(const IniText &ini)
{
    bool held = false;
    QByteArray bytes = EncodeInForm(ini, held);
    if (held && ReadsBackAs(bytes, ini))
        return bytes;
    // The nearest form that reads back as written.
    IniText nearest = ini;
    const bool utf16 = ini.form == Form::Utf16Le || ini.form == Form::Utf16Be;
    if (ini.form == Form::Utf16Le)
        nearest.form = Form::Utf16LeMark;
    else if (ini.form == Form::Utf16Be)
        nearest.form = Form::Utf16BeMark;
    else
        nearest.form = Form::Utf8Mark;
    if (!utf16)
        nearest.oddByte.clear();
    return EncodeInForm(nearest, held);
}
