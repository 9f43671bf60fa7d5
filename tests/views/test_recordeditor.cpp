// The record editor: the first record at open, walking with the counter,
// changes saved when the record changes, adding, deleting, refusing values,
// the key table and the layout, in both editions.
#include "ViewTestSupport.h"

#include "state/SharedState.h"
#include "data/clsbpdata.h"
#include "platform/Recordset.h"
#include "support/ScriptedSeams.h"
#include "views/DataWindows.h"
#include "views/frmbpdata.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

class TestRecordEditor : public DataWindowTest {
    Q_OBJECT
public:
    TestRecordEditor()
        : DataWindowTest("e")
    {
    }

private:
    static frmbpdata* openEditor(const QString& path) { return openDataWindow(path, &DataWindows::showEditor); }

    static QStringList shown(frmbpdata* editor)
    {
        QStringList texts;
        for (QLineEdit* box : editor->txtFields)
            texts << box->text();
        return texts;
    }

    // Types into a box as a person does: the box keeps the text until the
    // record changes (or the box is left).
    static void type(QLineEdit* box, const QString& text)
    {
        box->selectAll();
        QTest::keyClicks(box, text);
    }

private slots:
    void init() { startTest(); }
    void cleanup() { endTest(&DataWindows::closeEditor); }

    void opensOnTheFirstRecordWithTheCounter()
    {
        ScriptedSeams seams;
        frmbpdata* editor = openEditor(fileWith(4));
        QVERIFY(editor);
        QCOMPARE(editor->windowTitle(), QString("Data Editor"));
        QCOMPARE(shown(editor), QStringList({"1", "3/7/2024", "09:05:00", "120", "80", "93.3333333333333", "70"}));
        QCOMPARE(editor->lblStatus->text(), QString("Record: 1"));
        QStringList captions;
        for (QGroupBox* frame : editor->Frame1)
            captions << frame->title();
        QCOMPARE(captions, QStringList({"ID", "Date", "Time", "SYS. mmHg", "DIA. mmHg", "MAP mmHg", "Pulse/min.", "Mark"}));
        QVERIFY(seams.messages.empty());
    }

    void layoutFramesBoxesAndHiddenFields()
    {
        ScriptedSeams seams;
        frmbpdata* editor = openEditor(fileWith(1));
        QVERIFY(editor);
        // Frames 2775 x 615 twips, boxes 285 high, at their places (15 twips a pixel).
        QCOMPARE(editor->Frame1[0]->geometry(), QRect(24, 16, 185, 41));
        QCOMPARE(editor->Frame1[3]->geometry(), QRect(24, 160, 185, 41));
        QCOMPARE(editor->Frame1[6]->geometry(), QRect(24, 256, 185, 41));
        QCOMPARE(editor->txtFields[0]->mapTo(editor, QPoint()), QPoint(72, 32));
        QCOMPARE(editor->txtFields[0]->size(), QSize(89, 19));
        QCOMPARE(editor->txtFields[3]->mapTo(editor, QPoint()), QPoint(64, 176));
        QCOMPARE(editor->txtFields[3]->size(), QSize(105, 19));
        QVERIFY(!editor->Frame1[5]->isVisible() && !editor->txtFields[5]->isVisible());
        QVERIFY(!editor->Frame1[7]->isVisible() && !editor->chkFields7->isVisible());
        QVERIFY(editor->Frame1[6]->isVisible());
        const QFont frameFont = editor->Frame1[1]->font();
        QVERIFY(frameFont.bold() && frameFont.italic());
        QCOMPARE(frameFont.pointSizeF(), 9.75);
        QVERIFY(editor->txtFields[1]->font().bold() && !editor->txtFields[1]->font().italic());
        // The record number is given by the file.
        QVERIFY(editor->txtFields[0]->isReadOnly());
        QVERIFY(!editor->txtFields[3]->isReadOnly());
        // Resize rule of the navigation strip.
        editor->resize(300, 400);
        QCoreApplication::processEvents();
        QCOMPARE(editor->lblStatus->width(), 200);
        QCOMPARE(editor->cmdNext->x(), qRound((3000 + 700) / 15.0));
        QCOMPARE(editor->cmdLast->x(), qRound((3000 + 700 + 340) / 15.0));
        editor->resize(90, 400);
        QCoreApplication::processEvents();
        QCOMPARE(editor->lblStatus->width(), 200); // too narrow: that step is skipped
        QCOMPARE(editor->cmdFirst->accessibleName(), QString("First"));
        QCOMPARE(editor->cmdPrevious->accessibleName(), QString("Previous"));
        QCOMPARE(editor->cmdNext->accessibleName(), QString("Next"));
        QCOMPARE(editor->cmdLast->accessibleName(), QString("Last"));
        QVERIFY(!editor->cmdLast->icon().isNull());
    }

    void walkingBeepsAtBothEnds()
    {
        ScriptedSeams seams;
        frmbpdata* editor = openEditor(fileWith(3));
        QVERIFY(editor);
        editor->cmdPrevious_Click();
        QCOMPARE(seams.beeps, 1);
        QCOMPARE(editor->lblStatus->text(), QString("Record: 1"));
        editor->cmdLast_Click();
        QCOMPARE(editor->txtFields[3]->text(), QString("122"));
        editor->cmdNext_Click();
        QCOMPARE(seams.beeps, 2);
        QCOMPARE(editor->lblStatus->text(), QString("Record: 3"));
        editor->cmdPrevious_Click();
        QCOMPARE(editor->lblStatus->text(), QString("Record: 2"));
        QCOMPARE(editor->txtFields[3]->text(), QString("121"));
    }

    void aTypedChangeIsSavedWhenTheRecordChanges()
    {
        ScriptedSeams seams;
        const QString path = fileWith(3);
        frmbpdata* editor = openEditor(path);
        QVERIFY(editor);
        type(editor->txtFields[3], "141");
        type(editor->txtFields[2], "7:45");
        editor->cmdNext_Click();
        QCOMPARE(editor->lblStatus->text(), QString("Record: 2"));
        const auto rows = fileRows(path, "select SYS_mmHg, Time from ambpdata where ID=1");
        QCOMPARE(rows.value(0), QVariantList({141, "07:45:00"}));
        QVERIFY(seams.messages.empty());
    }

    // A text longer than a line edit's 32767 characters (a file of another tool).
    void aLongTextIsShownWhole()
    {
        ScriptedSeams seams;
        const QString path = fileWith(2);
        fileRows(path, "update ambpdata set Date = replace(hex(zeroblob(50000)), '00', 'ab') where ID = 1");
        frmbpdata* editor = openEditor(path);
        QVERIFY(editor);
        QCOMPARE(editor->txtFields[1]->text(), QString("ab").repeated(50000));
    }

    void addTypeNextSavesTheNewRecord()
    {
        ScriptedSeams seams;
        const QString path = fileWith(3);
        frmbpdata* editor = openEditor(path);
        QVERIFY(editor);
        editor->cmdAdd_Click();
        QVERIFY(editor->isAdding());
        QCOMPARE(editor->lblStatus->text(), QString("New Record"));
        QCOMPARE(shown(editor), QStringList(7, QString()));
        // While adding, the keys do nothing; the buttons still work.
        QTest::keyClick(editor->cmdAdd, Qt::Key_Home);
        QTest::keyClick(editor->cmdAdd, Qt::Key_Escape);
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->lblStatus->text(), QString("New Record"));
        type(editor->txtFields[1], "3/8/2024");
        type(editor->txtFields[2], "10:15");
        type(editor->txtFields[3], "135");
        type(editor->txtFields[4], "85");
        type(editor->txtFields[6], "77");
        editor->cmdNext_Click();
        QVERIFY(seams.messages.empty());
        QCOMPARE(fileCount(path), 4);
        const auto rows = fileRows(path, "select ID,Date,Time,SYS_mmHg,DIA_mmHg,Pulse_min from ambpdata where ID=4");
        QCOMPARE(rows.value(0), QVariantList({4, "2024-03-08", "10:15:00", 135, 85, 77}));
        // The new record is the last one: Next beeps and stays on it.
        QCOMPARE(seams.beeps, 1);
        QCOMPARE(editor->lblStatus->text(), QString("Record: 4"));
        QCOMPARE(editor->txtFields[0]->text(), QString("4"));
        // Saved, the new record is an ordinary one: the keys walk again.
        QVERIFY(!editor->isAdding());
        QTest::keyClick(editor->cmdAdd, Qt::Key_Home);
        QCOMPARE(editor->lblStatus->text(), QString("Record: 1"));
    }

    void deleteAnsweredNoKeepsTheRecordAndDropsTheTypedChange()
    {
        ScriptedSeams seams;
        const QString path = fileWith(3);
        frmbpdata* editor = openEditor(path);
        QVERIFY(editor);
        editor->cmdNext_Click();
        type(editor->txtFields[3], "999");
        seams.answers.push_back(MsgAnswer::No);
        editor->cmdDelete_Click();
        QCOMPARE(seams.messages.size(), size_t(1));
        QCOMPARE(seams.messages[0].text, QString("Delete Record ?"));
        QCOMPARE(seams.messages[0].title, QString("Data Editor"));
        QCOMPARE(seams.messages[0].buttons, MsgButtons::YesNo);
        QCOMPARE(seams.messages[0].icon, MsgIcon::Question);
        QCOMPARE(editor->txtFields[3]->text(), QString("121"));
        QCOMPARE(gRecordset->editMode(), int(Recordset::EditNone));
        editor->cmdNext_Click();
        QCOMPARE(fileCount(path), 3);
        QCOMPARE(fileRows(path, "select SYS_mmHg from ambpdata where ID=2").value(0).value(0).toInt(), 121);
    }

    void deleteAnsweredYesRemovesTheRecord()
    {
        ScriptedSeams seams;
        const QString path = fileWith(3);
        frmbpdata* editor = openEditor(path);
        QVERIFY(editor);
        seams.answers.push_back(MsgAnswer::Yes);
        editor->cmdDelete_Click();
        QCOMPARE(fileCount(path), 2);
        QVERIFY(fileRows(path, "select ID from ambpdata where ID=1").isEmpty());
        QCOMPARE(editor->txtFields[0]->text(), QString("2"));
        QCOMPARE(editor->lblStatus->text(), QString("Record: 1"));
    }

    void refusedValuesNameTheFieldAndNothingBrokenIsSaved()
    {
        ScriptedSeams seams;
        const QString path = fileWith(2);
        frmbpdata* editor = openEditor(path);
        QVERIFY(editor);
        type(editor->txtFields[3], "abc");
        editor->cmdNext_Click();
        QCOMPARE(seams.messages.size(), size_t(1));
        QVERIFY2(seams.messages[0].text.contains("SYS_mmHg") && seams.messages[0].text.contains("not a number"),
                 qPrintable(seams.messages[0].text));
        // The move did not happen; the box shows the record's value again.
        QCOMPARE(editor->lblStatus->text(), QString("Record: 1"));
        QCOMPARE(editor->txtFields[3]->text(), QString("120"));
        type(editor->txtFields[1], "2/30/2024");
        editor->cmdNext_Click();
        QCOMPARE(seams.messages.size(), size_t(2));
        QVERIFY2(seams.messages[1].text.contains("Date") && seams.messages[1].text.contains("not a date"),
                 qPrintable(seams.messages[1].text));
        type(editor->txtFields[6], "7 0");
        editor->cmdNext_Click();
        QCOMPARE(seams.messages.size(), size_t(3));
        QVERIFY2(seams.messages[2].text.contains("Pulse_min"), qPrintable(seams.messages[2].text));
        editor->cmdNext_Click();
        QCOMPARE(editor->lblStatus->text(), QString("Record: 2"));
        const auto rows = fileRows(path, "select Date,SYS_mmHg,Pulse_min from ambpdata where ID=1");
        QCOMPARE(rows.value(0), QVariantList({"2024-03-07", 120, 70}));
    }

    void keysWalkTheRecords()
    {
        ScriptedSeams seams;
        frmbpdata* editor = openEditor(fileWith(5));
        QVERIFY(editor);
        QWidget* box = editor->txtFields[4];
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(editor->lblStatus->text(), QString("Record: 2"));
        QTest::keyClick(box, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(editor->lblStatus->text(), QString("Record: 5"));
        QTest::keyClick(box, Qt::Key_Up);
        QCOMPARE(editor->lblStatus->text(), QString("Record: 4"));
        QTest::keyClick(box, Qt::Key_Up, Qt::ControlModifier | Qt::AltModifier);
        QCOMPARE(editor->lblStatus->text(), QString("Record: 3"));
        QTest::keyClick(box, Qt::Key_Home);
        QCOMPARE(editor->lblStatus->text(), QString("Record: 1"));
        QTest::keyClick(box, Qt::Key_End);
        QCOMPARE(editor->lblStatus->text(), QString("Record: 5"));
        QPointer<frmbpdata> alive = editor;
        QTest::keyClick(box, Qt::Key_Escape);
        flushDeletes();
        QVERIFY(!alive);
        QVERIFY(!DataWindows::editorWindow());
    }

    void closingSavesWhatWasTypedAndKeepsTheRecordSetOpen()
    {
        ScriptedSeams seams;
        const QString path = fileWith(2);
        frmbpdata* editor = openEditor(path);
        QVERIFY(editor);
        type(editor->txtFields[4], "77");
        editor->cmdClose_Click();
        flushDeletes();
        QCOMPARE(fileRows(path, "select DIA_mmHg from ambpdata where ID=1").value(0).value(0).toInt(), 77);
        QVERIFY(gRecordset && gRecordset->isOpen());
    }

    void emptyFileShowsNoRecordAndAddWorks()
    {
        ScriptedSeams seams;
        const QString path = fileWith(0);
        frmbpdata* editor = openEditor(path);
        QVERIFY(editor);
        QCOMPARE(editor->lblStatus->text(), QString());
        QCOMPARE(shown(editor), QStringList(7, QString()));
        QVERIFY(editor->txtFields[3]->isReadOnly());
        editor->cmdNext_Click();
        QCOMPARE(seams.beeps, 0);
        editor->cmdAdd_Click();
        QVERIFY(!editor->txtFields[3]->isReadOnly());
        type(editor->txtFields[3], "118");
        editor->cmdFirst_Click();
        QCOMPARE(fileCount(path), 1);
        QCOMPARE(editor->lblStatus->text(), QString("Record: 1"));
        QVERIFY(seams.messages.empty());
    }

    void germanEditionFramesColumnsAndTexts()
    {
        Edition::select(EditionId::German);
        ScriptedSeams seams;
        const QString path = fileWith(2, EditionId::German);
        frmbpdata* editor = openEditor(path);
        QVERIFY(editor);
        QCOMPARE(editor->windowTitle(), QString("Daten bearbeiten"));
        QStringList captions;
        for (QGroupBox* frame : editor->Frame1)
            captions << frame->title();
        QCOMPARE(captions, QStringList({"Nr.", "Datum", "Uhrzeit", "SYS. mmHg", "DIA. mmHg", "MAP mmHg", "Puls/Min.", "Mark"}));
        QCOMPARE(shown(editor), QStringList({"1", "07.03.2024", "09:05:00", "120", "80", "93,3333333333333", "70"}));
        QCOMPARE(editor->lblStatus->text(), QString("Protokolle: 1"));
        QCOMPARE(editor->cmdAdd->text(), QString("Hinzufügen"));
        QCOMPARE(editor->cmdClose->text(), QString("Beenden"));
        type(editor->txtFields[1], "09.03.2024");
        type(editor->txtFields[6], "66");
        editor->cmdNext_Click();
        QCOMPARE(fileRows(path, "select Datum, Puls_min from ambpdata where Nr_=1").value(0),
                 QVariantList({"2024-03-09", 66}));
        editor->cmdAdd_Click();
        QCOMPARE(editor->lblStatus->text(), QString("Neu Protokolle"));
        seams.answers.push_back(MsgAnswer::No);
        editor->cmdDelete_Click();
        QCOMPARE(seams.messages.back().text, QString("Protokolle Löschen ?"));
    }

    void withoutADataFileTheEditorDoesNotOpen()
    {
        ScriptedSeams seams;
        gDataFile.clear();
        gFileReady = true;
        QVERIFY(!DataWindows::showEditor());
        flushDeletes();
        QVERIFY(!DataWindows::editorWindow());
        QCOMPARE(seams.messageTexts(), QStringList{"Open Data Table Failure ! , File Not Ready !"});
    }

    // With KORVANE_SHOT_DIR set the pictures are kept there for review.
    void rendersInBothEditions()
    {
        const QString shots = qEnvironmentVariable("KORVANE_SHOT_DIR");
        for (EditionId edition : {EditionId::English, EditionId::German}) {
            Edition::select(edition);
            ScriptedSeams seams;
            frmbpdata* editor = openEditor(fileWith(5, edition));
            QVERIFY(editor);
            editor->cmdNext_Click();
            const QImage picture = editor->grab().toImage();
            QCOMPARE(picture.size(), editor->size());
            if (!shots.isEmpty())
                QVERIFY(picture.save(shots + "/frmbpdata-" + (edition == EditionId::German ? "de" : "en") + ".png"));
            DataWindows::closeEditor();
            flushDeletes();
        }
    }
};

QTEST_MAIN(TestRecordEditor)
#include "test_recordeditor.moc"
