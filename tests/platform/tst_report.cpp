#include "AppError.h"
#include "Fonts.h"
#include "ListGrid.h"
#include "Shell.h"
#include "db/Recordset.h"
#include "report/GridRecords.h"
#include "report/Report.h"
#include "report/ReportLayout.h"
#include "report/ReportPreview.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QFontInfo>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>

// A portrait A4 report (11906 × 16838 twips): the body ends at 16838 - 400 - 378 = 16060, so the
// first page holds 54 details of 270 below its two headers and each later page 57.
class TestReport : public Report
{
public:
    std::unique_ptr<Recordset> records;

    explicit TestReport(const QStringList &texts, int fieldSize = 2000) : Report(QStringLiteral("Prova"))
    {
        width = 9000;
        reportHeader.height = 570;
        reportHeader.addLabel(QStringLiteral("Titolo"), QRect(0, 0, 3000, 567));
        pageHeader.height = 270;
        pageHeader.addShape(QRect(0, 0, 9000, 270), QColor(192, 192, 192));
        pageHeader.addLabel(QStringLiteral("Intestazione"), QRect(50, 0, 2000, 255));
        pageHeader.addLine(QRect(3000, 0, 0, 270));
        detail.height = 270;
        detail.addTextBox(QStringLiteral("TESTO"), QRect(0, 0, 3000, 270));
        pageFooter.height = 378;
        pageFooter.addPageOfPages(4308, 90);
        reportFooter.height = 525;
        reportFooter.addLabel(QStringLiteral("Fine"), QRect(0, 300, 2000, 225));
        reportFooter.addRecordCount(QRect(2000, 300, 1000, 225));
        records = textRecords({{QStringLiteral("Testo"), fieldSize}});
        for (const QString &t : texts) {
            records->addNew();
            records->setValue(0, t);
        }
        dataSource = records.get();
    }
};

static QStringList numbered(int n)
{
    QStringList out;
    for (int i = 1; i <= n; ++i)
        out << QStringLiteral("riga %1").arg(i);
    return out;
}

// Pages in a PDF file: its page objects.
static int pdfPages(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(QString::fromLatin1(f.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}


// A paint device that records each piece of text drawn: its text, the span it covers across the
// device and its baseline.
class TextRecorder : public QImage
{
public:
    struct Piece
    {
        QString text;
        qreal left, right, baseline;
    };
    QList<Piece> pieces;

    TextRecorder() : QImage(1, 1, QImage::Format_RGB32) {}
    QPaintEngine *paintEngine() const override { return &m_engine; }

private:
    class Engine : public QPaintEngine
    {
    public:
        explicit Engine(TextRecorder *device) : QPaintEngine(AllFeatures), m_device(device) {}
        bool begin(QPaintDevice *) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState &) override {}
        void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}
        void drawPolygon(const QPointF *, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF &p, const QTextItem &item) override
        {
            const QPointF at = painter()->transform().map(p);
            m_device->pieces.append({item.text(), at.x(), at.x() + item.width() * painter()->transform().m11(), at.y()});
        }
        Type type() const override { return User; }

    private:
        TextRecorder *m_device;
    };
    mutable Engine m_engine{this};
};

// The pieces of text painted on a page that start within the box.
static QList<TextRecorder::Piece> paintedIn(const ReportLayout &layout, int page, const QRect &box)
{
    TextRecorder device;
    QPainter painter(&device);
    paintPage(painter, layout, page);
    painter.end();
    QList<TextRecorder::Piece> out;
    for (const TextRecorder::Piece &piece : device.pieces)
        if (box.contains(piece.left, piece.baseline))
            out << piece;
    return out;
}

class tst_Report : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { substituteFonts(); }
    void cleanup() { Shell::setModalHandler({}); }

    // The families the forms and reports name resolve to installed ones.
    void fontSubstitutes_data()
    {
        QTest::addColumn<QString>("family");
        for (const char *family : {"Arial", "MS Sans Serif", "Tahoma"})
            QTest::newRow(family) << QString::fromLatin1(family);
    }
    void fontSubstitutes()
    {
        QFETCH(QString, family);
        QCOMPARE(QFontInfo(QFont(family)).family(), QStringLiteral("Liberation Sans"));
    }

    // Details fill pages between the headers and the footer; the report header comes once, first,
    // the report footer once, last (on a page of its own when the last page has no room).
    void pagination_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("pages");
        QTest::newRow("no records") << 0 << 1;
        QTest::newRow("one record") << 1 << 1;
        QTest::newRow("footer still fits") << 52 << 1;
        QTest::newRow("footer moves on") << 53 << 2;
        QTest::newRow("first page full") << 54 << 2;
        QTest::newRow("one detail over") << 55 << 2;
        QTest::newRow("three pages") << 54 + 57 + 50 << 3;
        QTest::newRow("hundreds") << 1000 << 18;
    }
    void pagination()
    {
        QFETCH(int, records);
        QFETCH(int, pages);
        const QStringList texts = numbered(records);
        TestReport report(texts);
        const ReportLayout layout = report.layout();
        QCOMPARE(layout.pageCount(), pages);
        QCOMPARE(layout.paper, QSize(11906, 16838));

        QStringList details;
        for (int p = 0; p < pages; ++p) {
            const QStringList t = layout.texts(p);
            QCOMPARE(t.count(QStringLiteral("Intestazione")), 1);
            QCOMPARE(t.count(QStringLiteral("Titolo")), p == 0 ? 1 : 0);
            QCOMPARE(t.count(QStringLiteral("Fine")), p == pages - 1 ? 1 : 0);
            QCOMPARE(t.mid(t.size() - 4),
                     (QStringList{"Page  ", QString::number(p + 1), " of ", QString::number(pages)}));
            for (const QString &s : t)
                if (s.startsWith(QLatin1String("riga")))
                    details << s;
            for (const PlacedItem &item : layout.pages[p].items) {
                if (item.text.startsWith(QLatin1String("riga")))
                    QVERIFY(item.rect.bottom() < 16060);
            }
        }
        QCOMPARE(details, texts);
        QCOMPARE(layout.texts(pages - 1).mid(0, layout.texts(pages - 1).size() - 4).last(), QString::number(records));
    }

    // A box takes the height of its wrapped text, and the next detail follows it; one taller than a
    // page is cut at the page's body and the next detail starts a new page.
    void textGrowsItsBox_data()
    {
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("grows");
        QTest::addColumn<int>("pages");
        QTest::newRow("short") << 10 << false << 1;
        QTest::newRow("2000 characters") << 2000 << true << 1;
        QTest::newRow("taller than a page") << 30000 << true << 2;
    }
    void textGrowsItsBox()
    {
        QFETCH(int, length);
        QFETCH(bool, grows);
        QFETCH(int, pages);
        QString longText;
        while (longText.size() < length)
            longText += QStringLiteral("parola ");
        longText.truncate(length);
        TestReport report({longText, QStringLiteral("dopo")}, 0);
        const ReportLayout layout = report.layout();
        QCOMPARE(layout.pageCount(), pages);
        const PlacedItem *first = nullptr;
        const PlacedItem *next = nullptr;
        for (const ReportPage &page : layout.pages)
            for (const PlacedItem &item : page.items) {
                if (item.text == longText)
                    first = &item;
                if (item.text == QLatin1String("dopo"))
                    next = &item;
            }
        QVERIFY(first && next);
        QCOMPARE(first->rect.height() > 270, grows);
        QVERIFY(first->rect.bottom() < 16060);
        if (pages == 1)
            QCOMPARE(next->rect.top(), first->rect.top() + first->rect.height());
        else
            QCOMPARE(next->rect.top(), 400 + 270);
    }

    // A wrapped text paints every word inside its box, with the layout's own wrapping:
    // each text from one word to three lines, so that every wrap boundary is crossed.
    void wrappedTextIsPaintedWhole()
    {
        const QString words = QStringLiteral(
            " Nota lunga del contatto da richiamare dopo le ferie per il preventivo della cucina nuova e per "
            "le piastrelle del bagno di sopra");
        const QStringList all = words.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        for (int n = 1; n <= all.size(); ++n) {
            const QString text = QLatin1Char(' ') + all.mid(0, n).join(QLatin1Char(' '));
            TestReport report({text});
            const ReportLayout layout = report.layout();
            const PlacedItem *box = nullptr;
            for (const PlacedItem &item : layout.pages[0].items)
                if (item.text == text)
                    box = &item;
            QVERIFY(box);
            QStringList painted;
            for (const TextRecorder::Piece &piece : paintedIn(layout, 0, box->rect)) {
                QVERIFY2(piece.right <= box->rect.left() + box->rect.width() + 1,
                         qPrintable(QStringLiteral("%1 words: \"%2\" overflows its box").arg(n).arg(piece.text)));
                painted += piece.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            }
            QCOMPARE(painted, all.mid(0, n));
        }
    }

    // Whatever a box is given, its text is painted whole, inside the box: one that does not fit on
    // a line wraps at its blanks and its box grows; a word wider than its box takes a smaller font.
    void everyTextIsPaintedWhole_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QRect>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("records");
        QTest::addColumn<bool>("shrinks");
        QTest::newRow("the longest totals line, in the report footer")
            << "ReportFooter" << QRect(4000, 300, 7000, 225)
            << "Entrate  9.999.999.999,99 €         Uscite  9.999.999.999,99 €       =  -9.999.999.999,99 €"
               "          per 100000 record selezionati"
            << 0 << false;
        // Room for the footer as designed, not for its lines: it moves to the next page.
        QTest::newRow("a totals line of lines, after a full page")
            << "ReportFooter" << QRect(4000, 300, 3000, 225)
            << "Entrate  9.999.999.999,99 €         Uscite  9.999.999.999,99 €       =  -9.999.999.999,99 €"
               "          per 100000 record selezionati"
            << 34 << false;
        QTest::newRow("a caption in the page header, on two lines")
            << "PageHeader" << QRect(3050, 0, 1400, 255) << "Data Registrazione" << 0 << false;
        QTest::newRow("a field in the detail")
            << "Detail" << QRect(4000, 0, 1500, 270) << " Rata del mutuo della casa al mare" << 1 << false;
        QTest::newRow("a number wider than its box")
            << "Detail" << QRect(4700, 0, 900, 270) << " 1234567,89" << 1 << true;
        // A page each: the last page number has four digits.
        QTest::newRow("a page number of four digits")
            << "PageFooter" << QRect(4878, 90, 285, 240) << "1000" << 1000 << true;
    }
    void everyTextIsPaintedWhole()
    {
        QFETCH(QString, section);
        QFETCH(QRect, box);
        QFETCH(QString, text);
        QFETCH(int, records);
        QFETCH(bool, shrinks);
        TestReport report(records == 1 ? QStringList{text} : numbered(records));
        report.orientation = QPageLayout::Landscape;
        if (section == QLatin1String("Detail"))
            report.detail.addTextBox(QStringLiteral("Testo"), box);
        else if (section == QLatin1String("PageFooter"))
            report.detail.height = 9000;
        else
            report.section(section).addLabel(text, box);
        const ReportLayout layout = report.layout();
        const int page = layout.pageCount() - 1;
        const PlacedItem *placed = nullptr;
        const PlacedItem *band = nullptr;
        for (const PlacedItem &item : layout.pages[page].items) {
            if (item.text == text && item.rect.left() == report.margins.left() + box.left())
                placed = &item;
            if (item.type == PlacedItem::Fill)
                band = &item;
        }
        QVERIFY(placed && band);
        QCOMPARE(layout.fonts.at(placed->font).pixelSize() < twipFont(report.font).pixelSize(), shrinks);
        QStringList painted;
        for (const TextRecorder::Piece &piece : paintedIn(layout, page, placed->rect)) {
            QVERIFY2(piece.right <= placed->rect.left() + placed->rect.width() + 1,
                     qPrintable(QStringLiteral("\"%1\" overflows its box").arg(piece.text)));
            painted += piece.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        }
        QCOMPARE(painted, text.split(QLatin1Char(' '), Qt::SkipEmptyParts));
        // The header's band grows with its lines.
        if (section == QLatin1String("PageHeader"))
            QVERIFY(band->rect.contains(placed->rect) && !placed->lineStarts.empty());
    }

    // A word so long that shrinking it would make it unreadable keeps a readable font and is broken
    // between its letters instead, each line inside the box.
    void aWordTooLongBreaksBetweenLetters()
    {
        const QString word = QStringLiteral("https://www.") + QString(300, QLatin1Char('w')) + QStringLiteral(".it");
        TestReport report({word});
        const ReportLayout layout = report.layout();
        const PlacedItem *placed = nullptr;
        for (const PlacedItem &item : layout.pages[0].items)
            placed = item.text == word ? &item : placed;
        QVERIFY(placed && !placed->lineStarts.empty());
        QVERIFY(layout.fonts.at(placed->font).pixelSize() * 3 >= twipFont(report.font).pixelSize() * 2);
        QString painted;
        for (const TextRecorder::Piece &piece : paintedIn(layout, 0, placed->rect)) {
            QVERIFY(piece.right <= placed->rect.right() + 2);
            painted += piece.text;
        }
        QCOMPARE(painted, word);
    }

    void boundFieldsAreFoundWithoutCase()
    {
        TestReport report({QStringLiteral("x")});
        report.control(QStringLiteral("testo")).field = QStringLiteral("tEsTo");
        QVERIFY(report.layout().texts(0).contains(QStringLiteral("x")));
        report.control(QStringLiteral("testo")).field = QStringLiteral("Assente");
        try {
            report.layout();
            QFAIL("a missing field was laid out");
        } catch (const AppError &e) {
            QCOMPARE(e.number(), AppError::ItemNotFound);
        }
    }

    void textsAreCutToTheirFieldSize()
    {
        ListGrid grid;
        grid.addColumn(QStringLiteral("a"), QStringLiteral("A"), 80);
        grid.addColumn(QStringLiteral("b"), QStringLiteral("B"), 80);
        grid.setRows(3);
        for (int r = 1; r <= 3; ++r) {
            grid.setCellText(r, 1, QString(300, QChar(u'a' + r)));
            grid.setCellText(r, 2, QString::number(r));
        }
        auto records = textRecords({{QStringLiteral("A"), 255}, {QStringLiteral("B"), 255}});
        copyGridRows(grid, *records);
        QCOMPARE(grid.selectedRow(), 3);
        QCOMPARE(records->recordCount(), 3);
        records->moveFirst();
        QCOMPARE(records->value(0).toString(), QString(255, QChar(u'b')));
        QCOMPARE(records->value(1).toString(), QStringLiteral("1"));
    }

    // A letter outside the basic plane is two UTF-16 units: the cut keeps it whole or leaves it out.
    void cutKeepsWholeLetters_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        QTest::newRow("fits") << QStringLiteral("a\U0001F600") << QStringLiteral("a\U0001F600");
        QTest::newRow("cut after the letter") << QStringLiteral("a\U0001F600bc") << QStringLiteral("a\U0001F600");
        QTest::newRow("cut inside the letter") << QStringLiteral("ab\U0001F600") << QStringLiteral("ab");
    }
    void cutKeepsWholeLetters()
    {
        QFETCH(QString, text);
        QFETCH(QString, kept);
        auto records = textRecords({{QStringLiteral("A"), 3}});
        records->addNew();
        setFieldText(*records, 0, text);
        QCOMPARE(records->value(0).toString(), kept);
    }

    // A word of letters outside the basic plane, wider than its line, stays whole and is measured
    // by its whole letters.
    void linesKeepWholeLetters()
    {
        const QFont font = twipFont(QFont(QStringLiteral("Arial")));
        LineBreaker breaker(font);
        const QString text = QString::fromUcs4(U"\U0001F600\U0001F600\U0001F600");
        QCOMPARE(breaker.breaks(text, 1), std::vector<int>());
        QCOMPARE(breaker.overflow(), 3 * QFontMetricsF(font).horizontalAdvance(text.left(2)));
    }

    void pdfHasTheLayoutsPages()
    {
        TestReport report(numbered(200));
        const ReportLayout layout = report.layout();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("report.pdf"));
        QPdfWriter pdf(path);
        QVERIFY(printPages(layout, pdf, 0, layout.pageCount() - 1));
        QCOMPARE(pdfPages(path), layout.pageCount());
    }

    // At its first showing the preview draws the page at the zoom its list shows; choosing that zoom
    // again draws it so again.
    void previewOpensAtTheZoomShown_data()
    {
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::newRow("portrait") << QPageLayout::Portrait;
        QTest::newRow("landscape") << QPageLayout::Landscape;
    }
    void previewOpensAtTheZoomShown()
    {
        QFETCH(QPageLayout::Orientation, orientation);
        TestReport report(numbered(200));
        report.orientation = orientation;
        QStringList seen;
        Shell::setModalHandler([&](QDialog *d) {
            d->show();
            if (!QTest::qWaitForWindowExposed(d))
                return 0;
            auto *zoom = d->findChild<QComboBox *>(QStringLiteral("cboZoom"));
            auto *scroll = d->findChild<QScrollArea *>(QStringLiteral("scrPage"));
            // The page's width against the room beside the vertical scroll bar, within the margin.
            auto fits = [&] {
                const int room = scroll->viewport()->width();
                return QStringLiteral("%1 %2").arg(zoom->currentText())
                    .arg(qAbs(room - scroll->widget()->width()) <= 24 ? "fits" : "does not fit");
            };
            seen << fits();
            auto choose = [&](const QString &entry) {
                zoom->showPopup();
                zoom->view()->setCurrentIndex(zoom->model()->index(zoom->findText(entry), 0));
                QTest::keyClick(zoom->view(), Qt::Key_Return);
                seen << fits();
            };
            choose(QStringLiteral("Larghezza pagina"));
            choose(QStringLiteral("50%"));
            choose(QStringLiteral("Larghezza pagina"));
            return 0;
        });
        report.show();
        QCOMPARE(seen, QStringList({"Larghezza pagina fits", "Larghezza pagina fits", "50% does not fit",
                                    "Larghezza pagina fits"}));
    }

    // The preview opens on the first page under the report's caption, moves within the pages, and
    // prints the range the print dialog names; the next print dialog offers the same file again.
    void preview()
    {
        TestReport report(numbered(200));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("range.pdf"));
        QStringList seen;
        QStringList offered;
        Shell::setModalHandler([&](QDialog *d) {
            if (auto *print = qobject_cast<QPrintDialog *>(d)) {
                // The dialog's own file box, as the user sees it.
                const auto *file = print->findChild<QLineEdit *>(QStringLiteral("filename"));
                offered << (file ? file->text() : QStringLiteral("no file box"));
                print->printer()->setOutputFileName(path);
                print->printer()->setPrintRange(QPrinter::PageRange);
                print->printer()->setFromTo(2, 3);
                return int(QDialog::Accepted);
            }
            auto *preview = qobject_cast<ReportPreview *>(d);
            if (!preview)
                return 0;
            seen << preview->windowTitle() << QString::number(preview->currentPage());
            auto click = [&](const char *name) {
                preview->findChild<QPushButton *>(QString::fromLatin1(name))->click();
                seen << QString::number(preview->currentPage());
            };
            click("cmdNext");
            click("cmdLast");
            click("cmdNext");
            click("cmdFirst");
            click("cmdPrevious");
            preview->grab();
            click("cmdPrint");
            click("cmdPrint");
            return 0;
        });
        report.show();
        QCOMPARE(seen, (QStringList{"Prova", "0", "1", "3", "3", "0", "0", "0", "0"}));
        QCOMPARE(pdfPages(path), 2);
        QCOMPARE(offered.size(), 2);
        QCOMPARE(offered.at(1), path);
    }
};

QTEST_MAIN(tst_Report)
#include "tst_report.moc"
