// Qt's own texts and the platform's forms in the edition's language: the
// English edition keeps Qt's English buttons; the German edition's message
// boxes answer "Ja" and "Nein", its file dialog speaks German and its
// dates and numbers take German forms. (English first: a translation, once
// loaded, stays for the whole run.)
#include "platform/QtLanguage.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

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

        QMessageBox question(QMessageBox::Question, QStringLiteral("KORVANE"), QStringLiteral("?"),
                             QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(buttonTexts(question), (QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")}));
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

        // Forms the windows leave to the platform.
        QCOMPARE(QLocale().toString(QDate(2024, 5, 3), QLocale::ShortFormat), QStringLiteral("03.05.24"));
        QCOMPARE(QLocale().toString(1234.5, 'f', 1), QStringLiteral("1.234,5"));
    }
};

QTEST_MAIN(TestQtLanguage)
#include "test_qtlanguage.moc"
