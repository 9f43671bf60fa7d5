// The window "Patient and Recording" over a real data file: it shows what
// is stored, Save writes what is typed, bad input names the field and the
// file keeps its details, editing follows gEditEnabled at load, it is one
// instance; the list window's caption names the recording, and its context
// menu sets a reading aside and takes it back with the row marked. Both
// editions are pictured at 1024 x 768 (kept in KORVANE_SHOT_DIR when set).
#include "data/RecordingDetailsStore.h"
#include "data/RecordingReview.h"
#include "state/StateNotifier.h"
#include "text/MessageCatalogue.h"
#include "views/DataWindows.h"
#include "views/DetailsWindows.h"
#include "views/RecordsetTableModel.h"
#include "views/SetAsideCommand.h"
#include "views/ViewTestSupport.h"
#include "views/frmDetails.h"
#include "views/frmList.h"
#include "views/frmbpdata.h"
#include "views/RecordGrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

class TestDetailsWindow : public DataWindowTest {
    Q_OBJECT
public:
    TestDetailsWindow()
        : DataWindowTest("d")
    {
    }

private:
    static frmDetails* openDetails(const QString& path)
    {
        return openDataWindow(path, &DetailsWindows::showDetails);
    }

    static RecordingDetails storedIn(const QString& path)
    {
        Connection c;
        if (!c.openFile(path))
            return {};
        return RecordingDetailsStore::read(c).value_or(RecordingDetails{});
    }

    static void type(frmDetails* w, const DetailsInput& in) { w->showInput(in); }

private slots:
    void init() { startTest(); }
    void cleanup()
    {
        endTest([] {
            DetailsWindows::closeDetails();
            DataWindows::closeList();
        });
    }

    void saveWritesAndBadInputKeepsTheFile_data()
    {
        QTest::addColumn<EditionId>("edition");
        QTest::newRow("English") << EditionId::English;
        QTest::newRow("German") << EditionId::German;
    }
    void saveWritesAndBadInputKeepsTheFile()
    {
        QFETCH(EditionId, edition);
        Edition::select(edition);
        ScriptedSeams seams;
        seams.clock = QDateTime(QDate(2026, 1, 2), QTime(9, 0));
        const QString path = fileWith(4, edition);
        frmDetails* w = openDetails(path);
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), catText("details.caption"));
        QVERIFY(w->cmdSave->isEnabled());
        QCOMPARE(w->inputShown().surname, QString());

        DetailsInput in;
        in.patientNumber = QStringLiteral("P-0042");
        in.surname = QStringLiteral("Öztürk");
        in.firstName = QStringLiteral("Ayşe");
        in.birthDate = edition == EditionId::German ? QStringLiteral("17.5.1960") : QStringLiteral("5/17/1960");
        in.sex = PatientSex::Female;
        in.startDate = QStringLiteral("2025-12-30");
        in.startTime = QStringLiteral("8:30");
        in.bedtime = QStringLiteral("23:00");
        in.wakeUp = QStringLiteral("6:30");
        in.officeSys = QStringLiteral("150");
        in.officeDia = QStringLiteral("95");
        in.medication = QStringLiteral("Ramipril 5 mg\nHCT 12.5 mg");
        type(w, in);
        w->cmdSave->click();
        QVERIFY2(seams.messages.empty(), qPrintable(seams.lastMessageText()));
        const RecordingDetails stored = storedIn(path);
        QCOMPARE(stored.surname, QStringLiteral("Öztürk"));
        QCOMPARE(stored.birthDate, QDate(1960, 5, 17));
        QCOMPARE(stored.recordingStart, QDateTime(QDate(2025, 12, 30), QTime(8, 30), Qt::UTC));
        QCOMPARE(stored.medication, in.medication);
        QCOMPARE(w->txtStartTime->text(), QStringLiteral("08:30")); // shown as stored

        // A diastolic above the systolic: refused, named, focused, the file unchanged.
        w->show();
        w->activateWindow();
        w->txtOfficeDia->setText(QStringLiteral("160"));
        w->txtSurname->setText(QStringLiteral("Changed"));
        w->cmdSave->click();
        QCOMPARE(seams.messages.size(), size_t(1));
        QCOMPARE(seams.messages.back().title, catText("details.caption"));
        QVERIFY(seams.lastMessageText().startsWith(catText("details.msgNotChanged").arg(QString())));
        QVERIFY(seams.lastMessageText().contains(detailsFieldName(DetailsField::OfficeDia)));
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w->txtOfficeDia));
        QVERIFY(storedIn(path) == stored);
        // The patient number box takes no more than 10 characters.
        w->txtPatientNumber->setText(QStringLiteral("12345678901234"));
        QCOMPARE(w->txtPatientNumber->text(), QStringLiteral("1234567890"));
    }

    void editingOffAtLoadLeavesEverythingReadOnly()
    {
        ScriptedSeams seams;
        gEditEnabled = false;
        const QString path = fileWith(2);
        frmDetails* w = openDetails(path);
        QVERIFY(w);
        QVERIFY(!w->cmdSave->isEnabled());
        QVERIFY(w->txtSurname->isReadOnly());
        QVERIFY(w->txtComment->isReadOnly());
        QVERIFY(!w->cboSex->isEnabled());
        w->txtSurname->setText(QStringLiteral("x"));
        w->cmdSave_Click();
        QVERIFY(storedIn(path).isEmpty());
        QVERIFY(seams.messages.empty());
    }

    void oneInstanceThatFollowsTheFile()
    {
        ScriptedSeams seams;
        const QString first = fileWith(2);
        frmDetails* w = openDetails(first);
        QVERIFY(w);
        QCOMPARE(DetailsWindows::showDetails(), w);
        RecordingDetails other;
        other.surname = QStringLiteral("Second");
        const QString second = fileWith(1);
        {
            Connection c;
            QVERIFY(c.openFile(second));
            QVERIFY(RecordingDetailsStore::write(c, other));
        }
        makeReady(second);
        emit StateNotifier::instance().dataFileChanged();
        QCOMPARE(w->txtSurname->text(), QStringLiteral("Second"));
        QPointer<frmDetails> alive = w;
        gFileReady = false;
        emit StateNotifier::instance().dataFileChanged();
        flushDeletes();
        QVERIFY(!alive);
        // Without a file it does not open.
        QVERIFY(!DetailsWindows::showDetails());
    }

    void listCaptionAndSetAsideMarks()
    {
        ScriptedSeams seams;
        const QString path = fileWith(5);
        RecordingDetails d;
        d.surname = QStringLiteral("Doe");
        d.firstName = QStringLiteral("Jane");
        d.patientNumber = QStringLiteral("4711");
        d.birthDate = QDate(1960, 5, 17);
        d.recordingStart = QDateTime(QDate(2025, 12, 30), QTime(8, 30), Qt::UTC);
        {
            Connection c;
            QVERIFY(c.openFile(path));
            QVERIFY(RecordingDetailsStore::write(c, d));
        }
        frmList* list = openDataWindow(path, &DataWindows::showList);
        QVERIFY(list);
        QCOMPARE(list->windowTitle(), catText("frmList.caption") + QStringLiteral(" - Doe, Jane \u00b7 No. 4711 \u00b7 born "
                                                                                   "5/17/1960 \u00b7 recording from 12/30/2025 08:30"));
        // Set the third reading aside: the reason window is answered.
        list->grdDataGrid->setCurrentIndex(list->grdDataGrid->model()->index(2, 0));
        QVERIFY(gRecordset->setAbsolutePosition(3));
        seams.modalHandler = [](QDialog* dialog) {
            auto* w = qobject_cast<frmSetAside*>(dialog);
            w->cboReason->setCurrentIndex(int(SetAsideReason::Other));
            w->txtNote->setText(QStringLiteral("cuff loose"));
            return int(QDialog::Accepted);
        };
        list->mnuSetAside->trigger();
        QVERIFY2(seams.messages.empty(), qPrintable(seams.lastMessageText()));
        auto* model = static_cast<RecordsetTableModel*>(list->grdDataGrid->model());
        QVERIFY(model->setAsideAt(2));
        QVERIFY(!model->setAsideAt(1));
        QCOMPARE(model->data(model->index(2, 3), Qt::ToolTipRole).toString(),
                 QStringLiteral("Set aside: Other (cuff loose)"));
        QVERIFY(model->data(model->index(2, 3), Qt::BackgroundRole).isValid());
        if (const QString shots = qEnvironmentVariable("KORVANE_SHOT_DIR"); !shots.isEmpty()) {
            list->resize(1024, 768);
            list->show();
            QCoreApplication::processEvents();
            QVERIFY(list->grab().save(shots + QStringLiteral("/list-setaside-en.png")));
        }
        Connection c;
        QVERIFY(c.openFile(path));
        QCOMPARE(RecordingReview::read(c)->count(3), size_t(1));
        // Other without a text is refused in the reason window.
        // Taking back: no window, the mark goes.
        seams.modalHandler = nullptr;
        list->mnuSetAside->trigger();
        QVERIFY(!model->setAsideAt(2));
        QVERIFY(RecordingReview::read(c)->empty());
        QCOMPARE(seams.modalCount, 1);
    }

    void editorSetsAsideTheShownReading()
    {
        ScriptedSeams seams;
        const QString path = fileWith(3);
        frmbpdata* editor = openDataWindow(path, &DataWindows::showEditor);
        QVERIFY(editor);
        QVERIFY(editor->lblSetAside->text().isEmpty());
        seams.modalHandler = [](QDialog*) { return int(QDialog::Accepted); }; // Artefact, no text
        editor->mnuSetAside->trigger();
        QCOMPARE(editor->lblSetAside->text(), QStringLiteral("Set aside: Artefact"));
        editor->cmdNext_Click();
        QVERIFY(editor->lblSetAside->text().isEmpty());
        editor->cmdPrevious_Click();
        QCOMPARE(editor->lblSetAside->text(), QStringLiteral("Set aside: Artefact"));
        Connection c;
        QVERIFY(c.openFile(path));
        QCOMPARE(RecordingReview::read(c)->count(1), size_t(1));
        // Editing off at load: the command does nothing.
        DataWindows::closeEditor();
        flushDeletes();
        gEditEnabled = false;
        editor = openDataWindow(path, &DataWindows::showEditor);
        QVERIFY(!editor->mnuSetAside->isEnabled());
        editor->mnuSetAside->trigger();
        QCOMPARE(RecordingReview::read(c)->count(1), size_t(1));
        QCOMPARE(seams.modalCount, 1);
        DataWindows::closeEditor();
    }

    void reasonWindowRefusesOtherWithoutText()
    {
        ScriptedSeams seams;
        frmSetAside w(nullptr, 7);
        w.cboReason->setCurrentIndex(int(SetAsideReason::Other));
        w.accept();
        QCOMPARE(w.result(), int(QDialog::Rejected));
        QCOMPARE(seams.lastMessageText(), catText("review.msgOtherNeedsText"));
        w.txtNote->setText(QStringLiteral("cough"));
        w.accept();
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(w.mark(), (SetAside{SetAsideReason::Other, QStringLiteral("cough")}));
    }

    void rendersAt1024x768InBothEditions()
    {
        const QString shots = qEnvironmentVariable("KORVANE_SHOT_DIR");
        for (EditionId edition : {EditionId::English, EditionId::German}) {
            Edition::select(edition);
            ScriptedSeams seams;
            frmDetails* w = openDetails(fileWith(1, edition));
            QVERIFY(w);
            DetailsInput in;
            in.patientNumber = QStringLiteral("0123456789");
            in.surname = QStringLiteral("Schmidt-Hohenberger");
            in.firstName = QStringLiteral("Maximilian");
            in.birthDate = edition == EditionId::German ? QStringLiteral("01.02.1948") : QStringLiteral("2/1/1948");
            in.sex = PatientSex::Male;
            in.startDate = edition == EditionId::German ? QStringLiteral("30.12.2025") : QStringLiteral("12/30/2025");
            in.startTime = QStringLiteral("08:30");
            in.bedtime = QStringLiteral("22:45");
            in.wakeUp = QStringLiteral("06:30");
            in.officeSys = QStringLiteral("152");
            in.officeDia = QStringLiteral("94");
            in.physician = QStringLiteral("Dr. med. A. Beispiel");
            in.indication = QStringLiteral("Suspected white-coat hypertension");
            in.medication = QStringLiteral("Ramipril 5 mg 1-0-0");
            in.comment = QStringLiteral("Cuff on the left arm.");
            w->showInput(in);
            w->resize(1024, 768);
            w->show();
            QCoreApplication::processEvents();
            const QImage picture = w->grab().toImage();
            QCOMPARE(picture.size(), QSize(1024, 768));
            // Every box lies inside the window.
            for (QWidget* box : w->findChildren<QLineEdit*>())
                QVERIFY(w->rect().contains(QRect(box->mapTo(w, QPoint(0, 0)), box->size())));
            if (!shots.isEmpty())
                QVERIFY(picture.save(shots + QStringLiteral("/details-%1.png")
                                                 .arg(edition == EditionId::German ? "de" : "en")));
            DetailsWindows::closeDetails();
            flushDeletes();
        }
    }
};

QTEST_MAIN(TestDetailsWindow)
#include "test_detailswindow.moc"
