#include "files/IniFile.h"
#include "files/Paths.h"
#include "helpers/AppError.h"

#include "TestFiles.h"

#include <QtTest>

#include <clocale>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

class TestIniFile : public QObject
{
    Q_OBJECT
private slots:
    void integerRule_data();
    void integerRule();
    void splitString_data();
    void splitString();
    void readsOriginalFile_data();
    void readsOriginalFile();
    void writeKeepsEverythingElse_data();
    void writeKeepsEverythingElse();
    void missingAndEmptyValues();
    void longValueIsCut();
    void integersReadAndWritten();
    void writeFailure_data();
    void writeFailure();
    void zeroBytesAndOtherFormsKept_data();
    void zeroBytesAndOtherFormsKept();
    void sectionNamesAsWritten_data();
    void sectionNamesAsWritten();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void TestIniFile::integerRule_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << u"98"_s << true << 98;
    QTest::newRow("leading spaces") << u"   98"_s << true << 98;
    QTest::newRow("plus") << u"+7"_s << true << 7;
    QTest::newRow("minus") << u"-8"_s << true << -8;
    QTest::newRow("leading zeros") << u"007"_s << true << 7;
    QTest::newRow("dollar") << u"$64"_s << true << 100;
    QTest::newRow("0x") << u"0x64"_s << true << 100;
    QTest::newRow("0X") << u"0XfF"_s << true << 255;
    QTest::newRow("x") << u"x10"_s << true << 16;
    QTest::newRow("X") << u"X10"_s << true << 16;
    QTest::newRow("negative hex") << u"-0x10"_s << true << -16;
    QTest::newRow("eight F") << u"$FFFFFFFF"_s << true << -1;
    QTest::newRow("eight F with 0x") << u"0xFFFFFFFF"_s << true << -1;
    QTest::newRow("minus eight F") << u"-$FFFFFFFF"_s << true << 1;
    QTest::newRow("sign bit") << u"$80000000"_s << true << int(0x80000000u);
    QTest::newRow("leading zeros beyond eight") << u"$000000000001"_s << true << 1;
    QTest::newRow("nine hex digits") << u"$100000000"_s << false << 0;
    QTest::newRow("largest") << u"2147483647"_s << true << 2147483647;
    QTest::newRow("smallest") << u"-2147483648"_s << true << int(-2147483647 - 1);
    QTest::newRow("too large") << u"2147483648"_s << false << 0;
    QTest::newRow("too small") << u"-2147483649"_s << false << 0;
    QTest::newRow("far too large") << u"99999999999999999999999"_s << false << 0;
    QTest::newRow("trailing space") << u"98 "_s << false << 0;
    QTest::newRow("empty") << QString() << false << 0;
    QTest::newRow("spaces only") << u"  "_s << false << 0;
    QTest::newRow("sign alone") << u"-"_s << false << 0;
    QTest::newRow("prefix alone") << u"$"_s << false << 0;
    QTest::newRow("0x alone") << u"0x"_s << false << 0;
    QTest::newRow("two signs") << u"+-1"_s << false << 0;
    QTest::newRow("space after sign") << u"- 1"_s << false << 0;
    QTest::newRow("letters") << u"abc"_s << false << 0;
    QTest::newRow("hex digit in decimal") << u"12a"_s << false << 0;
    QTest::newRow("bad hex digit") << u"$1G"_s << false << 0;
    QTest::newRow("tab") << u"\t5"_s << false << 0;
    QTest::newRow("Arabic-Indic digit") << u"\u0665"_s << false << 0;
}

void TestIniFile::integerRule()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    int parsed = 12345;
    QCOMPARE(TryParseIniInteger(text, parsed), valid);
    if (valid) {
        QCOMPARE(parsed, value);
        QCOMPARE(ParseIniInteger(text), value);
    } else {
        try {
            ParseIniInteger(text);
            QFAIL("no error");
        } catch (const AppError &e) {
            QCOMPARE(e.message(), u"''%1'' n'est pas une valeur entière valide"_s.arg(text));
        }
    }
}

void TestIniFile::splitString_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("delimiter");
    QTest::addColumn<QStringList>("parts");
    QTest::newRow("empty part inside") << u"1:2::4"_s << u":"_s << QStringList{u"1"_s, u"2"_s, QString(), u"4"_s};
    QTest::newRow("final delimiter") << u"1:2:"_s << u":"_s << QStringList{u"1"_s, u"2"_s};
    QTest::newRow("leading delimiter") << u":5"_s << u":"_s << QStringList{QString(), u"5"_s};
    QTest::newRow("empty") << QString() << u":"_s << QStringList();
    QTest::newRow("no delimiter") << u"120"_s << u":"_s << QStringList{u"120"_s};
    QTest::newRow("geometry") << u"120:80:855:529"_s << u":"_s << QStringList{u"120"_s, u"80"_s, u"855"_s, u"529"_s};
    QTest::newRow("longer delimiter") << u"a<>b<><>c"_s << u"<>"_s << QStringList{u"a"_s, u"b"_s, QString(), u"c"_s};
    QTest::newRow("delimiter alone") << u":"_s << u":"_s << QStringList{QString()};
    QTest::newRow("empty delimiter") << u"abc"_s << QString() << QStringList{u"abc"_s};
}

void TestIniFile::splitString()
{
    QFETCH(QString, text);
    QFETCH(QString, delimiter);
    QFETCH(QStringList, parts);
    QCOMPARE(SplitString(text, delimiter), parts);
}

void TestIniFile::readsOriginalFile_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("geometry") << u"Ferravel"_s << u"Form1"_s << u"120:80:855:529"_s;
    QTest::newRow("height") << u"HAUTEUR"_s << u"SIGN"_s << u"98"_s;
    QTest::newRow("backslashes as they are") << u"FICHIER"_s << u"EMAILS"_s << u"D:\\Listes\\Clients été.TXT"_s;
    QTest::newRow("case of section and key") << u"fichier"_s << u"emails"_s << u"D:\\Listes\\Clients été.TXT"_s;
    QTest::newRow("accented section, other case") << u"SOCIÉTÉ"_s << u"nom"_s << u"Dupont & Fils"_s;
    QTest::newRow("spaces around") << u"Divers"_s << u"Clé"_s << u"valeur avec espaces"_s;
    QTest::newRow("quotes kept") << u"Divers"_s << u"Cité"_s << u"\"entre guillemets\""_s;
    QTest::newRow("first of two sections") << u"Divers"_s << u"double"_s << u"premier"_s;
    QTest::newRow("key in a repeated section") << u"Divers"_s << u"après"_s << u"oui"_s;
    QTest::newRow("equals in value") << u"Divers"_s << u"formule"_s << u"a=b"_s;
    QTest::newRow("comment is no key") << u"Divers"_s << u";commentaire"_s << u"<default>"_s;
}

void TestIniFile::readsOriginalFile()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    // Written by hand as the original platform writes it: Windows-1252, CR LF, no mark.
    const QString ini = path(u"original.INI"_s);
    QVERIFY(WriteAll(ini,
                     "[Ferravel]\r\nForm1=120:80:855:529\r\n[HAUTEUR]\r\nSIGN=98\r\n[FICHIER]\r\n"
                     "EMAILS=D:\\Listes\\Clients \xE9t\xE9.TXT\r\n[Soci\xE9t\xE9]\r\nNom=Dupont & Fils\r\n"
                     "[Divers]\r\n;commentaire=1\r\n  Cl\xE9 =  valeur avec espaces  \r\n"
                     "Cit\xE9=\"entre guillemets\"\r\ndouble=premier\r\nformule=a=b\r\n"
                     "[divers]\r\ndouble=second\r\napr\xE8s=oui\r\n"_ba));
    QCOMPARE(IniReadString(section, key, u"<default>"_s, ini), value);
}

void TestIniFile::writeKeepsEverythingElse_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    const QByteArray original = "; R\xE9glages\r\n[Ferravel]\r\nForm1=120:80:855:529\r\n\r\n"
                                "# note\r\n[FICHIER]\r\nEMAILS=D:\\Listes\\EMAILS.TXT\r\nautre ligne\r\n"_ba;
    QTest::newRow("replace a value")
        << original << u"fichier"_s << u"Emails"_s << u"/home/anne/Élèves.txt"_s
        << "; R\xE9glages\r\n[Ferravel]\r\nForm1=120:80:855:529\r\n\r\n"
           "# note\r\n[FICHIER]\r\nEMAILS=/home/anne/\xC9l\xE8ves.txt\r\nautre ligne\r\n"_ba;
    QTest::newRow("new key after the section's last line")
        << original << u"Ferravel"_s << u"Form2"_s << u"1:2:3:4"_s
        << "; R\xE9glages\r\n[Ferravel]\r\nForm1=120:80:855:529\r\nForm2=1:2:3:4\r\n\r\n"
           "# note\r\n[FICHIER]\r\nEMAILS=D:\\Listes\\EMAILS.TXT\r\nautre ligne\r\n"_ba;
    QTest::newRow("new section at the end")
        << original << u"HAUTEUR"_s << u"SIGN"_s << u"98"_s << original + "[HAUTEUR]\r\nSIGN=98\r\n"_ba;
    QTest::newRow("empty value kept") << original << u"FICHIER"_s << u"EMAILS"_s << QString()
                                      << "; R\xE9glages\r\n[Ferravel]\r\nForm1=120:80:855:529\r\n\r\n"
                                         "# note\r\n[FICHIER]\r\nEMAILS=\r\nautre ligne\r\n"_ba;
    QTest::newRow("no final break") << "[A]\r\nx=1"_ba << u"A"_s << u"y"_s << u"2"_s << "[A]\r\nx=1\r\ny=2"_ba;
    QTest::newRow("no final break, new section")
        << "[A]\r\nx=1"_ba << u"B"_s << u"y"_s << u"2"_s << "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"_ba;
    QTest::newRow("LF file stays LF") << "[A]\nx=1\n"_ba << u"B"_s << u"y"_s << u"2"_s << "[A]\nx=1\n[B]\ny=2\n"_ba;
    QTest::newRow("new file") << QByteArray() << u"HAUTEUR"_s << u"SIGN"_s << u"98"_s << "[HAUTEUR]\r\nSIGN=98\r\n"_ba;
    QTest::newRow("new file in UTF-8") << QByteArray() << u"FICHIER"_s << u"EMAILS"_s << u"/été.txt"_s
                                       << "[FICHIER]\r\nEMAILS=/\xC3\xA9t\xC3\xA9.txt\r\n"_ba;
    QTest::newRow("UTF-8 file stays UTF-8")
        << "[A]\r\nx=\xC3\xA9\r\n"_ba << u"A"_s << u"y"_s << u"à"_s << "[A]\r\nx=\xC3\xA9\r\ny=\xC3\xA0\r\n"_ba;
    QTest::newRow("UTF-16 file stays UTF-16")
        << QByteArray("\xFF\xFE[\0A\0]\0\r\0\n\0", 12) << u"A"_s << u"x"_s << u"1"_s
        << QByteArray("\xFF\xFE[\0A\0]\0\r\0\n\0x\0=\0001\0\r\0\n\0", 22);
    // Windows-1252 cannot hold this value: the file becomes UTF-8 with a mark rather than lose it.
    QTest::newRow("Windows-1252 cannot hold it") << "[A]\r\nx=\xE9\r\n"_ba << u"A"_s << u"x"_s << u"Łódź"_s
                                                 << "\xEF\xBB\xBF[A]\r\nx=\xC5\x81\xC3\xB3\x64\xC5\xBA\r\n"_ba;
    // The byte that made this file Windows-1252 is replaced: the rest would read as UTF-8 and
    // the section "Ã©" as "é", so the file becomes UTF-8 with a mark.
    QTest::newRow("Windows-1252 file that would read as UTF-8")
        << "[\xC3\xA9]\r\nx=\xFF\r\n"_ba << u"Ã©"_s << u"x"_s << u"1"_s
        << "\xEF\xBB\xBF[\xC3\x83\xC2\xA9]\r\nx=1\r\n"_ba;
}

void TestIniFile::writeKeepsEverythingElse()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    const QString ini = path(u"write.INI"_s);
    QFile::remove(ini);
    if (!before.isEmpty())
        QVERIFY(WriteAll(ini, before));
    IniWriteString(section, key, value, ini);
    QCOMPARE(ReadAll(ini), after);
    QCOMPARE(IniReadString(section, key, u"<default>"_s, ini), value);
}

void TestIniFile::missingAndEmptyValues()
{
    const QString ini = path(u"values.INI"_s);
    QCOMPARE(IniReadString(u"FICHIER"_s, u"EMAILS"_s, u"défaut"_s, path(u"absent.INI"_s)), u"défaut"_s);
    QVERIFY(WriteAll(ini, "[FICHIER]\r\nEMAILS=\r\n"_ba));
    QCOMPARE(IniReadString(u"FICHIER"_s, u"EMAILS"_s, u"défaut"_s, ini), QString());
    QCOMPARE(IniReadString(u"FICHIER"_s, u"AUTRE"_s, u"défaut"_s, ini), u"défaut"_s);
    QCOMPARE(IniReadString(u"HAUTEUR"_s, u"EMAILS"_s, u"défaut"_s, ini), u"défaut"_s);
    // A folder where the file should be reads as a missing file.
    QDir().mkpath(path(u"dossier.INI"_s));
    QCOMPARE(IniReadString(u"FICHIER"_s, u"EMAILS"_s, u"défaut"_s, path(u"dossier.INI"_s)), u"défaut"_s);
}

void TestIniFile::longValueIsCut()
{
    const QString ini = path(u"long.INI"_s);
    const QString longValue = QString(2047, u'a') + u"bcd"_s;
    IniWriteString(u"FICHIER"_s, u"EMAILS"_s, longValue, ini);
    QCOMPARE(IniReadString(u"FICHIER"_s, u"EMAILS"_s, QString(), ini), QString(2047, u'a'));
}

void TestIniFile::integersReadAndWritten()
{
    const QString ini = path(u"int.INI"_s);
    QCOMPARE(IniReadInteger(u"HAUTEUR"_s, u"SIGN"_s, 98, ini), 98); // no file
    for (const QString &bad : {u"abc"_s, QString(), u"98 "_s}) {
        IniWriteString(u"HAUTEUR"_s, u"SIGN"_s, bad, ini);
        QCOMPARE(IniReadInteger(u"HAUTEUR"_s, u"SIGN"_s, 98, ini), 98);
    }
    IniWriteString(u"HAUTEUR"_s, u"SIGN"_s, u"$64"_s, ini);
    QCOMPARE(IniReadInteger(u"HAUTEUR"_s, u"SIGN"_s, 98, ini), 100);
    IniWriteInteger(u"HAUTEUR"_s, u"SIGN"_s, -16, ini);
    QCOMPARE(IniReadString(u"HAUTEUR"_s, u"SIGN"_s, QString(), ini), u"-16"_s);
    QCOMPARE(IniReadInteger(u"HAUTEUR"_s, u"SIGN"_s, 98, ini), -16);
}

void TestIniFile::writeFailure_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("message");
    QVERIFY(WriteAll(path(u"readonly.INI"_s), "[A]\r\nx=1\r\n"_ba));
    ::chmod(QFile::encodeName(path(u"readonly.INI"_s)).constData(), 0444);
    QVERIFY(WriteAll(path(u"secret.INI"_s), "[A]\r\nx=1\r\n"_ba));
    ::chmod(QFile::encodeName(path(u"secret.INI"_s)).constData(), 0200);
    QDir().mkpath(path(u"dossier2.INI"_s));
    QVERIFY(WriteAll(path(u"ok.INI"_s), "[A]\r\nx=1\r\n"_ba));
    const auto refused = [](const QString &ini) { return u"Impossible d'écrire dans %1"_s.arg(ini); };
    const auto lineBreak = [](const QString &ini) {
        return u"Impossible d'écrire dans %1 : la valeur contient un saut de ligne"_s.arg(ini);
    };
    QTest::newRow("missing folder") << path(u"nowhere/Ferravel.INI"_s) << u"v"_s
                                    << refused(path(u"nowhere/Ferravel.INI"_s));
    QTest::newRow("read-only file") << path(u"readonly.INI"_s) << u"v"_s << refused(path(u"readonly.INI"_s));
    QTest::newRow("folder") << path(u"dossier2.INI"_s) << u"v"_s << refused(path(u"dossier2.INI"_s));
    if (::geteuid() != 0) // the administrator reads it anyway
        QTest::newRow("unreadable file is not replaced")
            << path(u"secret.INI"_s) << u"v"_s << refused(path(u"secret.INI"_s));
    // A line break in a value would forge other lines of the file.
    QTest::newRow("CR LF in value") << path(u"ok.INI"_s) << u"v\r\n[B]\r\ny=2"_s << lineBreak(path(u"ok.INI"_s));
    QTest::newRow("LF alone") << path(u"ok.INI"_s) << u"/tmp/a\nb.TXT"_s << lineBreak(path(u"ok.INI"_s));
    QTest::newRow("CR alone") << path(u"ok.INI"_s) << u"/tmp/a\rb.TXT"_s << lineBreak(path(u"ok.INI"_s));
}

void TestIniFile::writeFailure()
{
    QFETCH(QString, ini);
    QFETCH(QString, value);
    QFETCH(QString, message);
    const bool existed = QFileInfo(ini).isFile();
    QByteArray before;
    if (existed) {
        QFile f(ini);
        if (f.open(QIODevice::ReadOnly))
            before = f.readAll();
    }
    try {
        IniWriteString(u"A"_s, u"x"_s, value, ini);
        QFAIL("the write did not fail");
    } catch (const AppError &e) {
        QCOMPARE(e.message(), message);
    }
    QCOMPARE(QFileInfo(ini).isFile(), existed);
    if (existed && !before.isEmpty())
        QCOMPARE(ReadAll(ini), before);
}

// Bytes in UTF-16, for the rows below.
static QByteArray Utf16(const QString &text, bool bigEndian)
{
    QByteArray bytes;
    for (const QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        bytes += bigEndian ? QByteArray{1, hi} + QByteArray{1, lo} : QByteArray{1, lo} + QByteArray{1, hi};
    }
    return bytes;
}

void TestIniFile::zeroBytesAndOtherFormsKept_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after"); // EMAILS of [FICHIER] set to "/listes/été.TXT"

    const QString zeroed = u"[Ferravel]\r\nForm1=100:100:700:500\r\n"_s + QChar(0) + u"junk\r\n[Mine]\r\nkeep=me"_s
        + QChar(0) + u"\r\n[FICHIER]\r\nEMAILS=old"_s + QChar(0) + u"tail\r\n"_s;
    const QString zeroedAfter = u"[Ferravel]\r\nForm1=100:100:700:500\r\n"_s + QChar(0) + u"junk\r\n[Mine]\r\nkeep=me"_s
        + QChar(0) + u"\r\n[FICHIER]\r\nEMAILS=/listes/été.TXT\r\n"_s;
    QTest::newRow("UTF-8 without mark") << zeroed.toUtf8() << zeroedAfter.toUtf8();
    QTest::newRow("UTF-8 with mark") << "\xEF\xBB\xBF" + zeroed.toUtf8() << "\xEF\xBB\xBF" + zeroedAfter.toUtf8();
    // The byte E9 makes it Windows-1252; the value is written in Windows-1252 too.
    QTest::newRow("Windows-1252") << "; r\xE9glages\r\n" + zeroed.toLatin1()
                                  << "; r\xE9glages\r\n" + zeroedAfter.toLatin1();
    QTest::newRow("Windows-1252 after a UTF-8 mark") << "\xEF\xBB\xBF; r\xE9glages\r\n" + zeroed.toLatin1()
                                                     << "\xEF\xBB\xBF; r\xE9glages\r\n" + zeroedAfter.toLatin1();
    QTest::newRow("UTF-16 LE with mark") << "\xFF\xFE" + Utf16(zeroed, false) << "\xFF\xFE" + Utf16(zeroedAfter, false);
    QTest::newRow("UTF-16 BE with mark") << "\xFE\xFF" + Utf16(zeroed, true) << "\xFE\xFF" + Utf16(zeroedAfter, true);
    QTest::newRow("UTF-16 LE without mark") << Utf16(zeroed, false) << Utf16(zeroedAfter, false);
    QTest::newRow("UTF-16 BE without mark") << Utf16(zeroed, true) << Utf16(zeroedAfter, true);
    QTest::newRow("UTF-16 odd last byte kept") << "\xFF\xFE" + Utf16(zeroed, false) + "\x7F"
                                               << "\xFF\xFE" + Utf16(zeroedAfter, false) + "\x7F";
    QTest::newRow("UTF-16 without mark, new section")
        << Utf16(u"[A]\r\nx=1\r\n"_s, false)
        << Utf16(u"[A]\r\nx=1\r\n[FICHIER]\r\nEMAILS=/listes/été.TXT\r\n"_s, false);
}

void TestIniFile::zeroBytesAndOtherFormsKept()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    const QString ini = path(u"zero.INI"_s);
    QVERIFY(WriteAll(ini, before));
    IniWriteString(u"FICHIER"_s, u"EMAILS"_s, u"/listes/été.TXT"_s, ini);
    QCOMPARE(ReadAll(ini), after);
    QCOMPARE(IniReadString(u"FICHIER"_s, u"EMAILS"_s, u"<default>"_s, ini), u"/listes/été.TXT"_s);
    if (QTest::currentDataTag() != QByteArrayLiteral("UTF-16 without mark, new section"))
        QCOMPARE(IniReadString(u"Mine"_s, u"keep"_s, u"<default>"_s, ini), u"me"_s + QChar(0));
}

void TestIniFile::sectionNamesAsWritten_data()
{
    QTest::addColumn<QString>("section");
    QTest::newRow("closing bracket") << u"Ferravel[2]"_s;
    QTest::newRow("bracket at the end") << u"Ferravel]"_s;
    QTest::newRow("leading space") << u" Ferravel"_s;
    QTest::newRow("trailing space") << u"Ferravel "_s;
    QTest::newRow("plain") << u"Ferravel"_s;
}

void TestIniFile::sectionNamesAsWritten()
{
    QFETCH(QString, section);
    const QString ini = path(u"sections.INI"_s);
    QFile::remove(ini);
    // A neighbour whose name differs only by the brackets or spaces must stay apart.
    QVERIFY(WriteAll(ini, "[Ferravel]\r\nForm1=1:1:1:1\r\n[Ferravel[2]x]\r\nForm1=2:2:2:2\r\n"_ba));
    const QByteArray neighbours = ReadAll(ini);
    IniWriteString(section, u"Form1"_s, u"10:20:700:500"_s, ini);
    const QByteArray once = ReadAll(ini);
    IniWriteString(section, u"Form1"_s, u"11:21:701:501"_s, ini);
    QCOMPARE(IniReadString(section, u"Form1"_s, u"<default>"_s, ini), u"11:21:701:501"_s);
    const QByteArray twice = ReadAll(ini);
    QCOMPARE(twice.size(), once.size()); // no second section
    QCOMPARE(twice.count("[" + section.toUtf8() + "]"), 1);
    if (section != u"Ferravel"_s)
        QVERIFY(twice.startsWith(neighbours));
    QCOMPARE(IniReadString(u"Ferravel[2]x"_s, u"Form1"_s, QString(), ini), u"2:2:2:2"_s);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
