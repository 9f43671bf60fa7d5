// The password window's faces and checks, and the main window's password
// commands: both changes, both requirement switches.
#include "AppTestSupport.h"

#include "app/Main.h"
#include "support/ScriptedSeams.h"
#include "support/Unprivileged.h"

#include <QGroupBox>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

#include <cerrno>
#include <cstring>

using namespace apptest;

namespace {

struct Showing {
    QString caption;
    QString frame;
    bool okShown = false;
    bool changeShown = false;
    QLineEdit::EchoMode echo = QLineEdit::Normal;
    QString fontFamily;
    QString hint;
};

Showing look(frmLogin* login)
{
    Showing s;
    s.caption = login->windowTitle();
    s.frame = login->Frame1->title();
    s.okShown = !login->cmdOK->isHidden();
    s.changeShown = !login->cmdChange->isHidden();
    s.echo = login->txtPassword->echoMode();
    s.fontFamily = login->txtPassword->font().family();
    s.hint = login->Label1->text();
    return s;
}

// Answers the showings of the password window in turn.
class LoginScript {
public:
    using Step = std::function<int(frmLogin*)>;
    explicit LoginScript(ScriptedSeams& seams)
    {
        seams.modalHandler = [this](QDialog* d) {
            auto* login = qobject_cast<frmLogin*>(d);
            shown.push_back(look(login));
            if (steps.empty())
                return d->reject(), int(QDialog::Rejected);
            Step step = steps.front();
            steps.pop_front();
            login->show();
            const int result = step(login);
            login->hide();
            return result;
        };
    }
    void ok(const QString& text)
    {
        steps.push_back([text](frmLogin* l) {
            QTest::keyClicks(l->txtPassword, text);
            l->cmdOK->click();
            return l->result();
        });
    }
    void change(const QString& text)
    {
        steps.push_back([text](frmLogin* l) {
            QTest::keyClicks(l->txtPassword, text);
            l->cmdChange->click();
            return l->result();
        });
    }
    void wrongThenCancel(const QString& text)
    {
        steps.push_back([this, text](frmLogin* l) {
            QTest::keyClicks(l->txtPassword, text);
            l->cmdOK->click();
            hintAfterWrong = l->Label1->text();
            l->cmdCancel->click();
            return l->result();
        });
    }
    std::deque<Step> steps;
    std::vector<Showing> shown;
    QString hintAfterWrong;
};

bool passes(quint8 slot, const QString& text)
{
    ScriptedSeams seams;
    seams.modalHandler = [&](QDialog* d) { return typeAndPressOk(d, text); };
    frmLogin login;
    gPasswordSlot = slot;
    gLoginOK = false;
    seams.execModal(&login);
    return gLoginOK;
}

} // namespace

class TestPasswords : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        clearSettingsStore();
        gLoginRequired = true;
    }
    void cleanup() { tearDownShell(); }

    void defaultsPassOnlyInTheirSlotAndExactly()
    {
        QVERIFY(passes(0, QStringLiteral("kvtq1")));
        QVERIFY(passes(1, QStringLiteral("kvtq2")));
        QVERIFY(!passes(0, QStringLiteral("KVTQ1")));
        QVERIFY(!passes(1, QStringLiteral("KVTQ2")));
        QVERIFY(!passes(0, QStringLiteral("kvtq2")));
        QVERIFY(!passes(0, QStringLiteral("kvtq1 ")));
        QVERIFY(!passes(0, QString()));
        QVERIFY(passes(0, QStringLiteral("QexWo")));
        QVERIFY(passes(1, QStringLiteral("QexWo")));
        QVERIFY(!passes(1, QStringLiteral("qexwo")));
    }

    void freshWindowIsTheMaskedCheckFace()
    {
        frmLogin login;
        QCOMPARE(login.windowTitle(), QStringLiteral("Login "));
        QCOMPARE(login.Frame1->title(), ed("Input Login Password", "Login-Paßwort eingeben"));
        QCOMPARE(login.Label1->text(), ed("Try 5 Words Password", "Paßwort mit 5 Zeichen"));
        QCOMPARE(login.lblDescription->text(), ed("Blood Pressure Data Check", "Blutdruckdaten Auswertung"));
        QCOMPARE(login.cmdOK->text(), QStringLiteral("OK"));
        QCOMPARE(login.cmdChange->text(), ed("Change", "Ändern"));
        QCOMPARE(login.cmdCancel->text(), ed("Cancel", "Abbrechen"));
        QCOMPARE(login.txtPassword->font().family(), QStringLiteral("Arial Black"));
        login.show();
        QTest::keyClicks(login.txtPassword, QStringLiteral("abc"));
        QCOMPARE(login.txtPassword->displayText(), QStringLiteral("***"));
        QVERIFY(!login.txtPassword->accessibleName().isEmpty());
    }

    void enterIsOkAndEscapeIsCancel()
    {
        {
            frmLogin login;
            login.show();
            gPasswordSlot = 0;
            QTest::keyClicks(login.txtPassword, QStringLiteral("kvtq1"));
            QTest::keyClick(login.txtPassword, Qt::Key_Return);
            QVERIFY(gLoginOK);
            QVERIFY(!login.isVisible());
        }
        {
            frmLogin login;
            login.show();
            QTest::keyClick(login.txtPassword, Qt::Key_Escape);
            QVERIFY(!gLoginOK);
            QVERIFY(!login.isVisible());
        }
    }

    void changeLoginPasswordAsksThenStoresTheNewOne()
    {
        frmMain window;
        ScriptedSeams seams;
        seams.answers = {MsgAnswer::Yes};
        LoginScript script(seams);
        script.ok(QStringLiteral("kvtq1"));
        QString readableWhileTyped;
        script.steps.push_back([&](frmLogin* l) {
            QTest::keyClicks(l->txtPassword, QStringLiteral("n3w!1"));
            readableWhileTyped = l->txtPassword->displayText();
            l->cmdChange->click();
            return l->result();
        });
        window.menuItem("mnuSetLogin")->trigger();

        QCOMPARE(script.shown.size(), size_t(2));
        const Showing& old = script.shown[0];
        QCOMPARE(old.caption, ed("Change Login Password Need Old Login Password",
                                 "Zum Ändern des Login-Paßworts wird das alte Paßwort benötigt"));
        QCOMPARE(old.frame, ed("Input Login Password", "Login-Paßwort eingeben"));
        QVERIFY(old.okShown && !old.changeShown);
        QCOMPARE(old.echo, QLineEdit::Password);
        const Showing& fresh = script.shown[1];
        QCOMPARE(fresh.caption, ed("New Login Password", "Neues Login-Paßwort"));
        QCOMPARE(fresh.frame, ed("Input New Login Password", "Neues Login-Paßwort eingeben"));
        QVERIFY(!fresh.okShown && fresh.changeShown);
        QCOMPARE(fresh.echo, QLineEdit::Normal);
        QCOMPARE(fresh.fontFamily, QStringLiteral("system"));
        QCOMPARE(readableWhileTyped, QStringLiteral("n3w!1"));

        QCOMPARE(seams.messages.size(), size_t(1));
        QCOMPARE(seams.messages[0].text, ed("Change to n3w!1   ?", "Paßwort n3w!1 ändern  ?"));
        QCOMPARE(seams.messages[0].title, fresh.caption);
        QCOMPARE(int(seams.messages[0].icon), int(MsgIcon::Question));
        QCOMPARE(int(seams.messages[0].buttons), int(MsgButtons::YesNo));
        QCOMPARE(setting("PASSWORD1"), QStringLiteral("n3w!1"));
        QCOMPARE(setting("PASSWORD2"), QStringLiteral("<absent>"));
        QVERIFY(passes(0, QStringLiteral("n3w!1")));
        QVERIFY(!passes(0, QStringLiteral("kvtq1")));
        QVERIFY(passes(0, QStringLiteral("QexWo")));
    }

    void changeEditPasswordWithTheMasterPassword()
    {
        frmMain window;
        ScriptedSeams seams;
        seams.answers = {MsgAnswer::Yes};
        LoginScript script(seams);
        script.ok(QStringLiteral("QexWo"));
        script.change(QStringLiteral("edit9"));
        window.menuItem("mnuSetEdp")->trigger();
        QCOMPARE(script.shown.size(), size_t(2));
        QCOMPARE(script.shown[0].caption, ed("Change Edit Password Need Old Edit Password",
                                             "Zum Ändern des Bearbeiten-Paßworts wird das alte Paßwort benötigt"));
        QCOMPARE(script.shown[0].frame, ed("Input Edit Password", "Bearbeiten-Paßworts eingeben"));
        QCOMPARE(script.shown[1].caption, ed("New Edit Password", "Neues Bearbeiten-Paßworts"));
        QCOMPARE(script.shown[1].frame, ed("Input New Edit Password", "Neues Bearbeiten-Paßworts eingeben"));
        QCOMPARE(setting("PASSWORD2"), QStringLiteral("edit9"));
        QCOMPARE(setting("PASSWORD1"), QStringLiteral("<absent>"));
        QVERIFY(passes(1, QStringLiteral("edit9")));
        QVERIFY(!passes(1, QStringLiteral("kvtq2")));
    }

    void answeringNoStoresNothingAndCloses()
    {
        frmMain window;
        ScriptedSeams seams;
        seams.answers = {MsgAnswer::No};
        LoginScript script(seams);
        script.ok(QStringLiteral("kvtq1"));
        script.change(QStringLiteral("other"));
        window.menuItem("mnuSetLogin")->trigger();
        QCOMPARE(script.shown.size(), size_t(2));
        QCOMPARE(seams.messages.size(), size_t(1));
        QCOMPARE(setting("PASSWORD1"), QStringLiteral("<absent>"));
        QVERIFY(passes(0, QStringLiteral("kvtq1")));
    }

    void cancellingTheNewPasswordStoresNothing()
    {
        frmMain window;
        ScriptedSeams seams;
        LoginScript script(seams);
        script.ok(QStringLiteral("kvtq2"));
        script.steps.push_back([](frmLogin* l) {
            QTest::keyClicks(l->txtPassword, QStringLiteral("abc"));
            l->cmdCancel->click();
            return l->result();
        });
        window.menuItem("mnuSetEdp")->trigger();
        QCOMPARE(script.shown.size(), size_t(2));
        QCOMPARE(seams.messages.size(), size_t(0));
        QCOMPARE(setting("PASSWORD2"), QStringLiteral("<absent>"));
    }

    void anEmptyNewPasswordIsRefusedAndTheWindowStays()
    {
        frmMain window;
        ScriptedSeams seams;
        seams.answers = {MsgAnswer::Ok};
        LoginScript script(seams);
        script.ok(QStringLiteral("kvtq1"));
        bool stillShown = false;
        script.steps.push_back([&](frmLogin* l) {
            l->cmdChange->click();
            stillShown = l->isVisible();
            l->cmdCancel->click();
            return l->result();
        });
        window.menuItem("mnuSetLogin")->trigger();
        QVERIFY(stillShown);
        QCOMPARE(seams.messageTexts(), QStringList{ed("Password Can not be Empty !", "Paßwort darf nicht leer sein !")});
        QCOMPARE(seams.messages[0].title, ed("New Login Password", "Neues Login-Paßwort"));
        QCOMPARE(setting("PASSWORD1"), QStringLiteral("<absent>"));
        QVERIFY(passes(0, QStringLiteral("kvtq1")));
    }

    void anEmptyOrCommaSlotNeverTakesTheEmptyEntry()
    {
        putStoreFile("[Settings]\nPASSWORD1=\nPASSWORD2=ab,cd\n");
        QVERIFY(!passes(0, QString()));
        QVERIFY(passes(0, QStringLiteral("QexWo")));
        QVERIFY(passes(1, QStringLiteral("ab,cd")));
        QVERIFY(!passes(1, QString()));
        QVERIFY(!passes(1, QStringLiteral("ab")));
    }

    void aChangeTheStoreCannotTakeSaysWhyAndTheOldPasswordStays()
    {
        KORVANE_UNPRIVILEGED_WHEN_ROOT();
        setSetting("PASSWORD1", QStringLiteral("old12"));
        const QString store = settingsFilePath(QStringLiteral("KORVANE"));
        QVERIFY(QFile::setPermissions(store, QFileDevice::ReadOwner));
        const QString why = QString::fromLocal8Bit(std::strerror(EACCES));
        {
            frmMain window;
            ScriptedSeams seams;
            seams.answers = {MsgAnswer::Yes, MsgAnswer::Ok, MsgAnswer::Ok};
            LoginScript script(seams);
            script.ok(QStringLiteral("old12"));
            script.change(QStringLiteral("new12"));
            window.menuItem("mnuSetLogin")->trigger();
            QCOMPARE(script.shown.size(), size_t(2));
            QCOMPARE(seams.messageTexts(),
                     (QStringList{ed("Change to new12   ?", "Paßwort new12 ändern  ?"),
                                  ed("Password Not Changed ! , File  %1  Can not Save ! , %2",
                                     "Paßwort nicht geändert ! , Datei  %1  kann nicht gespeichert werden ! , %2")
                                      .arg(store, why)}));
            QCOMPARE(seams.messages[1].title, script.shown[1].caption);

            // A requirement switch that cannot be stored is not made.
            script.ok(QStringLiteral("old12"));
            QAction* item = window.menuItem("mnuSettingSecurityLogin");
            item->trigger();
            QCOMPARE(seams.messageTexts().last(),
                     ed("Setting Not Changed ! , File  %1  Can not Save ! , %2",
                        "Einstellung nicht geändert ! , Datei  %1  kann nicht gespeichert werden ! , %2")
                         .arg(store, why));
            QCOMPARE(seams.messages.back().title, window.windowTitle());
            QVERIFY(item->isChecked());
            QVERIFY(gLoginRequired);
            QCOMPARE(seams.unexpectedMessages, 0);
        }
        QVERIFY(passes(0, QStringLiteral("old12")));
        QVERIFY(!passes(0, QStringLiteral("new12")));
        // The next start asks for the old password.
        ScriptedSeams seams;
        seams.modalHandler = [](QDialog* d) { return typeAndPressOk(d, QStringLiteral("old12")); };
        QVERIFY(Main());
        QCOMPARE(setting("LOGIN"), QStringLiteral("<absent>"));
    }

    void aWrongOldPasswordThenCancelEndsWithoutASecondWindow()
    {
        frmMain window;
        ScriptedSeams seams;
        LoginScript script(seams);
        script.wrongThenCancel(QStringLiteral("KVTQ1"));
        window.menuItem("mnuSetLogin")->trigger();
        QCOMPARE(script.shown.size(), size_t(1));
        QCOMPARE(script.hintAfterWrong, ed("Wrong Password , Retry!", "X Paßwort , eingeben!"));
        QCOMPARE(seams.messages.size(), size_t(0));
        QCOMPARE(setting("PASSWORD1"), QStringLiteral("<absent>"));
    }

    void editRequirementSwitchesMenuItemAndButtonTenTogether()
    {
        frmMain window;
        window.show();
        QAction* item = window.menuItem("mnuSettingSecurityEdit");
        QAction* editItem = window.menuItem("mnuDataEdit");
        QToolButton* button10 =
            qobject_cast<QToolButton*>(window.tbToolBar()->widgetForAction(window.toolbarButton(10)));
        QVERIFY(!item->isChecked() && !editItem->isEnabled() && !button10->isEnabled());

        ScriptedSeams seams;
        LoginScript script(seams);
        script.ok(QStringLiteral("kvtq2"));
        item->trigger();
        QCOMPARE(script.shown.size(), size_t(1));
        QCOMPARE(script.shown[0].caption, ed("Edit Requirement Need Edit Password",
                                             "Anfrage bearbeiten wird das alte Paßwort benötigt"));
        QCOMPARE(script.shown[0].frame, ed("Input Edit Password", "Bearbeiten-Paßwort eingeben"));
        QVERIFY(item->isChecked());
        QVERIFY(gEditEnabled);
        QVERIFY(editItem->isEnabled());
        QVERIFY(button10->isEnabled());
        QCOMPARE(setting("EDIT"), QStringLiteral("YES"));

        script.ok(QStringLiteral("QexWo"));
        item->trigger();
        QVERIFY(!item->isChecked());
        QVERIFY(!gEditEnabled);
        QVERIFY(!editItem->isEnabled());
        QVERIFY(!button10->isEnabled());
        QCOMPARE(setting("EDIT"), QStringLiteral("NO"));

        // A failed check changes nothing.
        script.wrongThenCancel(QStringLiteral("kvtq1"));
        item->trigger();
        QVERIFY(!item->isChecked() && !gEditEnabled && !button10->isEnabled());
        QCOMPARE(setting("EDIT"), QStringLiteral("NO"));
    }

    void loginRequirementSwitchesAndTakesEffectAtTheNextStart()
    {
        frmMain window;
        QAction* item = window.menuItem("mnuSettingSecurityLogin");
        QVERIFY(item->isChecked());
        ScriptedSeams seams;
        LoginScript script(seams);
        script.ok(QStringLiteral("kvtq1"));
        item->trigger();
        QCOMPARE(script.shown[0].caption, ed("Login Requirement Need Login Password",
                                             "Login-Anfrage wird das alte Paßwort benötigt"));
        QCOMPARE(script.shown[0].frame, ed("Input Login Password", "Login-Paßwort eingeben"));
        QVERIFY(!item->isChecked());
        QVERIFY(!gLoginRequired);
        QCOMPARE(setting("LOGIN"), QStringLiteral("NO"));
        {
            // The next start shows the main window without asking.
            const int shownBefore = seams.modalCount;
            QVERIFY(Main());
            QCOMPARE(seams.modalCount, shownBefore);
            QVERIFY(!mainWindow()->menuItem("mnuSettingSecurityLogin")->isChecked());
            mainWindow()->close();
            delete gMainWindow;
            gMainWindow = nullptr;
        }

        // Refused: nothing changes.
        script.ok(QStringLiteral("kvtq2"));
        script.shown.clear();
        seams.modalCount = 0;
        item->trigger();
        QVERIFY(!item->isChecked());
        QCOMPARE(setting("LOGIN"), QStringLiteral("NO"));

        script.steps.clear();
        script.ok(QStringLiteral("QexWo"));
        item->trigger();
        QVERIFY(item->isChecked());
        QVERIFY(gLoginRequired);
        QCOMPARE(setting("LOGIN"), QStringLiteral("YES"));
    }

    void screenshot()
    {
        const QByteArray folder = qgetenv("KORVANE_SHOTS");
        if (folder.isEmpty())
            QSKIP("set KORVANE_SHOTS to a folder to keep pictures of the window");
        frmLogin login;
        login.setWindowTitle(ed("Login KORVANE", "KORVANE System-Login"));
        login.cmdChange->hide();
        login.show();
        QTest::keyClicks(login.txtPassword, QStringLiteral("KVTQ1"));
        gPasswordSlot = 0;
        login.cmdOK->click();
        const QString suffix = german() ? QStringLiteral("-de.png") : QStringLiteral("-en.png");
        QVERIFY(login.grab().save(QString::fromUtf8(folder) + "/login" + suffix));
        frmLogin fresh;
        fresh.prepareNewPassword(ed("New Login Password", "Neues Login-Paßwort"),
                                 ed("Input New Login Password", "Neues Login-Paßwort eingeben"));
        fresh.show();
        QTest::keyClicks(fresh.txtPassword, QStringLiteral("abcde"));
        QVERIFY(fresh.grab().save(QString::fromUtf8(folder) + "/login-new" + suffix));
    }
};

KORVANE_EDITIONS_MAIN(TestPasswords)
#include "test_passwords.moc"
