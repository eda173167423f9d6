// Every editor's lists of choices, and the movement search panel's, show their longest entry whole:
// in the closed combo where its form has the room, and always in its drop-down.

#include "../core/FormFixture.h"

#include "frmAddAppunta.h"
#include "frmMain.h"
#include "frmMov.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionComboBox>

using WindowMaker = std::function<std::unique_ptr<QWidget>()>;
Q_DECLARE_METATYPE(WindowMaker)

namespace {
template <class W> WindowMaker window()
{
    return [] { return std::unique_ptr<QWidget>(std::make_unique<W>()); };
}
}

class tst_PickLists : public QObject, FormTest<QWidget>
{
    Q_OBJECT

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    void longestEntryShowsWhole_data()
    {
        QTest::addColumn<WindowMaker>("make");
        QTest::addColumn<QString>("seed");
        QTest::addColumn<QString>("combo");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("closed");   // the closed combo shows it too
        const QString type = QStringLiteral("INSERT INTO TipoMov (Descrizione, EntrateUscite) VALUES "
                                            "('Spesa', 0), ('Spesa alimentare settimanale', 0);");
        QTest::newRow("frmMov dtcMov") << window<frmMov>() << type << "dtcMov" << "Spesa alimentare settimanale (Uscita)"
                                       << true;
        QTest::newRow("frmMov dtcConto")
            << window<frmMov>()
            << "INSERT INTO Conti (NConto, Descrizione) VALUES ('IT60X0542811101000000123456', "
               "'Conto corrente cointestato Banca Popolare di Sondrio');"
            << "dtcConto" << "Conto corrente cointestato Banca Popolare di Sondrio - IT60X0542811101000000123456" << true;
        QTest::newRow("frmAddAppunta dtcPostazione")
            << window<frmAddAppunta>()
            << "INSERT INTO Postazioni (Nominativo, DescrBreve) VALUES ('Studio', 'A'), ('Ambulatorio', 'Sala visite piano terra');"
            << "dtcPostazione" << "Ambulatorio - Sala visite piano terra" << true;
        QTest::newRow("search panel cboMov") << window<frmMain>() << type << "cboMov"
                                             << "Spesa alimentare settimanale (Uscita)" << false;
    }
    void longestEntryShowsWhole()
    {
        QFETCH(WindowMaker, make);
        QFETCH(QString, seed);
        QFETCH(QString, combo);
        QFETCH(QString, entry);
        QFETCH(bool, closed);
        db->exec(seed);
        std::unique_ptr<QWidget> form = make();
        QVERIFY(ui::open(form.get()));
        auto *box = ui::field<QComboBox>(form.get(), qPrintable(combo));
        const int row = box->findText(entry);
        QVERIFY(row >= 0);
        if (closed) {
            box->setCurrentIndex(row);
            QStyleOptionComboBox opt;
            opt.initFrom(box);
            opt.editable = box->isEditable();
            const QRect field = box->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, box);
            QVERIFY2(field.width() >= box->fontMetrics().horizontalAdvance(entry), qPrintable(QString::number(field.width())));
        }
        box->showPopup();
        QAbstractItemView *list = box->view();
        const QModelIndex index = list->model()->index(row, box->modelColumn());
        const int shown = list->visualRect(index).width();
        box->hidePopup();
        QVERIFY2(shown >= list->sizeHintForIndex(index).width(), qPrintable(QString::number(shown)));
    }

    // However long an entry, the form still fits its screen: the closed combo grows only so far.
    void formStillFitsTheScreen_data()
    {
        QTest::addColumn<WindowMaker>("make");
        QTest::addColumn<QString>("seed");
        const QString name = QString(300, QLatin1Char('M'));
        QTest::newRow("frmMov, an account") << window<frmMov>()
                                            << "INSERT INTO Conti (NConto, Descrizione) VALUES ('1', '" + name + "');";
        QTest::newRow("frmAddAppunta, a contact") << window<frmAddAppunta>()
                                                  << "INSERT INTO Contatti (Nome, cognome) VALUES ('Anna', '" + name + "');";
    }
    void formStillFitsTheScreen()
    {
        QFETCH(WindowMaker, make);
        QFETCH(QString, seed);
        db->exec(seed);
        std::unique_ptr<QWidget> form = make();
        QVERIFY(ui::open(form.get()));
        const int room = form->screen()->availableGeometry().width();
        QVERIFY2(form->frameGeometry().width() <= room, qPrintable(QString::number(form->frameGeometry().width())));
    }
};

QTEST_MAIN(tst_PickLists)
#include "tst_picklists.moc"
