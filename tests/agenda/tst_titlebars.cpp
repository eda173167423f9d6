// The main program's forms that may be neither minimised nor maximised offer only the close
// button; the week planner keeps both.

#include "TitleBarButtons.h"
#include "frmAddAppunta.h"
#include "frmAddPro.h"
#include "frmAppunta.h"
#include "frmLogin.h"
#include "frmProp.h"
#include "frmSettings.h"
#include "frmTab.h"

#include <QtTest>
#include <functional>
#include <memory>

using MakeForm = std::function<QWidget *()>;
Q_DECLARE_METATYPE(MakeForm)

class tst_TitleBars : public QObject
{
    Q_OBJECT
private slots:
    void buttons_data()
    {
        QTest::addColumn<MakeForm>("make");
        QTest::addColumn<bool>("closeOnly");
        QTest::newRow("frmLogin") << MakeForm([] { return new frmLogin(nullptr); }) << true;
        QTest::newRow("frmSettings") << MakeForm([] { return new frmSettings; }) << true;
        QTest::newRow("frmProp") << MakeForm([] { return new frmProp; }) << true;
        QTest::newRow("frmAddPro") << MakeForm([] { return new frmAddPro; }) << true;
        QTest::newRow("frmAddAppunta") << MakeForm([] { return new frmAddAppunta; }) << true;
        QTest::newRow("frmTurni") << MakeForm([] { return new frmTurni; }) << true;
        QTest::newRow("frmPostazioni") << MakeForm([] { return new frmPostazioni; }) << true;
        QTest::newRow("frmAppunta") << MakeForm([] { return new frmAppunta; }) << false;
    }

    void buttons()
    {
        QFETCH(MakeForm, make);
        QFETCH(bool, closeOnly);
        const std::unique_ptr<QWidget> form(make());
        const Qt::WindowFlags buttons = TitleBarButtons::of(form.get());
        if (closeOnly)
            QCOMPARE(buttons, TitleBarButtons::CloseOnly);
        else
            QCOMPARE(buttons & Qt::WindowMinMaxButtonsHint, Qt::WindowMinMaxButtonsHint);
    }
};

QTEST_MAIN(tst_TitleBars)
#include "tst_titlebars.moc"
