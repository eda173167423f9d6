// The movement search panel of the main window: the filter combos filled once, the filter that
// "Search" builds, "Reset", the sign options and the year combo that follows the working year.

#include "../core/FormFixture.h"

#include "frmMain.h"

#include "ExplorerBar.h"
#include "Shell.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>

class tst_search : public QObject
{
    Q_OBJECT

    std::unique_ptr<FormSession> session;
    std::unique_ptr<frmMain> w;

    template <class T> T *control(const char *name) const { return ui::field<T>(w.get(), name); }
    QComboBox *combo(const char *name) const { return control<QComboBox>(name); }
    QRadioButton *option(int index) const { return index == 1 ? control<QRadioButton>("OptSegno_1") : control<QRadioButton>("OptSegno_2"); }
    void choose(const char *name, const QString &text) const { combo(name)->setCurrentIndex(combo(name)->findText(text)); }
    QStringList listed() const
    {
        ListGrid *g = ui::grid(w.get());
        QStringList ids;
        for (int r = 1; r <= g->rows(); ++r)
            ids << QString::number(g->cellItemData(r, 1));
        return ids;
    }
    QString status() const { return control<QLabel>("lblStatus")->text(); }
    void search() { ui::click(w.get(), "cmdSearch"); }
    static QStringList items(QComboBox *c)
    {
        QStringList out;
        for (int i = 0; i < c->count(); ++i)
            out << c->itemText(i) + QLatin1Char('=') + c->itemData(i).toString();
        return out;
    }

private slots:
    void init()
    {
        session = std::make_unique<FormSession>();
        session->db.exec(QStringLiteral(
            "INSERT INTO Utenti (IdUtente, Nome, Ruolo) VALUES (2, 'Anna', 'User');"
            "INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (1, '1001', 'Conto casa'), (2, '2002', 'Risparmi');"
            "INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (1, 'Contanti'), (2, 'Bonifico');"
            "INSERT INTO TipoMov (IdTipoMov, Descrizione, EntrateUscite) VALUES (1, 'Stipendio', -1), (2, 'Spesa', 0);"
            "INSERT INTO Movimenti (IdMov, DataMov, Entrata, Uscita, IdConto, IdTipoPag, IdTipoMov, IdUtente) VALUES "
            "(21, '2024-02-01', 1000, 0, 1, 1, 1, 1), (22, '2024-01-09', 0, 45.5, 1, 2, 2, 2),"
            "(23, '2024-03-01', 0, 10, 2, 1, 2, 1), (24, '2023-12-30', 0, 300, 1, 1, 2, 1),"
            "(25, '2024-02-15', 200, 0, 2, 2, 1, 2);"));
        DataBase::WorkYear = 2024;
        w = std::make_unique<frmMain>();
        if (!ui::open(w.get()))
            qFatal("the main window did not open");
    }
    void cleanup()
    {
        w.reset();
        session.reset();
    }

    void firstPaintFillsTheCombosOnce()
    {
        QCOMPARE(items(combo("cboUtenti")), (QStringList{"Tutti gli utenti=0", "Admin=1", "Anna=2"}));
        QCOMPARE(items(combo("cboTipoPag")), (QStringList{"Tutti i tipi pagamento=0", "Contanti=1", "Bonifico=2"}));
        QCOMPARE(items(combo("cboConti")), (QStringList{"Tutti i conti=0", "Conto casa - 1001=1", "Risparmi - 2002=2"}));
        QCOMPARE(items(combo("cboMov")), (QStringList{"Tutti i tipi movimenti=0", "Stipendio (Entrata)=1", "Spesa (Uscita)=2"}));
        QCOMPARE(combo("cboConti")->currentIndex(), 0);
        QCOMPARE(session->msg.count(), 0);
        session->db.exec(QStringLiteral("INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (3, '3', 'Nuovo');"));
        w->repaint();
        ui::settle();
        QCOMPARE(combo("cboConti")->count(), 3);
    }

    // Each filter alone and all together, on the movements of the year in the year combo.
    void searchFilters_data()
    {
        QTest::addColumn<QStringList>("picks");     // "combo=text", "sign=1|2", "dates=from|to"
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("totals");
        QTest::newRow("nothing chosen") << QStringList{} << QStringList{"22", "21", "25", "23"}
                                        << "Entrate  1.200,00 €         Uscite  55,50 €       =  1.144,50 €          per 4";
        QTest::newRow("user") << QStringList{"cboUtenti=Anna"} << QStringList{"22", "25"}
                              << "Entrate  200,00 €         Uscite  45,50 €       =  154,50 €          per 2";
        QTest::newRow("payment type") << QStringList{"cboTipoPag=Contanti"} << QStringList{"21", "23"}
                                      << "Entrate  1.000,00 €         Uscite  10,00 €       =  990,00 €          per 2";
        QTest::newRow("account") << QStringList{"cboConti=Risparmi - 2002"} << QStringList{"25", "23"}
                                 << "Entrate  200,00 €         Uscite  10,00 €       =  190,00 €          per 2";
        QTest::newRow("movement type") << QStringList{"cboMov=Spesa (Uscita)"} << QStringList{"22", "23"}
                                       << "Entrate  0,00 €         Uscite  55,50 €       =  -55,50 €          per 2";
        QTest::newRow("income") << QStringList{"sign=1"} << QStringList{"21", "25"}
                                << "Entrate  1.200,00 €         Uscite  0,00 €       =  1.200,00 €          per 2";
        QTest::newRow("expense") << QStringList{"sign=2"} << QStringList{"22", "23"}
                                 << "Entrate  0,00 €         Uscite  55,50 €       =  -55,50 €          per 2";
        QTest::newRow("dates, the last day whole") << QStringList{"dates=01/02/2024|15/02/2024"} << QStringList{"21", "25"}
                                                   << "Entrate  1.200,00 €         Uscite  0,00 €       =  1.200,00 €          per 2";
        QTest::newRow("one date only") << QStringList{"dates=01/02/2024|"} << QStringList{"22", "21", "25", "23"}
                                       << "Entrate  1.200,00 €         Uscite  55,50 €       =  1.144,50 €          per 4";
        QTest::newRow("reversed dates") << QStringList{"dates=15/02/2024|01/02/2024"} << QStringList{}
                                        << "Entrate  0,00 €         Uscite  0,00 €       =  0,00 €          per 0";
        QTest::newRow("all together") << QStringList{"cboUtenti=Anna", "cboTipoPag=Bonifico", "cboConti=Risparmi - 2002",
                                                     "cboMov=Stipendio (Entrata)", "sign=1", "dates=1/2/2024|15/2/2024"}
                                      << QStringList{"25"}
                                      << "Entrate  200,00 €         Uscite  0,00 €       =  200,00 €          per 1";
    }
    void searchFilters()
    {
        QFETCH(QStringList, picks);
        QFETCH(QStringList, ids);
        QFETCH(QString, totals);
        for (const QString &pick : picks) {
            const QString what = pick.section(QLatin1Char('='), 0, 0);
            const QString value = pick.section(QLatin1Char('='), 1);
            if (what == QLatin1String("sign"))
                option(value.toInt())->setChecked(true);
            else if (what == QLatin1String("dates")) {
                control<QLineEdit>("txtDal")->setText(value.section(QLatin1Char('|'), 0, 0));
                control<QLineEdit>("txtAl")->setText(value.section(QLatin1Char('|'), 1));
            } else
                choose(what.toLatin1().constData(), value);
        }
        search();
        QCOMPARE(session->msg.count(), 0);
        QCOMPARE(listed(), ids);
        QCOMPARE(status(), totals + QStringLiteral(" record selezionati"));
        if (QByteArray(QTest::currentDataTag()) == "all together") {
            w->resize(900, 860);
            ui::settle();
            ui::shoot(w.get(), QStringLiteral("frmMain_search"));
        }
    }

    void deleteDeselectsASign()
    {
        QTest::mouseClick(option(2), Qt::LeftButton);
        QVERIFY(option(2)->isChecked());
        QTest::keyClick(option(2), Qt::Key_Delete);
        QVERIFY(!option(2)->isChecked());
        QVERIFY(!option(1)->isChecked());
        search();
        QCOMPARE(listed().size(), 4);
    }

    void resetClearsTheFiltersButNotTheList()
    {
        choose("cboConti", QStringLiteral("Risparmi - 2002"));
        option(1)->setChecked(true);
        control<QLineEdit>("txtDal")->setText(QStringLiteral("01/01/2024"));
        control<QLineEdit>("txtAl")->setText(QStringLiteral("31/12/2024"));
        search();
        const QString shown = status();
        ui::click(w.get(), "cmdReset");
        QCOMPARE(listed(), QStringList{"25"});
        QCOMPARE(status(), shown);
        for (const char *name : {"cboUtenti", "cboTipoPag", "cboConti", "cboMov"})
            QCOMPARE(combo(name)->currentIndex(), 0);
        QVERIFY(!option(1)->isChecked() && !option(2)->isChecked());
        QCOMPARE(control<QLineEdit>("txtDal")->text(), QString());
        QCOMPARE(control<QLineEdit>("txtAl")->text(), QString());
        QCOMPARE(combo("cboAnno")->currentText(), QStringLiteral("2024"));
    }

    // What comes between the user and the main window: a form of the program, one of its message
    // boxes, or another application's window.
    void between(const QString &what)
    {
        if (what == QLatin1String("message box")) {
            // The box opens as a window of its own and has the activation until it is answered.
            session->msg.whenShown([](const MsgRecord &record) {
                QMessageBox box(QApplication::activeWindow());
                box.setText(record.text);
                box.show();
                box.activateWindow();
                if (!QTest::qWaitFor([&box] { return QApplication::activeWindow() == &box; }))
                    qWarning("the message box did not become active");
            });
            ui::type(w.get(), "txtDal", QStringLiteral("32/13/2024"));
            QTest::keyClick(control<QLineEdit>("txtDal"), Qt::Key_Tab);
            session->msg.whenShown({});
            QCOMPARE(session->msg.last().title, QStringLiteral("Data Error"));
            control<QLineEdit>("txtDal")->clear();
        } else if (what == QLatin1String("other application")) {
            QWidget other;
            other.show();
            other.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&other));
        } else {
            command(what, [](QDialog *form) {
                form->show();
                if (!QTest::qWaitFor([form] { return QApplication::activeWindow() == form; }))
                    qWarning("the form did not become active");
                form->close();
                return int(QDialog::Rejected);
            });
        }
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    // A menu entry or an explorer-bar item; the forms it opens run as the handler says.
    void command(const QString &name, const std::function<int(QDialog *)> &form)
    {
        Shell::setModalHandler(form);
        if (auto *entry = w->findChild<QAction *>(name))
            entry->trigger();
        else
            QTest::mouseClick(w->findChild<ExplorerBar *>()->item(name), Qt::LeftButton);
        Shell::setModalHandler({});
    }

    // The year the user left in the combo stands until a form of the program has been over the
    // window; then the combo is built again around the working year, which took the year if it was one.
    void yearComboFollowsTheWorkingYear_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("between");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("workYear");
        QTest::addColumn<int>("listed");
        QTest::newRow("a typed year, an editor") << "2019" << "CONTI" << "2019" << 2019 << 0;
        QTest::newRow("empty, an editor: the year kept") << "" << "TIPOPAG" << "2024" << 2024 << 4;
        QTest::newRow("no number, the planner") << "duemila" << "APPUNTA" << "2024" << 2024 << 4;
        QTest::newRow("a typed year, a message box") << "2023" << "message box" << "2023" << 2024 << 1;
        QTest::newRow("empty, a message box: every year") << "" << "message box" << "" << 2024 << 5;
        QTest::newRow("empty, another application") << "" << "other application" << "" << 2024 << 5;
        QTest::newRow("a typed year, another application") << "2023" << "other application" << "2023" << 2024 << 1;
    }
    void yearComboFollowsTheWorkingYear()
    {
        QFETCH(QString, typed);
        QFETCH(QString, between);
        QFETCH(QString, shown);
        QFETCH(int, workYear);
        QFETCH(int, listed);
        QCOMPARE(combo("cboAnno")->count(), 11);
        combo("cboAnno")->setEditText(typed);
        this->between(between);
        QCOMPARE(DataBase::WorkYear, workYear);
        QCOMPARE(combo("cboAnno")->currentText(), shown);
        QCOMPARE(combo("cboAnno")->itemText(0), QString::number(workYear - 5));
        QCOMPARE(combo("cboAnno")->itemText(10), QString::number(workYear + 5));
        search();
        QCOMPARE(this->listed().size(), listed);
    }

    // The year combo's list opens on the year its box shows; on none when that year is not listed.
    void yearListOpensOnTheShownYear_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("current");
        QTest::newRow("as built: the working year") << QString() << "2024";
        QTest::newRow("a listed year typed") << "2022" << "2022";
        QTest::newRow("a year past the list typed") << "2040" << "";
    }
    void yearListOpensOnTheShownYear()
    {
        QFETCH(QString, typed);
        QFETCH(QString, current);
        QComboBox *years = combo("cboAnno");
        years->setFocus();
        if (!typed.isNull()) {
            years->lineEdit()->selectAll();
            QTest::keyClicks(years->lineEdit(), typed);
        }
        QCOMPARE(years->currentText(), typed.isNull() ? QStringLiteral("2024") : typed);
        QTest::keyClick(years, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(years->view()->isVisible());
        QCOMPARE(years->view()->currentIndex().data().toString(), current);
        years->hidePopup();
        QCOMPARE(years->currentText(), typed.isNull() ? QStringLiteral("2024") : typed);
    }

    // The closed year box shows a four-digit year whole beside its arrow, as the style measures a
    // combo showing one, and the panel holds the box.
    void yearBoxHoldsAYear()
    {
        QComboBox *years = combo("cboAnno");
        QComboBox probe(years->parentWidget());
        probe.setEditable(true);
        probe.setSizeAdjustPolicy(QComboBox::AdjustToContents);
        probe.addItem(QStringLiteral("0000"));
        QVERIFY2(years->width() >= probe.sizeHint().width(),
                 qPrintable(QStringLiteral("%1 < %2").arg(years->width()).arg(probe.sizeHint().width())));
        QVERIFY(years->parentWidget()->rect().contains(years->geometry()));
    }

    // Enter leaves a typed year in the box only: the list stays the eleven years around the working year.
    void enterAddsNoYear()
    {
        QComboBox *years = combo("cboAnno");
        years->setFocus();
        years->lineEdit()->selectAll();
        QTest::keyClicks(years->lineEdit(), QStringLiteral("2040"));
        QTest::keyClick(years->lineEdit(), Qt::Key_Return);
        QCOMPARE(years->count(), 11);
        QCOMPARE(years->currentText(), QStringLiteral("2040"));
    }

    // After the editor of a filter's table, or the users administration, the filter offers the rows
    // as they are now and keeps the entry the user had chosen.
    void filtersFollowTheirTables_data()
    {
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("added");
        QTest::newRow("accounts") << "CONTI" << "INSERT INTO Conti (IdConto, NConto, Descrizione) VALUES (3, '3003', 'Carta')"
                                  << "cboConti" << "Risparmi - 2002" << "Carta - 3003=3";
        QTest::newRow("payment types") << "TIPOPAG" << "INSERT INTO TipoPag (IdTipoPag, NomePag) VALUES (3, 'Assegno')"
                                       << "cboTipoPag" << "Bonifico" << "Assegno=3";
        QTest::newRow("movement types") << "mnuTipiMov"
                                        << "INSERT INTO TipoMov (IdTipoMov, Descrizione, EntrateUscite) VALUES (3, 'Regali', -1)"
                                        << "cboMov" << "Spesa (Uscita)" << "Regali (Entrata)=3";
        QTest::newRow("users") << "mnuUtenti" << "INSERT INTO Utenti (IdUtente, Nome, Ruolo) VALUES (3, 'Bruno', 'User')"
                               << "cboUtenti" << "Anna" << "Bruno=3";
    }
    void filtersFollowTheirTables()
    {
        QFETCH(QString, editor);
        QFETCH(QString, saved);
        QFETCH(QString, filter);
        QFETCH(QString, chosen);
        QFETCH(QString, added);
        QComboBox *c = combo(filter.toLatin1().constData());
        const QStringList before = items(c);
        choose(filter.toLatin1().constData(), chosen);
        command(editor, [&](QDialog *) {
            session->db.exec(saved);
            return int(QDialog::Accepted);
        });
        QCOMPARE(items(c), before + QStringList{added});
        QCOMPARE(c->currentText(), chosen);
        QCOMPARE(session->msg.count(), 0);
    }

    // The two boxes are date boxes: a text of blanks is no date, and the focus stays.
    void dateBoxesRefuseBlanks()
    {
        for (const char *name : {"txtDal", "txtAl"}) {
            session->msg.clear();
            ui::type(w.get(), name, QStringLiteral("  "));
            QTest::keyClick(control<QLineEdit>(name), Qt::Key_Tab);
            QCOMPARE(session->msg.last(), (MsgRecord{"Correggere la sintassi della data", MsgKind::Error, "Data Error"}));
            QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(name));
            control<QLineEdit>(name)->clear();
        }
    }
};

QTEST_MAIN(tst_search)
#include "tst_search.moc"
