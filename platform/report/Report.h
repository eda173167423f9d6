#pragma once
// A banded report: five sections of controls placed in twips, filled from a recordset. A report
// is a plain definition beside the form that prints it; layout() lays it out into pages and
// show() opens the modal preview of those pages. The layer knows no table of the system.
// A text wider than its box wraps at its blanks (a word too wide takes a smaller font), and a box
// too low for its lines grows, its section with it; only a section taller than a page is cut.

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QPageLayout>
#include <QPageSize>
#include <QRect>
#include <QString>
#include <deque>
#include <optional>

class QWidget;
class Recordset;
struct ReportLayout;

struct ReportControl
{
    enum Type {
        Label,        // caption; "%p" and "%P" in it read the page number and the page count
        TextBox,      // the text of field `field` (matched without regard to case) of the current record
        Line,         // from the rectangle's top-left to its bottom-right corner (width 0: vertical)
        Shape,        // a rectangle filled with `color`
        RecordCount   // the number of detail records
    };
    Type type = Label;
    QString name;
    QRect rect;                   // twips within the section
    QString caption;
    QString field;
    std::optional<QFont> font;    // the report's font when not set
    QColor color = Qt::black;     // text and line colour; a shape's fill
};

struct ReportSection
{
    QString name;
    int height = 0;               // twips
    std::deque<ReportControl> controls;   // a deque: adding keeps the references handed out

    ReportControl &addLabel(const QString &caption, const QRect &rect, const QString &name = {});
    ReportControl &addTextBox(const QString &field, const QRect &rect);
    ReportControl &addLine(const QRect &rect);
    ReportControl &addShape(const QRect &rect, const QColor &fill);
    ReportControl &addRecordCount(const QRect &rect);
    // "Page  N of M" in four pieces from left: the caption, the page number, " of ", the count.
    void addPageOfPages(int left, int top);
};

class Report
{
public:
    explicit Report(const QString &caption);
    virtual ~Report();
    Report(const Report &) = delete;
    Report &operator=(const Report &) = delete;

    QString caption;              // the preview's window title
    int width = 0;                // twips
    QMargins margins{400, 400, 400, 400};   // twips
    QPageSize pageSize{QPageSize::A4};
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QFont font;                   // Arial 8.25 unless set

    ReportSection reportHeader;   // once, first
    ReportSection pageHeader;     // at the top of every page (below the report header on the first)
    ReportSection detail;         // once per record of the data source
    ReportSection pageFooter;     // at the bottom of every page
    ReportSection reportFooter;   // once, after the last detail

    Recordset *dataSource = nullptr;   // not owned; no data source prints no detail

    // The report's font in another size, bold or not (a title).
    QFont fontOf(qreal points, bool bold) const;

    // By name, across the sections; a name that is not there raises "item not found".
    ReportSection &section(const QString &name);
    ReportControl &control(const QString &name);

    ReportLayout layout() const;
    // Lays the report out and shows its preview modally; returns when the preview closes.
    void show(QWidget *parent = nullptr);
};
