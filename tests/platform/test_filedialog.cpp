// The real file dialog: without a folder it starts in the user's documents
// folder, never in the current one (the program's); the files it is told
// to leave out (the data-file template) are not listed to pick.
#include "platform/SeamDialogs.h"

#include <QFile>
#include <QFileDialog>
#include <QListView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QFileDialog* shown(const std::unique_ptr<QFileDialog>& dialog)
{
    dialog->show();
    return dialog.get();
}

// The names the dialog lists in its folder, once it has read the folder.
QStringList listedNames(QFileDialog* dialog, const QString& expected)
{
    auto* view = dialog->findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    const auto read = [&] {
        names.clear();
        const QAbstractItemModel* model = view->model();
        for (int row = 0; row < model->rowCount(view->rootIndex()); ++row)
            names << model->index(row, 0, view->rootIndex()).data().toString();
        return names.contains(expected);
    };
    QTest::qWaitFor(read, 5000);
    names.sort();
    return names;
}

} // namespace

class TestFileDialog : public QObject {
    Q_OBJECT
private slots:
    void withoutAFolderItStartsInTheDocumentsFolder()
    {
        QTemporaryDir home, program;
        const QByteArray realHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        QVERIFY(QDir(home.path()).mkpath(QStringLiteral("Documents")));
        const QString current = QDir::currentPath();
        QVERIFY(QDir::setCurrent(program.path()));

        FileDialogRequest request;
        request.kind = FileDialogRequest::Kind::Save;
        const auto dialog = buildFileDialog(nullptr, request);
        QCOMPARE(dialog->directory().absolutePath(), home.path() + QStringLiteral("/Documents"));

        // No documents folder: the home folder.
        QVERIFY(QDir(home.path() + QStringLiteral("/Documents")).removeRecursively());
        QCOMPARE(buildFileDialog(nullptr, request)->directory().absolutePath(), home.path());

        QDir::setCurrent(current);
        qputenv("HOME", realHome);
    }

    void theTemplateIsNotListed()
    {
        QTemporaryDir folder;
        for (const char* name : {"new.amb", "a.amb", "b.amb"}) {
            QFile file(folder.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        FileDialogRequest request;
        request.directory = folder.path();
        request.filter = QStringLiteral("AMB data (*.amb)");

        // Without being told, the dialog lists it like any data file.
        const QStringList all = listedNames(shown(buildFileDialog(nullptr, request)), QStringLiteral("new.amb"));
        QCOMPARE(all, (QStringList{QStringLiteral("a.amb"), QStringLiteral("b.amb"), QStringLiteral("new.amb")}));

        request.unlistedFiles = {folder.filePath(QStringLiteral("new.amb"))};
        const QStringList listed = listedNames(shown(buildFileDialog(nullptr, request)), QStringLiteral("b.amb"));
        QCOMPARE(listed, (QStringList{QStringLiteral("a.amb"), QStringLiteral("b.amb")}));
    }
};

QTEST_MAIN(TestFileDialog)
#include "test_filedialog.moc"
