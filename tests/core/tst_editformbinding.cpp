// The editing form's bindings beyond text boxes, through a small contact editor: a combo bound by
// its text, a date picker with a tick box, and two boxes of one column.

#include "FormFixture.h"

#include "DatePicker.h"
#include "EditForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLineEdit>

namespace {
class ContactEditor : public EditForm
{
public:
    ContactEditor()
        : EditForm(SingleRecord, {QStringLiteral("Contatti"), QStringLiteral("IdContatto"), QStringLiteral("Edit Contatti"), 7001})
    {
        txtSname = textBox("txtSname");
        txtFirst = textBox("txtFirst");
        txtGender = new QComboBox(Frame1);
        txtGender->setObjectName(QStringLiteral("txtGender"));
        txtGender->setEditable(true);
        Dtp1 = new DatePicker(Frame1);
        Dtp1->setObjectName(QStringLiteral("Dtp1"));
        addField(0, 0, QStringLiteral("Nome:"), txtSname);
        addField(1, 0, QStringLiteral("Nome:"), txtFirst);
        addField(2, 0, QStringLiteral("Sesso:"), txtGender);
        addField(3, 0, QStringLiteral("Data nascita:"), Dtp1);
        bind(txtSname, QStringLiteral("Nome"));
        bind(txtFirst, QStringLiteral("nome"));
        bind(txtGender, QStringLiteral("Sesso"));
        bind(Dtp1, QStringLiteral("Nascita"));
        connect(txtGender, &QComboBox::currentTextChanged, this, [this](const QString &text) { chosen.append(text); });
    }

    QStringList chosen;   // the texts the combo's change handler saw

protected:
    // Item data that must not reach the column: the combo binds by its text.
    void bindingControls() override
    {
        txtGender->clear();
        txtGender->addItem(QStringLiteral("M"), 1);
        txtGender->addItem(QStringLiteral("F"), 2);
    }

    QString requiredFieldMessage() const override { return {}; }
    void prepareLoad() override { Dtp1->clear(); }

private:
    QLineEdit *txtSname;
    QLineEdit *txtFirst;
    QComboBox *txtGender;
    DatePicker *Dtp1;
};
}

class tst_EditFormBinding : public QObject, FormTest<ContactEditor>
{
    Q_OBJECT

    std::unique_ptr<ContactEditor> openOn(const QString &columns, const QString &values)
    {
        db->exec(QStringLiteral("INSERT INTO Contatti (IdContatto, %1) VALUES (5, %2);").arg(columns, values));
        auto form = std::make_unique<ContactEditor>();
        form->setRecordId(5);
        if (!ui::open(form.get()))
            qFatal("the form did not open");
        return form;
    }
    QVariant saved(const char *column)
    {
        return db->value(QStringLiteral("SELECT %1 FROM Contatti WHERE IdContatto = 5").arg(QLatin1String(column)));
    }

private slots:
    void init() { start(); }
    void cleanup() { stop(); }

    // An editable combo shows and writes its text, whether its list holds it or not.
    void comboBoundByItsText_data()
    {
        QTest::addColumn<QString>("stored");     // SQL literal
        QTest::addColumn<QString>("typed");      // "" types nothing
        QTest::addColumn<int>("key");            // a key pressed on the combo, 0 none
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QVariant>("written");
        QTest::newRow("in the list") << "'F'" << "" << 0 << "F" << 0 << QVariant("F");
        QTest::newRow("not in the list") << "'X'" << "" << 0 << "X" << 0 << QVariant("X");
        QTest::newRow("Null") << "NULL" << "" << 0 << "" << 0 << QVariant();
        QTest::newRow("typed") << "'F'" << "Maschio" << 0 << "Maschio" << 1 << QVariant("Maschio");
        QTest::newRow("typed, Enter") << "'F'" << "X" << int(Qt::Key_Return) << "X" << 1 << QVariant("X");
        QTest::newRow("chosen") << "'F'" << "" << int(Qt::Key_Up) << "M" << 1 << QVariant("M");
    }
    void comboBoundByItsText()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, shown);
        QFETCH(int, mode);
        QFETCH(QVariant, written);
        auto form = openOn(QStringLiteral("Sesso"), stored);
        auto *combo = ui::field<QComboBox>(form.get(), "txtGender");
        QCOMPARE(combo->lineEdit()->cursorPosition(), 0);   // a loaded text shows its start
        combo->setFocus();
        if (!typed.isEmpty()) {
            combo->lineEdit()->selectAll();
            QTest::keyClicks(combo, typed);
        }
        if (key)
            QTest::keyClick(combo, Qt::Key(key));
        QCOMPARE(combo->currentText(), shown);
        QCOMPARE(combo->count(), 2);   // the list stays the form's
        QCOMPARE(form->editMode(), mode);
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last().text, QStringLiteral("Registrazione completata."));
        QCOMPARE(saved("Sesso"), written);
    }

    // Refilling the list at the binding is no choice: the change handler sees only the record's value.
    void refillIsNoChoice_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("chosen");
        QTest::newRow("Null") << "NULL" << QStringList{};
        QTest::newRow("F") << "'F'" << QStringList{"F"};
    }
    void refillIsNoChoice()
    {
        QFETCH(QString, stored);
        QFETCH(QStringList, chosen);
        auto form = openOn(QStringLiteral("Sesso"), stored);
        QCOMPARE(form->chosen, chosen);
        QCOMPARE(form->editMode(), 0);
    }

    // The tick box says whether the column holds a date: unticked is Null, ticking takes the date shown.
    void datePickerWithTickBox_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("clickTick");
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QDate>("shown");
        QTest::addColumn<int>("mode");
        QTest::addColumn<QVariant>("written");
        const QDate today(2024, 3, 5);
        const QDate birth(1980, 5, 17);
        QTest::newRow("a date") << "'1980-05-17'" << false << true << birth << 0 << QVariant("1980-05-17");
        QTest::newRow("Null: today, greyed") << "NULL" << false << false << today << 0 << QVariant();
        QTest::newRow("ticked: today") << "NULL" << true << true << today << 1 << QVariant("2024-03-05");
        QTest::newRow("unticked: Null") << "'1980-05-17'" << true << false << birth << 1 << QVariant();
    }
    void datePickerWithTickBox()
    {
        QFETCH(QString, stored);
        QFETCH(bool, clickTick);
        QFETCH(bool, ticked);
        QFETCH(QDate, shown);
        QFETCH(int, mode);
        QFETCH(QVariant, written);
        auto form = openOn(QStringLiteral("Nascita"), stored);
        auto *picker = ui::field<DatePicker>(form.get(), "Dtp1");
        if (clickTick)
            QTest::mouseClick(picker->tickBox(), Qt::LeftButton, {}, QPoint(4, picker->tickBox()->height() / 2));
        QCOMPARE(picker->tickBox()->isChecked(), ticked);
        QCOMPARE(picker->dateBox()->isEnabled(), ticked);
        QCOMPARE(picker->dateBox()->date(), shown);
        QCOMPARE(form->editMode(), mode);
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last().text, QStringLiteral("Registrazione completata."));
        QCOMPARE(saved("Nascita"), written);
    }

    // Two boxes of one column show each other's typing; the one typed last is what is written.
    void twoBoxesOfOneColumn_data()
    {
        QTest::addColumn<QStringList>("typing");   // box, text, box, text ...
        QTest::addColumn<QString>("written");
        QTest::newRow("summary box") << QStringList{"txtSname", "Anna"} << "Anna";
        QTest::newRow("name box") << QStringList{"txtFirst", "Bea"} << "Bea";
        QTest::newRow("one then the other") << QStringList{"txtFirst", "Anna", "txtSname", "Bea"} << "Bea";
        QTest::newRow("back to the first") << QStringList{"txtSname", "Anna", "txtFirst", "Bea", "txtSname", "Cleo"}
                                           << "Cleo";
    }
    void twoBoxesOfOneColumn()
    {
        QFETCH(QStringList, typing);
        QFETCH(QString, written);
        auto form = openOn(QStringLiteral("Nome"), QStringLiteral("'Zoe'"));
        QCOMPARE(ui::field(form.get(), "txtSname")->text(), QStringLiteral("Zoe"));
        QCOMPARE(ui::field(form.get(), "txtFirst")->text(), QStringLiteral("Zoe"));
        for (int i = 0; i + 1 < typing.size(); i += 2)
            ui::type(form.get(), typing[i].toLatin1().constData(), typing[i + 1]);
        QCOMPARE(ui::field(form.get(), "txtSname")->text(), written);
        QCOMPARE(ui::field(form.get(), "txtFirst")->text(), written);
        ui::click(form.get(), "cmdOk");
        QCOMPARE(msg->last().text, QStringLiteral("Registrazione completata."));
        QCOMPARE(saved("Nome").toString(), written);
    }
};

QTEST_MAIN(tst_EditFormBinding)
#include "tst_editformbinding.moc"
