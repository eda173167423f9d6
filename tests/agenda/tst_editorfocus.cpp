// Every editor built on the editing form opens with the focus on its first field (the contact editor
// on the first of the tab it shows), ready to type; in every form Enter presses the button that has
// the focus, else the form's default button; and the forms so designed open in the screen's centre.

#include "../core/FormFixture.h"

#include "frmAddAppunta.h"
#include "frmAppunta.h"
#include "frmAddPro.h"
#include "frmConti.h"
#include "frmMov.h"
#include "frmProp.h"
#include "frmSettings.h"
#include "frmTipoMov.h"
#include "frmTab.h"
#include "frmTipoPag.h"
#include "frmUtenti.h"

#include <QAbstractButton>
#include <QDialog>
#include <QMainWindow>
#include <QScreen>
#include <QSignalSpy>

namespace {
using ChildMaker = std::unique_ptr<QDialog> (*)(QWidget *);
template <class Form> std::unique_ptr<QDialog> child(QWidget *parent) { return std::make_unique<Form>(parent); }
}
Q_DECLARE_METATYPE(ChildMaker)

class tst_EditorFocus : public QObject, FormTest<QDialog>
{
    Q_OBJECT

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    void opensOnItsFirstField_data()
    {
        QTest::addColumn<FormMaker>("make");
        QTest::addColumn<QString>("first");
        QTest::newRow("frmConti") << maker<frmConti>() << "txtConto";
        QTest::newRow("frmTipoMov") << maker<frmTipoMov>() << "txtDescr";
        QTest::newRow("frmTipoPag") << maker<frmTipoPag>() << "txtDescr";
        QTest::newRow("frmUtenti") << maker<frmUtenti>() << "txtNome";
        QTest::newRow("frmMov") << maker<frmMov>() << "txtReg";
        QTest::newRow("frmProp") << maker<frmProp>() << "txtFirst";
        QTest::newRow("frmAddPro") << maker<frmAddPro>() << "txtData";
        QTest::newRow("frmAddAppunta") << maker<frmAddAppunta>() << "txtCliente";
    }
    void opensOnItsFirstField()
    {
        QFETCH(FormMaker, make);
        QFETCH(QString, first);
        const auto form = make();
        QVERIFY(ui::open(form.get()));
        QWidget *field = ui::field<QWidget>(form.get(), first.toLatin1().constData());
        QWidget *focus = QApplication::focusWidget();
        QVERIFY2(focus && (focus == field || field->isAncestorOf(focus)),
                 qPrintable(QStringLiteral("focus on ") + (focus ? focus->objectName() + QLatin1Char(' ')
                                                                     + QString::fromLatin1(focus->metaObject()->className())
                                                               : QStringLiteral("nothing"))));
    }

    // "&Nuovo", pressed by its letter from a later box, puts the focus on the first field: what is
    // typed next goes there (the reminder editor starts from a reminder it was showing).
    void newRecordStartsOnTheFirstField_data()
    {
        QTest::addColumn<FormMaker>("make");
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("later");
        QTest::addColumn<QString>("first");
        QTest::newRow("frmConti") << maker<frmConti>() << 0 << "txtInfo" << "txtConto";
        QTest::newRow("frmTipoMov") << maker<frmTipoMov>() << 0 << "txtAltro" << "txtDescr";
        QTest::newRow("frmTipoPag") << maker<frmTipoPag>() << 0 << "txtAltro" << "txtDescr";
        QTest::newRow("frmUtenti") << maker<frmUtenti>() << 0 << "txtMail" << "txtNome";
        QTest::newRow("frmMov") << maker<frmMov>() << 0 << "txtInfo" << "txtReg";
        QTest::newRow("frmProp") << maker<frmProp>() << 0 << "txtLast" << "txtFirst";
        QTest::newRow("frmAddPro") << maker<frmAddPro>() << 1 << "txtDescr" << "txtData";
    }
    void newRecordStartsOnTheFirstField()
    {
        QFETCH(FormMaker, make);
        QFETCH(int, id);
        QFETCH(QString, later);
        QFETCH(QString, first);
        db->exec(QStringLiteral("INSERT INTO Promemoria (IdPromemoria, Testo, data) VALUES (1, 'Bollo', '2024-03-01');"));
        const auto form = make();
        static_cast<EditForm *>(form.get())->setRecordId(id);
        QVERIFY(ui::open(form.get()));
        ui::type(form.get(), later.toLatin1().constData(), QStringLiteral("x"));
        QSignalSpy pressed(ui::field<QAbstractButton>(form.get(), "Command1"), &QAbstractButton::clicked);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
        QVERIFY(pressed.wait());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("10/03/2024"));
        QCOMPARE(ui::field(form.get(), first.toLatin1().constData())->text(), QStringLiteral("10/03/2024"));
    }

    // Enter on a command button presses it; on another control it presses the default button, if
    // the form has one, except in a box of several lines or a grid, which take Enter themselves.
    void enterPressesTheFocusedButton_data()
    {
        QTest::addColumn<FormMaker>("make");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("pressed");   // "": no button
        QTest::newRow("appointment, Chiudi") << maker<frmAddAppunta>() << "Command1" << "Command1";
        QTest::newRow("appointment, delete") << maker<frmAddAppunta>() << "Command6" << "Command6";
        QTest::newRow("appointment, date") << maker<frmAddAppunta>() << "DTPicker1" << "cmdReg";
        QTest::newRow("appointment, client") << maker<frmAddAppunta>() << "txtCliente" << "cmdReg";
        QTest::newRow("appointment, notes") << maker<frmAddAppunta>() << "txtDescr" << "";
        QTest::newRow("contact, Ok") << maker<frmProp>() << "cmdOk" << "cmdOk";
        QTest::newRow("contact, box") << maker<frmProp>() << "txtFirst" << "";
        QTest::newRow("accounts, Nuovo") << maker<frmConti>() << "Command1" << "Command1";
        QTest::newRow("accounts, list") << maker<frmConti>() << "grdThis" << "";
        QTest::newRow("planner, next week") << maker<frmAppunta>() << "cmdNext" << "cmdNext";
        QTest::newRow("planner, list") << maker<frmAppunta>() << "ListView1_1" << "";
        QTest::newRow("shifts, refresh") << maker<frmTurni>() << "cmdRefresh" << "cmdRefresh";
        QTest::newRow("shifts, grid") << maker<frmTurni>() << "grdDataGrid" << "";
        QTest::newRow("workstations, last") << maker<frmPostazioni>() << "cmdLast" << "cmdLast";
    }
    void enterPressesTheFocusedButton()
    {
        QFETCH(FormMaker, make);
        QFETCH(QString, focus);
        QFETCH(QString, pressed);
        const auto form = make();
        QVERIFY(ui::open(form.get()));
        QStringList clicked;
        for (QAbstractButton *b : form->findChildren<QAbstractButton *>()) {
            if (!b->isCheckable())
                connect(b, &QAbstractButton::clicked, this, [&clicked, b] { clicked << b->objectName(); });
        }
        QWidget *target = ui::field<QWidget>(form.get(), focus.toLatin1().constData());
        target->setFocus();
        QVERIFY(target->hasFocus() || target->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        ui::settle();
        QCOMPARE(clicked, pressed.isEmpty() ? QStringList() : QStringList{pressed});
    }

    // Opened by a main window that stands off the screen's centre, as the program opens them.
    void opensInTheScreensCentre_data()
    {
        QTest::addColumn<ChildMaker>("make");
        QTest::newRow("contact editor") << &child<frmProp>;
        QTest::newRow("reminder editor") << &child<frmAddPro>;
        QTest::newRow("appointment editor") << &child<frmAddAppunta>;
        QTest::newRow("planner") << &child<frmAppunta>;
        QTest::newRow("settings") << &child<frmSettings>;
    }
    void opensInTheScreensCentre()
    {
        QFETCH(ChildMaker, make);
        QMainWindow main;
        main.setGeometry(10, 40, 300, 200);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        const auto form = make(&main);
        QVERIFY(ui::open(form.get()));
        // Centred with its frame on each axis where it fits, to the pixel (a frame counted twice is a
        // frame's width off); a form larger than the screen starts at its edge.
        const QRect frame = form->frameGeometry();
        const QRect desk = form->screen()->availableGeometry();
        const QPoint offset = frame.center() - desk.center();
        QVERIFY2(frame.width() > desk.width() ? frame.left() == desk.left() : offset.x() == 0,
                 qPrintable(QStringLiteral("x %1").arg(offset.x())));
        QVERIFY2(frame.height() > desk.height() ? frame.top() == desk.top() : offset.y() == 0,
                 qPrintable(QStringLiteral("y %1").arg(offset.y())));
    }
};

QTEST_MAIN(tst_EditorFocus)
#include "tst_editorfocus.moc"
