// Every editor built on the editing form opens with the focus on its first field (the contact editor
// on the first of the tab it shows), ready to type.

#include "../core/FormFixture.h"

#include "frmAddAppunta.h"
#include "frmAddPro.h"
#include "frmConti.h"
#include "frmMov.h"
#include "frmProp.h"
#include "frmTipoMov.h"
#include "frmTipoPag.h"
#include "frmUtenti.h"

#include <QDialog>

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
};

QTEST_MAIN(tst_EditorFocus)
#include "tst_editorfocus.moc"
