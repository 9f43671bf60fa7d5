// Captions of narrow picture buttons: where a long word may break, and how
// a caption is laid out on one or two lines so that it shows in full.
#include "views/CaptionFit.h"

#include <QApplication>
#include <QFontMetrics>
#include <QtTest>

class TestCaptionFit : public QObject {
    Q_OBJECT
private slots:
    void wordsBreakBetweenSyllables_data()
    {
        QTest::addColumn<QString>("word");
        QTest::addColumn<QList<int>>("breaks");
        QTest::newRow("Aktualisierung") << QStringLiteral("Aktualisierung") << QList<int>{2, 5, 7, 10};
        QTest::newRow("Aktualisieren") << QStringLiteral("Aktualisieren") << QList<int>{2, 5, 7, 10};
        QTest::newRow("Bearbeiten") << QStringLiteral("Bearbeiten") << QList<int>{4, 7};
        QTest::newRow("Hinzufügen") << QStringLiteral("Hinzufügen") << QList<int>{3, 5, 7};
        QTest::newRow("cluster br") << QStringLiteral("Abbrechen") << QList<int>{2, 5};
        QTest::newRow("sch") << QStringLiteral("Löschen") << QList<int>{2};
        QTest::newRow("ck") << QStringLiteral("Drucken") << QList<int>{3};
        QTest::newRow("two letters at least each side") << QStringLiteral("Analyse") << QList<int>{3, 5};
        QTest::newRow("no vowel after a consonant") << QStringLiteral("Stop") << QList<int>{};
    }
    void wordsBreakBetweenSyllables()
    {
        QFETCH(QString, word);
        QFETCH(QList<int>, breaks);
        QCOMPARE(CaptionFit::syllableBreaks(word), breaks);
    }

    void aCaptionTakesOneLineWhenItFitsAndTwoOtherwise()
    {
        QFont font = QApplication::font();
        font.setPointSizeF(8);
        const QFontMetrics metrics(font);
        bool fits = false;

        const QString shortCaption = QStringLiteral("Trend");
        QCOMPARE(CaptionFit::lines(shortCaption, font, metrics.horizontalAdvance(shortCaption), &fits),
                 QStringList{shortCaption});
        QVERIFY(fits);

        // Two words break at the blank, without a hyphen.
        const QString twoWords = QStringLiteral("Neu lesen");
        QCOMPARE(CaptionFit::lines(twoWords, font, metrics.horizontalAdvance(twoWords) - 1, &fits),
                 (QStringList{QStringLiteral("Neu"), QStringLiteral("lesen")}));
        QVERIFY(fits);

        // One long word breaks at the syllable that evens out the lines.
        const QString update = QStringLiteral("Aktualisierung");
        const int width = metrics.horizontalAdvance(QStringLiteral("Aktuali-")) + 1;
        QCOMPARE(CaptionFit::lines(update, font, width, &fits),
                 (QStringList{QStringLiteral("Aktuali-"), QStringLiteral("sierung")}));
        QVERIFY(fits);

        // Too narrow for any break: the best try, said not to fit.
        CaptionFit::lines(update, font, metrics.horizontalAdvance(QStringLiteral("Ak")), &fits);
        QVERIFY(!fits);
    }

    // The German list window's captions in its 49-pixel buttons.
    void oneFontServesAllCaptions()
    {
        QFont font = QApplication::font();
        font.setPointSizeF(8);
        const QStringList captions{"Drucken", "Trend", "Analyse", "Lesen", "Bearbeiten", "Hinzufügen",
                                   "Abbrechen", "Löschen", "Aktualisierung", "Aktualisieren", "Beenden"};
        const int width = 45;
        const QFont common = CaptionFit::commonFont(captions, font, width, 6);
        QVERIFY(common.pointSizeF() >= 7 && common.pointSizeF() <= 8);
        for (const QString& caption : captions) {
            bool fits = false;
            const QStringList lines = CaptionFit::lines(caption, common, width, &fits);
            QVERIFY2(fits, qPrintable(caption));
            // Short words are not broken to win half a point.
            if (caption.size() <= 7)
                QCOMPARE(lines, QStringList{caption});
        }
        // Nothing fits: the smallest size.
        QCOMPARE(CaptionFit::commonFont({"Aktualisierung"}, font, 10, 6).pointSizeF(), 6.0);
    }
};

QTEST_MAIN(TestCaptionFit)
#include "test_captionfit.moc"
