#include "platform/win/filefolder.h"
#include "platform/win/openfiledialog.h"
#include "platform/win/savefiledialog.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QFileDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

// The save dialog of the export and the picture and the import's open dialog, the real ones,
// driven through their own widgets.
class TstSaveFileDialog : public QObject
{
    Q_OBJECT

private slots:
    void pseudoFoldersNotRemembered_data();
    void pseudoFoldersNotRemembered();
    void safeFromPseudoFiles_data();
    void safeFromPseudoFiles();
    void typedNameSavedWhole_data();
    void typedNameSavedWhole();

private:
    QTemporaryDir m_dir;
};

namespace {

enum class Kind { Save, Open };

// Runs `drive` with the dialog of `kind` once it is up, then gives what the dialog returned. The
// save dialog is asked to open in `folder`, the open dialog opens in the working folder.
std::optional<QString> withDialog(const QString &folder, const std::function<void(QFileDialog &)> &drive,
                                  Kind kind = Kind::Save)
{
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&poll, &drive] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll.stop();
        drive(*dialog);
        if (dialog->isVisible()) // a failed check must not leave the dialog waiting
            dialog->reject();
    });
    poll.start();
    if (kind == Kind::Open)
        return OpenFileDialog::askOpenFile(nullptr, QStringLiteral("파일에서 가져오기"),
                                           QStringLiteral("환율 파일 (*.xlsx *.xls *.csv *.txt);;모든 파일 (*)"));
    SaveFileRequest request;
    request.title = QStringLiteral("엑셀로 내보내기");
    request.folder = folder;
    request.fileName = QStringLiteral("20261209 환율.xlsx");
    request.defaultSuffix = QStringLiteral("xlsx");
    request.filter = QStringLiteral("Excel File (*.xlsx) | *.xlsx");
    return SaveFileDialog::askSaveFile(nullptr, request);
}

void typeName(QFileDialog &dialog, const QString &name)
{
    auto *box = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(box);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Delete);
    // Latin letters as keys, Hangul as the input method commits it
    for (const QChar c : name) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(box, QString(c));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QCoreApplication::sendEvent(box, &commit);
        }
    }
    QCOMPARE(box->text(), name);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

Q_DECLARE_METATYPE(Kind)

void TstSaveFileDialog::pseudoFoldersNotRemembered_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("remembered");
    QVERIFY(QFile::link(QStringLiteral("/proc/self"), m_dir.filePath(QStringLiteral("self"))));
    QTest::newRow("kernel files") << "/proc/a.xlsx" << false;
    QTest::newRow("a process's folder") << "/proc/self/fd/a.jpg" << false;
    QTest::newRow("system objects") << "/sys/kernel/a.xlsx" << false;
    QTest::newRow("devices") << "/dev/a.xlsx" << false;
    QTest::newRow("a link into them") << m_dir.filePath(QStringLiteral("self/a.xlsx")) << false;
    QTest::newRow("a user's folder") << m_dir.filePath(QStringLiteral("a.xlsx")) << true;
    QTest::newRow("the top folder") << "/a.xlsx" << true;
}

void TstSaveFileDialog::pseudoFoldersNotRemembered()
{
    QFETCH(QString, file);
    QFETCH(bool, remembered);
    QCOMPARE(FileFolder::rememberedFolder(file), remembered ? FileFolder::folderOfFile(file) : QString());
}

void TstSaveFileDialog::safeFromPseudoFiles_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("folder"); // where the dialog is sent; a pseudo folder sends it home
    QTest::addColumn<QString>("opensIn");
    const QString home = QDir::homePath();
    QTest::newRow("save") << Kind::Save << m_dir.path() << m_dir.path();
    QTest::newRow("save sent to /proc") << Kind::Save << "/proc/self" << home;
    QTest::newRow("open") << Kind::Open << m_dir.path() << m_dir.path();
    QTest::newRow("open started in /proc") << Kind::Open << "/proc/self/fd" << home;
}

void TstSaveFileDialog::safeFromPseudoFiles()
{
    QFETCH(Kind, kind);
    QFETCH(QString, folder);
    QFETCH(QString, opensIn);
    // a file whose contents say PDF and whose name says nothing
    const QString path = m_dir.filePath(QStringLiteral("보고서"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n1 0 obj\n<<>>\nendobj\n");
    f.close();
    QMimeDatabase mimes;
    QCOMPARE(mimes.mimeTypeForFile(path).name(), QStringLiteral("application/pdf")); // read, it would tell
    const QString byName = mimes.mimeTypeForFile(path, QMimeDatabase::MatchExtension).comment();
    // the open dialog starts in the working folder: the program's, put back after the row
    const QString working = QDir::currentPath();
    if (kind == Kind::Open)
        QVERIFY(QDir::setCurrent(folder));
    QString shown;
    QString openedIn;
    const std::optional<QString> answer = withDialog(
        folder,
        [&](QFileDialog &dialog) {
        // the provider the dialog's file list asks for each file's type and icon
        const QAbstractFileIconProvider *icons = dialog.iconProvider();
        QVERIFY(icons);
        shown = icons->type(QFileInfo(path));
        openedIn = dialog.directory().absolutePath();
        dialog.reject();
        },
        kind);
    QDir::setCurrent(working);
    QVERIFY(!answer);
    QCOMPARE(shown, byName);
    QCOMPARE(openedIn, opensIn);
}

void TstSaveFileDialog::typedNameSavedWhole_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");
    QTest::newRow("quotes of both kinds") << "환율 \"보고서\" 'x' 2026"
                                          << "환율 \"보고서\" 'x' 2026.xlsx";
    QTest::newRow("a quoted name alone") << "\"보고서\""
                                         << "\"보고서\".xlsx";
    QTest::newRow("a quote and an extension") << "a\"b.xlsx"
                                              << "a\"b.xlsx";
    QTest::newRow("no quote") << "환율 2026"
                              << "환율 2026.xlsx";
}

void TstSaveFileDialog::typedNameSavedWhole()
{
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    const std::optional<QString> answer =
        withDialog(m_dir.path(), [&](QFileDialog &dialog) { typeName(dialog, typed); });
    QVERIFY(answer);
    QCOMPARE(*answer, m_dir.filePath(saved));
}

QTEST_MAIN(TstSaveFileDialog)
#include "tst_savefiledialog.moc"
