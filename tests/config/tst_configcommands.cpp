#include "subjects/SubjectsTestRig.h"

#include "config/ConfigCommands.h"
#include "config/FormGeometry.h"
#include "files/IniFile.h"
#include "recipients/RecipientsWindow.h"

#include <QRect>
#include <QTemporaryDir>
#include <QTest>

// The window as the configuration commands see it.
class FakeConfigWindow : public ConfigWindow, public GeometryWindow, public RecipientsWindow
{
public:
    QRect frameRect{100, 50, 855, 529};
    QRect work{0, 0, 1920, 1040};
    int paneHeight = 98;
    QString caption = u"Déposer ici le fichier \"EMAILS.TXT\""_s;

    GeometryWindow &geometryWindow() override { return *this; }
    int signaturePaneHeight() const override { return paneHeight; }
    void setSignaturePaneHeight(int height) override { paneHeight = height; }
    QString currentRecipient() const override { return caption; }
    void setCurrentRecipient(const QString &text) override { caption = text; }
    void setSendButtonCaption(const QString &) override {}

    QString windowName() const override { return u"Form1"_s; }
    QRect frame() const override { return frameRect; }
    void setFrameLeft(int left) override { frameRect.moveLeft(left); }
    void setFrameTop(int top) override { frameRect.moveTop(top); }
    void setFrameWidth(int width) override { frameRect.setWidth(width); }
    void setFrameHeight(int height) override { frameRect.setHeight(height); }
    QRect workArea() const override { return work; }
};

// One run of the program from its folder: the window, the subject field with its list and
// the two memos.
struct Run
{
    explicit Run(const ProgramFolder &folder, SubjectList *customList = nullptr) : subjects(folder, customList) {}
    SubjectsRig subjects;
    FakeConfigWindow window;
    ConfigCommands config{subjects.state, window, window, subjects.commands, subjects.dialogs};

    TFILES &files() { return subjects.state.FILES; }
    bool iniGet()
    {
        return RunGuarded(subjects.dialogs, [this] { config.INI_GET(); });
    }
    bool iniSave()
    {
        return RunGuarded(subjects.dialogs, [this] { config.INI_SAVE(); });
    }
};

static const QString Hint = u"Déposer ici le fichier \"EMAILS.TXT\""_s;

class TestConfigCommands : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void startWithoutConfiguration();
    void storedValues_data();
    void storedValues();
    void saveThenRestartBringsEverythingBack();
    void writeProtectedConfigurationStopsTheSave();
    void geometryThatCannotBeRestored_data();
    void geometryThatCannotBeRestored();
    void unreadableSubjectsFileSurvivesTheClose();

private:
    void writeIni(const QString &text);
    QTemporaryDir *m_work = nullptr;
    std::unique_ptr<ProgramFolder> m_folder;
    QString m_previousDir;
};

void TestConfigCommands::init()
{
    m_previousDir = QDir::currentPath();
    m_work = new QTemporaryDir;
    QVERIFY(m_work->isValid());
    m_folder = std::make_unique<ProgramFolder>();
    QVERIFY(m_folder->isValid());
    QVERIFY(QDir::setCurrent(m_work->path()));
}

void TestConfigCommands::cleanup()
{
    QFile(m_folder->iniPath()).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    QDir::setCurrent(m_previousDir);
    delete m_work;
    m_work = nullptr;
    m_folder.reset();
}

void TestConfigCommands::writeIni(const QString &text)
{
    QVERIFY(WriteAll(m_folder->iniPath(), text.arg(ProgramFolder::Section).toUtf8()));
}

void TestConfigCommands::startWithoutConfiguration()
{
    Run run(*m_folder);
    QVERIFY(run.iniGet());
    QCOMPARE(run.window.frameRect, QRect(100, 50, 855, 529));
    QCOMPARE(run.window.paneHeight, 98);
    QCOMPARE(run.files().LISTE_EMAILS, QString());
    QCOMPARE(run.window.caption, Hint);
    QCOMPARE(run.files().SUBJECT, m_folder->subjectsPath());
    QCOMPARE(Entries(run.subjects.list), QStringList{});
    QVERIFY(run.subjects.dialogs.boxes.isEmpty());
    QVERIFY(run.subjects.dialogs.errors.isEmpty());

    QVERIFY(run.iniSave());
    const QString missing = u"<absent>"_s;
    QCOMPARE(IniReadString(ProgramFolder::Section, u"Form1"_s, missing, m_folder->iniPath()), u"100:50:855:529"_s);
    QCOMPARE(IniReadString(u"HAUTEUR"_s, u"SIGN"_s, missing, m_folder->iniPath()), u"98"_s);
    QCOMPARE(IniReadString(u"FICHIER"_s, u"EMAILS"_s, missing, m_folder->iniPath()), QString());
    QCOMPARE(ReadAll(m_folder->subjectsPath()), QByteArray());
}

void TestConfigCommands::storedValues_data()
{
    QTest::addColumn<QString>("ini");
    QTest::addColumn<int>("paneHeight");
    QTest::addColumn<QString>("listPath");
    QTest::addColumn<QString>("caption");

    QTest::newRow("empty list path keeps the hint") << u"[FICHIER]\nEMAILS=\n"_s << 98 << QString() << Hint;
    QTest::newRow("file name of a path") << u"[FICHIER]\nEMAILS=/home/marie/Listes/EMAILS.TXT\n"_s << 98
                                         << u"/home/marie/Listes/EMAILS.TXT"_s << u"EMAILS.TXT"_s;
    QTest::newRow("file name of a path from the original platform")
        << u"[FICHIER]\nEMAILS=D:\\Listes\\clients.txt\n"_s << 98 << u"D:\\Listes\\clients.txt"_s << u"clients.txt"_s;
    QTest::newRow("path without separator shown whole")
        << u"[FICHIER]\nEMAILS=liste.txt\n"_s << 98 << u"liste.txt"_s << u"liste.txt"_s;
    QTest::newRow("pane height without limit") << u"[HAUTEUR]\nSIGN=5000\n"_s << 5000 << QString() << Hint;
    QTest::newRow("negative pane height") << u"[HAUTEUR]\nSIGN=-0x10\n"_s << -16 << QString() << Hint;
    QTest::newRow("invalid pane height keeps the current one") << u"[HAUTEUR]\nSIGN=abc\n"_s << 98 << QString() << Hint;
}

void TestConfigCommands::storedValues()
{
    QFETCH(QString, ini);
    writeIni(ini);
    Run run(*m_folder);
    QVERIFY(run.iniGet());
    QTEST(run.window.paneHeight, "paneHeight");
    QTEST(run.files().LISTE_EMAILS, "listPath");
    QTEST(run.window.caption, "caption");
}

void TestConfigCommands::saveThenRestartBringsEverythingBack()
{
    QVERIFY(WriteAll(u"Devis.MSGX"_s, "Bonjour"));
    {
        Run first(*m_folder);
        QVERIFY(first.iniGet());
        first.window.frameRect = QRect(120, 80, 700, 500);
        first.window.paneHeight = 140;
        first.files().LISTE_EMAILS = u"/home/marie/Listes/EMAILS.TXT"_s;
        first.subjects.enterAndLeave(u"Devis"_s);
        first.subjects.enterAndLeave(u"Relance"_s);
        first.subjects.message.setText(u"pas enregistré"_s);
        QVERIFY(first.iniSave());
        // Saving the configuration saves no document.
        QCOMPARE(ReadAll(u"Relance.MSGX"_s), QByteArray());
    }
    Run second(*m_folder);
    QVERIFY(second.iniGet());
    QCOMPARE(second.window.frameRect, QRect(120, 80, 700, 500));
    QCOMPARE(second.window.paneHeight, 140);
    QCOMPARE(second.files().LISTE_EMAILS, u"/home/marie/Listes/EMAILS.TXT"_s);
    QCOMPARE(second.window.caption, u"EMAILS.TXT"_s);
    QCOMPARE(Entries(second.subjects.list), (QStringList{u"Devis"_s, u"Relance"_s}));
    second.subjects.commands.SelectFirstSubject();
    QCOMPARE(second.subjects.message.text(), u"Bonjour"_s);
    QVERIFY(second.subjects.dialogs.errors.isEmpty());
}

void TestConfigCommands::writeProtectedConfigurationStopsTheSave()
{
    writeIni(u"[%1]\nForm1=10:20:600:400\n"_s);
    const QByteArray stored = ReadAll(m_folder->iniPath());
    QVERIFY(QFile(m_folder->iniPath()).setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    Run run(*m_folder);
    QVERIFY(run.iniGet());
    run.subjects.enterAndLeave(u"Devis"_s);

    // The close hook runs this save: its failure keeps the window open.
    QVERIFY(!run.iniSave());
    QCOMPARE(run.subjects.dialogs.errors, QStringList{u"Impossible d'écrire dans %1"_s.arg(m_folder->iniPath())});
    QCOMPARE(ReadAll(m_folder->iniPath()), stored);
    QVERIFY(!QFile::exists(m_folder->subjectsPath()));
}

void TestConfigCommands::geometryThatCannotBeRestored_data()
{
    QTest::addColumn<QString>("geometry");
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QStringList>("errors");

    QTest::newRow("a part that is not an integer") << u"300:abc:600:400"_s << QRect(300, 50, 855, 529)
                                                   << QStringList{u"''abc'' n'est pas une valeur entière valide"_s};
    QTest::newRow("fewer than four parts") << u"300:200"_s << QRect(100, 50, 855, 529) << QStringList{};
    QTest::newRow("empty value") << QString() << QRect(100, 50, 855, 529) << QStringList{};
}

void TestConfigCommands::geometryThatCannotBeRestored()
{
    QFETCH(QString, geometry);
    writeIni(u"[%1]\nForm1="_s + geometry + u"\n[HAUTEUR]\nSIGN=150\n[FICHIER]\nEMAILS=/listes/EMAILS.TXT\n"_s);
    QVERIFY(WriteAll(m_folder->subjectsPath(), "Devis\r\nRelance\r\n"));

    Run run(*m_folder);
    QVERIFY(run.iniGet());
    QTEST(run.window.frameRect, "frame");
    QTEST(run.subjects.dialogs.errors, "errors");
    // The rest is loaded, so the next close writes it back rather than emptying it.
    QCOMPARE(run.window.paneHeight, 150);
    QCOMPARE(run.files().LISTE_EMAILS, u"/listes/EMAILS.TXT"_s);
    QCOMPARE(run.window.caption, u"EMAILS.TXT"_s);
    QCOMPARE(Entries(run.subjects.list), (QStringList{u"Devis"_s, u"Relance"_s}));

    QVERIFY(run.iniSave());
    QCOMPARE(ReadAll(m_folder->subjectsPath()), QByteArray("Devis\r\nRelance\r\n"));
    QCOMPARE(IniReadString(u"FICHIER"_s, u"EMAILS"_s, QString(), m_folder->iniPath()), u"/listes/EMAILS.TXT"_s);
}

void TestConfigCommands::unreadableSubjectsFileSurvivesTheClose()
{
    const QByteArray stored("Devis\r\nRelance\r\n");
    QVERIFY(WriteAll(m_folder->subjectsPath(), stored));
    RefusingSubjectList refusing;
    Run run(*m_folder, &refusing);

    QVERIFY(!run.iniGet());
    QCOMPARE(run.subjects.dialogs.errors, QStringList{u"Impossible d'insérer une ligne"_s});

    run.subjects.enterAndLeave(u"Nouveau"_s);
    QVERIFY(run.iniSave());
    QCOMPARE(ReadAll(m_folder->subjectsPath()), stored);
    QCOMPARE(IniReadString(u"HAUTEUR"_s, u"SIGN"_s, QString(), m_folder->iniPath()), u"98"_s);
}

QTEST_GUILESS_MAIN(TestConfigCommands)
#include "tst_configcommands.moc"
