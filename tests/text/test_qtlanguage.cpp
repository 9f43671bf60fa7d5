// Qt's own texts and the platform's forms in the edition's language: the
// English edition keeps Qt's English buttons; the German edition's message
// boxes answer "Ja" and "Nein", its file dialog speaks German and lists
// dates in German form, and its dates and numbers take German forms.
// (English first: a translation, once loaded, stays for the whole run; the
// system's forms are prepared, as the German program does, before the
// application object exists.)
#include "text/QtLanguage.h"
#include "platform/SeamDialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>

namespace {

QStringList buttonTexts(const QMessageBox& box)
{
    QStringList texts;
    for (QAbstractButton* button : box.buttons())
        texts << button->text();
    texts.sort();
    return texts;
}

} // namespace

class TestQtLanguage : public QObject {
    Q_OBJECT
private slots:
    void englishEditionKeepsQtsTexts()
    {
        QCOMPARE(QtLanguage::apply(EditionId::English), QString());
        QMessageBox box(QMessageBox::Question, QStringLiteral("KORVANE"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(buttonTexts(box), (QStringList{QStringLiteral("&No"), QStringLiteral("&Yes")}));
    }

    void germanEditionSpeaksGerman()
    {
        const QString loaded = QtLanguage::apply(EditionId::German);
        QVERIFY2(loaded.endsWith(QStringLiteral("/qtbase_de.qm")), qPrintable(loaded));

        // The question box as the seams build it.
        const auto question = buildMessageBox(nullptr, QStringLiteral("?"), MsgButtons::YesNo, MsgIcon::Question,
                                              QStringLiteral("KORVANE"));
        QCOMPARE(buttonTexts(*question), (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
        QMessageBox notice(QMessageBox::Information, QStringLiteral("KORVANE"), QStringLiteral("!"),
                           QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Retry);
        QCOMPARE(notice.button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
        QCOMPARE(notice.button(QMessageBox::Cancel)->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(notice.button(QMessageBox::Retry)->text(), QStringLiteral("Wiederholen"));

        QFileDialog dialog(nullptr, QStringLiteral("Datei"), QDir::tempPath(), QStringLiteral("*.amb"));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
        QCOMPARE(buttons->button(QDialogButtonBox::Save)->text(), QStringLiteral("S&peichern"));
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        QVERIFY2(labels.contains(QStringLiteral("Suchen in:")), qPrintable(labels.join(QLatin1Char('|'))));

        // Forms the windows leave to the platform, and those Qt takes from
        // the system (the file dialog's dates and sizes).
        for (const QLocale& locale : {QLocale(), QLocale::system()}) {
            QCOMPARE(locale.toString(QDate(2024, 5, 3), QLocale::ShortFormat), QStringLiteral("03.05.24"));
            QCOMPARE(locale.toString(1234.5, 'f', 1), QStringLiteral("1.234,5"));
        }
        // C conversions stay as they are.
        QCOMPARE(QByteArray(std::setlocale(LC_NUMERIC, nullptr)), QByteArray("C"));
    }

    // Pictures of the German message box and file dialog as the seams build them.
    void screenshot()
    {
        const QString folder = qEnvironmentVariable("KORVANE_SHOTS");
        if (folder.isEmpty())
            QSKIP("set KORVANE_SHOTS to a folder to keep pictures of the dialogs");
        QtLanguage::apply(EditionId::German);
        const auto box = buildMessageBox(nullptr, QString::fromUtf8("Protokolle Löschen ?"), MsgButtons::YesNo,
                                         MsgIcon::Question, QStringLiteral("Datentabelle"));
        box->show();
        QVERIFY(box->grab().save(folder + QStringLiteral("/messagebox-de.png")));

        QTemporaryDir data;
        for (const char* name : {"new.amb", "Meier 2024-05-03.amb", "Schulz 2024-05-06.amb"}) {
            QFile file(data.filePath(QString::fromUtf8(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        FileDialogRequest request;
        request.title = QStringLiteral("Neu");
        request.directory = data.path();
        request.filter = QStringLiteral("AMB data (*.amb)");
        request.unlistedFiles = {data.filePath(QStringLiteral("new.amb"))};
        const auto dialog = buildFileDialog(nullptr, request);
        dialog->resize(640, 400);
        dialog->show();
        QTest::qWait(500);
        QVERIFY(dialog->grab().save(folder + QStringLiteral("/filedialog-de.png")));
    }
};

int main(int argc, char** argv)
{
    QtLanguage::prepare(EditionId::German);
    QApplication app(argc, argv);
    TestQtLanguage test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_qtlanguage.moc"
