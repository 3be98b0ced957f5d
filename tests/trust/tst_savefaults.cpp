// Every file the program writes, under every fault a disk can give: the exact French
// message, the file on disk as it was (or still absent), no temporary file left, the data in
// the program unchanged, and the same save working once the fault is gone.
//
// Faults that need a file system of their own (a full disk, a read-only folder) use small
// tmpfs mounts. The test runs in a mount namespace of its own, so that no mount outlives it
// even if it crashes; the subjects file and the configuration file live beside the
// executable, so a tmpfs is mounted over the executable's folder for their rows.
#include "PrivateMounts.h"
#include "TestFiles.h"
#include "subjects/SubjectsTestRig.h"

#include "files/FileIo.h"
#include "files/IniFile.h"
#include "files/TextFile.h"
#include "recipients/RecipientCommands.h"
#include "recipients/RecipientList.h"
#include "recipients/RecipientsWindow.h"

#include <QtTest>

#include <clocale>
#include <fcntl.h>
#include <memory>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

bool g_privateMounts = false; // mounts are allowed and private to this process

enum class Kind { RecipientList, Subjects, Message, Signature, Ini };
enum class Fault { FullDisk, ReadOnlyFile, ReadOnlyFolder, MissingFolder, FolderInPlace, DeletedWhileRunning };

// The program's own files, beside its executable.
bool InProgramFolder(Kind kind)
{
    return kind == Kind::Subjects || kind == Kind::Ini;
}
bool NeedsOwnFileSystem(Fault fault)
{
    return fault == Fault::FullDisk || fault == Fault::ReadOnlyFolder;
}

QString FileName(Kind kind)
{
    switch (kind) {
    case Kind::RecipientList:
        return u"EMAILS.TXT"_s;
    case Kind::Subjects:
        return u"OBJETS.TXT"_s;
    case Kind::Message:
        return u"Offre de prix.MSGX"_s;
    case Kind::Signature:
        return u"Offre de prix.SIGNX"_s;
    case Kind::Ini:
        return u"Ferravel.INI"_s;
    }
    return QString();
}

QByteArray Utf16Le(const QString &text)
{
    QByteArray bytes("\xFF\xFE", 2);
    for (QChar c : text)
        bytes += char(c.unicode() & 0xFF), bytes += char(c.unicode() >> 8);
    return bytes;
}

// The file as the user left it, each in another encoding, which a save must keep.
QByteArray BytesBefore(Kind kind)
{
    switch (kind) {
    case Kind::RecipientList:
        return "Ren\xE9 <rene@exemple.test>\r\nanne@exemple.test\r\n"_ba; // Windows-1252
    case Kind::Subjects:
        return "Offre de prix\r\nR\xE9union\r\n"_ba;
    case Kind::Message:
        return Utf16Le(u"Bonjour,\r\n"_s);
    case Kind::Signature:
        return "\xEF\xBB\xBF-- \r\nAnne"_ba; // UTF-8 with its mark
    case Kind::Ini:
        return "[Ferravel]\r\nForm1=120:80:855:529\r\n"_ba;
    }
    return QByteArray();
}

// The file after the user's change is saved: from the file loaded, or from nothing loaded.
QByteArray BytesAfter(Kind kind, bool loaded)
{
    switch (kind) {
    case Kind::RecipientList:
        return loaded ? "Ren\xE9 <rene@exemple.test>\r\nanne@exemple.test\r\nl\xE9"
                        "a@exemple.test\r\n"_ba
                      : "l\xC3\xA9"
                        "a@exemple.test\r\n"_ba;
    case Kind::Subjects:
        return loaded ? "Offre de prix\r\nR\xE9union\r\nDevis \xE9t\xE9\r\n"_ba : "Devis \xC3\xA9t\xC3\xA9\r\n"_ba;
    case Kind::Message:
        return loaded ? Utf16Le(u"Bonjour,\r\nÀ bientôt."_s) : "\xC3\x80 bient\xC3\xB4t."_ba;
    case Kind::Signature:
        return loaded ? "\xEF\xBB\xBF-- \r\nAnne\xC3\x89lodie"_ba : "\xC3\x89lodie"_ba;
    case Kind::Ini:
        return (loaded ? BytesBefore(kind) : QByteArray()) + "[HAUTEUR]\r\nSIGN=98\r\n"_ba;
    }
    return QByteArray();
}

bool MountTmpfs(const QString &dir, const char *options, unsigned long flags = 0)
{
    return ::mount("tmpfs", QFile::encodeName(dir).constData(), "tmpfs", flags, options) == 0;
}

// Takes every free block of the file system holding dir.
void FillFileSystem(const QString &dir)
{
    const int fd = ::open(QFile::encodeName(dir + u"/filler"_s).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return;
    const QByteArray block(4096, 'x');
    while (::write(fd, block.constData(), size_t(block.size())) > 0) {
    }
    ::close(fd);
}

// The program's side: the recipient list with its commands, the subject field with its list
// and the two documents, as the window wires them.
struct Program : RecipientsWindow
{
    // programFolder: where its configuration file and OBJETS.TXT are.
    explicit Program(const QString &programFolder) : subjects(StateIn(programFolder)) {}

    static WorkingState StateIn(const QString &folder)
    {
        WorkingState state;
        state.iniPath = folder + u"/Ferravel.INI"_s;
        state.geometrySection = u"Ferravel"_s;
        state.subjectsPath = folder + u"/OBJETS.TXT"_s;
        return state;
    }
    QString currentRecipient() const override { return QString(); }
    void setCurrentRecipient(const QString &) override {}
    void setSendButtonCaption(const QString &) override {}

    SubjectsRig subjects;
    RecipientList recipients;
    RecipientCommands recipientCommands{recipients, subjects.state, *this, subjects.dialogs};

    // Loads what the program loads from the file at start (or on choosing the subject).
    void load(Kind kind, const QString &file)
    {
        switch (kind) {
        case Kind::RecipientList:
            subjects.state.FILES.LISTE_EMAILS = file;
            recipientCommands.LoadAtShow();
            break;
        case Kind::Subjects:
            subjects.commands.LoadSubjects();
            break;
        case Kind::Message:
            subjects.state.FILES.Msg = file;
            if (FileExists(file))
                LoadTextDocument(subjects.message, file);
            break;
        case Kind::Signature:
            subjects.state.FILES.SIGN = file;
            if (FileExists(file))
                LoadTextDocument(subjects.signature, file);
            break;
        case Kind::Ini:
            IniReadString(u"Ferravel"_s, u"Form1"_s, QString(), subjects.state.iniPath);
            break;
        }
    }

    // The user's change that is then saved.
    void edit(Kind kind)
    {
        switch (kind) {
        case Kind::RecipientList: {
            QStringList lines;
            for (qsizetype i = 0; i < recipients.lineCount(); ++i)
                lines.append(recipients.lineAt(i));
            lines.append(u"léa@exemple.test"_s);
            recipients.replaceLines(QList<QStringView>(lines.begin(), lines.end()));
            break;
        }
        case Kind::Subjects:
            subjects.list.append(u"Devis été"_s);
            break;
        case Kind::Message:
            subjects.message.setText(subjects.message.text() + u"À bientôt."_s);
            break;
        case Kind::Signature:
            subjects.signature.setText(subjects.signature.text() + u"Élodie"_s);
            break;
        case Kind::Ini:
            break;
        }
    }

    // The command that writes the file, run as the window runs it.
    bool save(Kind kind)
    {
        return RunGuarded(subjects.dialogs, [&] {
            switch (kind) {
            case Kind::RecipientList:
                recipientCommands.Save();
                break;
            case Kind::Subjects:
                subjects.commands.SaveSubjects();
                break;
            case Kind::Message:
                subjects.documents.MSG_SAVE();
                break;
            case Kind::Signature:
                subjects.documents.SIGN_SAVE();
                break;
            case Kind::Ini:
                IniWriteInteger(u"HAUTEUR"_s, u"SIGN"_s, 98, subjects.state.iniPath);
                break;
            }
        });
    }

    // What the program holds for that file: its lines or text, and its encoding.
    QString state(Kind kind) const
    {
        const auto describe = [](const QString &text, RememberedEncoding e) {
            return u"%1 [%2/%3]"_s.arg(text).arg(int(e.encoding)).arg(int(e.codePage));
        };
        switch (kind) {
        case Kind::RecipientList:
            return describe(LineListText(recipients), recipients.rememberedEncoding());
        case Kind::Subjects:
            return describe(LineListText(subjects.list), subjects.list.rememberedEncoding());
        case Kind::Message:
            return describe(subjects.message.text(), subjects.message.rememberedEncoding());
        case Kind::Signature:
            return describe(subjects.signature.text(), subjects.signature.rememberedEncoding());
        case Kind::Ini:
            return QString();
        }
        return QString();
    }
};

QString ExpectedMessage(Kind kind, Fault fault, const QString &file)
{
    if (kind == Kind::Ini)
        return u"Impossible d'écrire dans %1"_s.arg(file);
    const auto cannotCreate = [&](const char *reason) {
        return u"Impossible de créer le fichier \"%1\". %2"_s.arg(QDir::cleanPath(file), QString::fromUtf8(reason));
    };
    switch (fault) {
    case Fault::FullDisk:
        return u"Erreur d'écriture dans le flux"_s;
    case Fault::ReadOnlyFile:
        return cannotCreate("Permission denied");
    case Fault::ReadOnlyFolder:
        return cannotCreate("Read-only file system");
    case Fault::MissingFolder:
        return cannotCreate("No such file or directory");
    case Fault::FolderInPlace:
        return cannotCreate("Is a directory");
    case Fault::DeletedWhileRunning:
        return QString();
    }
    return QString();
}

} // namespace

Q_DECLARE_METATYPE(Kind)
Q_DECLARE_METATYPE(Fault)

class TestSaveFaults : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void saveUnderFault_data();
    void saveUnderFault();

private:
    QTemporaryDir m_dir;
    QStringList m_mounts;
    int m_row = 0;
};

void TestSaveFaults::initTestCase()
{
    QVERIFY(m_dir.isValid());
    std::setlocale(LC_ALL, "C"); // the system's English descriptions
}

void TestSaveFaults::cleanup()
{
    // Innermost first; the namespace drops any left behind at exit.
    for (qsizetype i = m_mounts.size() - 1; i >= 0; --i)
        ::umount2(QFile::encodeName(m_mounts[i]).constData(), MNT_DETACH);
    m_mounts.clear();
}

void TestSaveFaults::saveUnderFault_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<Fault>("fault");
    const std::pair<Kind, const char *> kinds[] = {{Kind::RecipientList, "recipient list"},
                                                   {Kind::Subjects, "OBJETS.TXT"},
                                                   {Kind::Message, "message"},
                                                   {Kind::Signature, "signature"},
                                                   {Kind::Ini, "configuration"}};
    const std::pair<Fault, const char *> faults[] = {{Fault::FullDisk, "full disk"},
                                                     {Fault::ReadOnlyFile, "read-only file"},
                                                     {Fault::ReadOnlyFolder, "read-only folder"},
                                                     {Fault::MissingFolder, "folder gone"},
                                                     {Fault::FolderInPlace, "folder in the file's place"},
                                                     {Fault::DeletedWhileRunning, "file deleted"}};
    for (const auto &[kind, kindName] : kinds) {
        for (const auto &[fault, faultName] : faults) {
            // The executable's own folder cannot be gone while it runs.
            if (InProgramFolder(kind) && fault == Fault::MissingFolder)
                continue;
            QTest::addRow("%s, %s", kindName, faultName) << kind << fault;
        }
    }
}

void TestSaveFaults::saveUnderFault()
{
    QFETCH(Kind, kind);
    QFETCH(Fault, fault);
    if (NeedsOwnFileSystem(fault) && !g_privateMounts)
        QSKIP("this case needs a tmpfs of its own, and mounting is not allowed here");

    // The folder the file lives in, on a file system of its own where the case needs one.
    QString folder = m_dir.filePath(u"row%1"_s.arg(++m_row));
    QDir().mkpath(folder);
    if (NeedsOwnFileSystem(fault)) {
        QVERIFY(MountTmpfs(folder, fault == Fault::FullDisk ? "size=64k" : "size=1m"));
        m_mounts.append(folder);
    }
    if (fault == Fault::MissingFolder) {
        folder += u"/USB"_s;
        QVERIFY(QDir().mkpath(folder));
    }
    const QString file = folder + u'/' + FileName(kind);

    // The program starts and loads the file, the user changes its data, then the fault comes.
    if (fault == Fault::FolderInPlace)
        QVERIFY(QDir().mkdir(file));
    else
        QVERIFY(WriteAll(file, BytesBefore(kind)));
    auto program = std::make_unique<Program>(folder);
    QVERIFY(RunGuarded(program->subjects.dialogs, [&] { program->load(kind, file); }));
    const bool loaded = fault != Fault::FolderInPlace;
    program->edit(kind);
    const QString stateBefore = program->state(kind);

    switch (fault) {
    case Fault::FullDisk:
        FillFileSystem(folder);
        break;
    case Fault::ReadOnlyFile:
        QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0444), 0);
        break;
    case Fault::ReadOnlyFolder:
        QVERIFY(MountTmpfs(folder, "size=1m", MS_REMOUNT | MS_RDONLY));
        break;
    case Fault::MissingFolder:
        QVERIFY(QDir(folder).removeRecursively());
        break;
    case Fault::FolderInPlace:
        break;
    case Fault::DeletedWhileRunning:
        QVERIFY(QFile::remove(file));
        break;
    }
    const bool fileThere = QFileInfo(file).isFile();
    const QByteArray bytesThere = fileThere ? ReadAll(file) : QByteArray();
    const QStringList entries =
        QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden);

    const bool saved = program->save(kind);

    if (fault == Fault::DeletedWhileRunning) {
        // The save makes the file again, in the encoding it had.
        // The configuration file is read key by key and nothing of it is held: it comes back
        // with the key written only.
        QVERIFY(saved);
        QCOMPARE(program->subjects.dialogs.errors, QStringList());
        QCOMPARE(ReadAll(file), BytesAfter(kind, kind != Kind::Ini));
        return;
    }
    QVERIFY(!saved);
    QCOMPARE(program->subjects.dialogs.errors, QStringList{ExpectedMessage(kind, fault, file)});
    QCOMPARE(QFileInfo(file).isFile(), fileThere);
    if (fileThere)
        QCOMPARE(ReadAll(file), bytesThere);
    QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden), entries);
    QCOMPARE(program->state(kind), stateBefore);

    // The fault mended, the same save goes through.
    switch (fault) {
    case Fault::FullDisk:
        QVERIFY(QFile::remove(folder + u"/filler"_s));
        break;
    case Fault::ReadOnlyFile:
        QCOMPARE(::chmod(QFile::encodeName(file).constData(), 0644), 0);
        break;
    case Fault::ReadOnlyFolder:
        QVERIFY(MountTmpfs(folder, "size=1m", MS_REMOUNT));
        break;
    case Fault::MissingFolder:
        QVERIFY(QDir().mkpath(folder));
        break;
    case Fault::FolderInPlace:
        QVERIFY(QDir().rmdir(file));
        break;
    case Fault::DeletedWhileRunning:
        break;
    }
    program->subjects.dialogs.errors.clear();
    QVERIFY(program->save(kind));
    QCOMPARE(program->subjects.dialogs.errors, QStringList());
    QCOMPARE(ReadAll(file), BytesAfter(kind, loaded));
}

int main(int argc, char *argv[])
{
    g_privateMounts = PrivateMounts::Enter(); // before any thread starts
    QCoreApplication app(argc, argv);
    TestSaveFaults test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_savefaults.moc"
