// The editing form's shape as a form gives it: its fields on a tab control, its buttons and the Tab
// key's order, and its failure texts.

#include "FormFixture.h"

#include "AppError.h"
#include "DatePicker.h"
#include "EditForm.h"
#include "MsgBox.h"
#include "db/Recordset.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>

namespace {
// The accounts table under the shapes of the program's editors: the plain frame, six tabs of a
// contact, one framed tab of an appointment.
class ShapedEditor : public EditForm
{
public:
    enum Kind { Plain, Tabs, FramedTab };
    explicit ShapedEditor(Kind kind, const QString &table = QStringLiteral("Conti"))
        : EditForm(SingleRecord, {table, QStringLiteral("IdConto"), QStringLiteral("Conto"), 1})
    {
        if (kind == Tabs) {
            fieldTabs("Sst1");
            addTab(QStringLiteral("Sommario"));
            addField(0, 0, QStringLiteral("Descrizione:"), textBox("txtSdescr"));
            addTab(QStringLiteral("Dettagli"));
            addField(0, 0, QStringLiteral("Descrizione:"), textBox("txtDescr"));
            addField(1, 0, QStringLiteral("N°:"), textBox("txtConto"));
            placeButtons({Command1, Command6, cmdOk, cmdCancel});
            tabs = findChild<QTabWidget *>(QStringLiteral("Sst1"));
            tabs->setCurrentIndex(1);
        } else if (kind == FramedTab) {
            fieldTabs("SSTab1");
            addTab(QStringLiteral("Conto"), true);
            addField(0, 0, QStringLiteral("N°:"), textBox("txtConto"));
            addField(1, 0, QStringLiteral("Descrizione:"), textBox("txtDescr"));
            placeButtons({Command6, nullptr, cmdOk, cmdCancel});
            cmdOk->setObjectName(QStringLiteral("cmdReg"));
            cmdOk->setText(QStringLiteral("Registra"));
            cmdOk->setDefault(true);
            cmdCancel->setObjectName(QStringLiteral("Command1"));
            cmdCancel->setText(QStringLiteral("&Chiudi"));
            setFocusOrder({field("txtConto"), field("txtDescr"), cmdOk, cmdCancel, Command6});
        } else {
            addField(0, 0, QStringLiteral("N°:"), textBox("txtConto"));
            addField(0, 1, QStringLiteral("Comune:"), textBox("txtComune"));
            addField(1, 0, QStringLiteral("Descrizione:"), textBox("txtDescr"), 1, 3);
            // A compound control (unticked, its date box is out of the Tab order).
            auto *date = new DatePicker(Frame1);
            date->setObjectName(QStringLiteral("Dtp1"));
            addField(2, 0, QStringLiteral("Apertura:"), date);
            bind(field("txtComune"), QStringLiteral("ComuConto"));
        }
        bind(field("txtDescr"), QStringLiteral("Descrizione"));
        bind(field("txtConto"), QStringLiteral("NConto"));
        resize(420, 260);
    }
    QLineEdit *field(const char *name) const { return findChild<QLineEdit *>(QLatin1String(name)); }
    using EditForm::failureTexts;

    QTabWidget *tabs = nullptr;
    int duplicateKey = 0;

protected:
    QString requiredFieldMessage() const override { return {}; }
    void beforeWrite() override
    {
        if (duplicateKey)
            rs().setValue(QStringLiteral("IdConto"), duplicateKey);
    }
};

// Where a control stands: the tab control and page, and the frame, that hold it.
QString placeOf(QWidget *w, QWidget *form)
{
    QStringList path;
    for (QWidget *p = w->parentWidget(); p && p != form; p = p->parentWidget()) {
        if (auto *tabs = qobject_cast<QTabWidget *>(p)) {
            int page = 0;
            while (page < tabs->count() && !tabs->widget(page)->isAncestorOf(w))
                ++page;
            path.prepend(tabs->objectName() + QLatin1Char('/') + QString::number(page));
        } else if (p->objectName() == QLatin1String("Frame1"))
            path.prepend(QStringLiteral("Frame1"));
    }
    return path.join(QLatin1Char('/'));
}

// The named control that holds the focus (the inner box of a compound control counts as it).
QString focusName()
{
    for (QWidget *w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")))
            return w->objectName();
    }
    return {};
}
}

class tst_EditFormShape : public QObject, FormTest<ShapedEditor>
{
    Q_OBJECT

private slots:
    void init()
    {
        start();
        db->exec(QStringLiteral("INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (7, '7', 'Sette');"));
    }
    void cleanup() { stop(); }

    // A form's fields stand in the frame, on the pages of a tab control, or in a frame on a page.
    void fieldsOnTabs_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("tabs");           // captions of the tab control's pages
        QTest::addColumn<QString>("frameTitle");         // "-": no frame
        QTest::addColumn<QStringList>("places");         // field=place
        QTest::newRow("frame") << int(ShapedEditor::Plain) << QStringList() << "Aggiungi/modifica"
                               << QStringList{"txtConto=Frame1", "txtDescr=Frame1"};
        QTest::newRow("tabs") << int(ShapedEditor::Tabs) << QStringList{"Sommario", "Dettagli"} << "-"
                              << QStringList{"txtSdescr=Sst1/0", "txtDescr=Sst1/1", "txtConto=Sst1/1"};
        QTest::newRow("framed tab") << int(ShapedEditor::FramedTab) << QStringList{"Conto"} << ""
                                    << QStringList{"txtConto=SSTab1/0/Frame1", "txtDescr=SSTab1/0/Frame1"};
    }
    void fieldsOnTabs()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, tabs);
        QFETCH(QString, frameTitle);
        QFETCH(QStringList, places);
        ShapedEditor form{ShapedEditor::Kind(kind)};
        form.setRecordId(7);
        QVERIFY(ui::open(&form));
        const auto tabControls = form.findChildren<QTabWidget *>();
        QCOMPARE(tabControls.size(), tabs.isEmpty() ? 0 : 1);
        for (int i = 0; i < tabs.size(); ++i)
            QCOMPARE(tabControls.first()->tabText(i), tabs[i]);
        const auto frames = form.findChildren<QGroupBox *>(QStringLiteral("Frame1"));
        QCOMPARE(frames.size(), frameTitle == QLatin1String("-") ? 0 : 1);
        if (!frames.isEmpty())
            QCOMPARE(frames.first()->title(), frameTitle);
        QStringList found;
        for (const QString &place : places) {
            const QString name = place.section(QLatin1Char('='), 0, 0);
            found << name + QLatin1Char('=') + placeOf(form.field(name.toLatin1().constData()), &form);
        }
        QCOMPARE(found, places);
        // Wherever it stands, a field shows and writes its column.
        QCOMPARE(form.field("txtDescr")->text(), QStringLiteral("Sette"));
    }

    // The buttons from left to right ("|" marks the gap), and the one Enter presses.
    void buttons_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("row");
        QTest::addColumn<QString>("enterSays");   // "": Enter does nothing
        QTest::newRow("the pattern's") << int(ShapedEditor::Plain)
                                       << "| Command1 &Nuovo, cmdOk &Ok, Command6, cmdCancel &Cancel" << "";
        QTest::newRow("placed") << int(ShapedEditor::Tabs)
                                << "| Command1 &Nuovo, Command6, cmdOk &Ok, cmdCancel &Cancel" << "";
        QTest::newRow("renamed, no new, a default") << int(ShapedEditor::FramedTab)
                                                    << "Command6 | cmdReg Registra, Command1 &Chiudi"
                                                    << "Registrazione completata.";
    }
    void buttons()
    {
        QFETCH(int, kind);
        QFETCH(QString, row);
        QFETCH(QString, enterSays);
        ShapedEditor form{ShapedEditor::Kind(kind)};
        form.setRecordId(7);
        QVERIFY(ui::open(&form));
        auto shown = form.findChildren<QPushButton *>();
        std::sort(shown.begin(), shown.end(), [](QPushButton *a, QPushButton *b) { return a->x() < b->x(); });
        QString found;
        int right = 0;
        for (QPushButton *b : shown) {
            if (b->x() - right > 30)
                found += QLatin1String(right ? " | " : "| ");
            else if (right)
                found += QLatin1String(", ");
            found += (b->objectName() + QLatin1Char(' ') + b->text()).trimmed();
            right = b->x() + b->width();
        }
        QCOMPARE(found, row);
        ui::type(&form, "txtDescr", QStringLiteral("Otto"));
        QTest::keyClick(form.field("txtDescr"), Qt::Key_Return);
        QCOMPARE(msg->last().text, enterSays);
    }

    // The Tab key walks the fields in the order they were made (the buttons were made before them),
    // then the buttons from left to right, unless the form gives its own order.
    void tabOrder_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("walk");
        QTest::newRow("fields, then buttons") << int(ShapedEditor::Plain)
            << QStringList{"txtConto", "txtComune", "txtDescr", "Dtp1", "Command1", "cmdOk", "Command6", "cmdCancel", "txtConto"};
        QTest::newRow("the shown tab, placed buttons") << int(ShapedEditor::Tabs)
            << QStringList{"txtDescr", "txtConto", "Command1", "Command6", "cmdOk", "cmdCancel", "Sst1", "txtDescr"};
        QTest::newRow("the form's own") << int(ShapedEditor::FramedTab)
            << QStringList{"txtConto", "txtDescr", "cmdReg", "Command1", "Command6"};
    }
    void tabOrder()
    {
        QFETCH(int, kind);
        QFETCH(QStringList, walk);
        ShapedEditor form{ShapedEditor::Kind(kind)};
        QVERIFY(ui::open(&form));
        form.field(walk.first().toLatin1().constData())->setFocus();
        QStringList found{focusName()};
        while (found.size() < walk.size()) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            found << focusName();
        }
        QCOMPARE(found, walk);
    }

    // A failure's message: the form's words for the error's number or the error's description,
    // then the words it appends; the load's box of the form's kind.
    void failureTexts_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("texts");     // how the form words its failures
        QTest::addColumn<QString>("expected");  // "{d}" stands for the error's description
        QTest::addColumn<int>("kind");
        QTest::newRow("save: the pattern's") << "save" << "" << "{d} Operazione Annullata" << int(MsgKind::Warning);
        QTest::newRow("save: the form's words for the number") << "save" << "own"
            << "Orario occupato. Operazione Annullata" << int(MsgKind::Warning);
        QTest::newRow("delete: the pattern's") << "delete" << ""
            << "Violazione del vincolo Referenziale. Operazione Annullata" << int(MsgKind::Error);
        QTest::newRow("delete: the description alone") << "delete" << "bare" << "{d}" << int(MsgKind::Error);
        QTest::newRow("delete: the form's tail") << "delete" << "own" << "{d} Errore durante Elimina."
                                                 << int(MsgKind::Error);
        QTest::newRow("load: the pattern's") << "load" << "" << "{d}" << int(MsgKind::Information);
        QTest::newRow("load: the form's kind") << "load" << "own" << "{d}" << int(MsgKind::Warning);
    }
    void failureTexts()
    {
        QFETCH(QString, operation);
        QFETCH(QString, texts);
        QFETCH(QString, expected);
        QFETCH(int, kind);
        db->exec(QStringLiteral("INSERT INTO Movimenti (IdMov, IdConto) VALUES (1, 7);"));
        ShapedEditor form(ShapedEditor::Plain, operation == QLatin1String("load") ? QStringLiteral("Nessuna") : QStringLiteral("Conti"));
        if (texts == QLatin1String("own")) {
            form.failureTexts().save[AppError::Unspecified] = QStringLiteral("Orario occupato.");
            form.failureTexts().remove.clear();
            form.failureTexts().deleteTail = QStringLiteral(" Errore durante Elimina.");
            form.failureTexts().loadKind = MsgKind::Warning;
        } else if (texts == QLatin1String("bare")) {
            form.failureTexts().remove.clear();
            form.failureTexts().deleteTail.clear();
        }
        form.setRecordId(operation == QLatin1String("delete") ? 7 : 0);
        QVERIFY(ui::open(&form));
        if (operation == QLatin1String("save")) {
            // A new account under the key of one that exists: the database refuses the duplicate.
            form.duplicateKey = 7;
            ui::type(&form, "txtDescr", QStringLiteral("Doppio"));
            ui::click(&form, "cmdOk");
        } else if (operation == QLatin1String("delete")) {
            ui::click(&form, "Command6");   // a movement still refers to the account
        }
        const QString pattern = QRegularExpression::escape(expected).replace(QStringLiteral("\\{d\\}"), QStringLiteral(".+"));
        QVERIFY2(QRegularExpression(QLatin1Char('^') + pattern + QLatin1Char('$')).match(msg->last().text).hasMatch(),
                 qPrintable(msg->last().text));
        QCOMPARE(int(msg->last().kind), kind);
        QCOMPARE(msg->last().title, QStringLiteral("Conto"));
    }
};

QTEST_MAIN(tst_EditFormShape)
#include "tst_editformshape.moc"
