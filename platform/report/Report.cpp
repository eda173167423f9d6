#include "Report.h"

#include "AppError.h"
#include "Conversions.h"
#include "ReportLayout.h"
#include "ReportPreview.h"
#include "Shell.h"
#include "db/Recordset.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

static ReportControl &added(ReportSection &s, ReportControl::Type type, const QRect &rect)
{
    ReportControl &c = s.controls.emplace_back();
    c.type = type;
    c.rect = rect;
    return c;
}

ReportControl &ReportSection::addLabel(const QString &caption, const QRect &rect, const QString &name)
{
    ReportControl &c = added(*this, ReportControl::Label, rect);
    c.name = name;
    c.caption = caption;
    return c;
}

ReportControl &ReportSection::addTextBox(const QString &field, const QRect &rect)
{
    ReportControl &c = added(*this, ReportControl::TextBox, rect);
    c.name = field;
    c.field = field;
    return c;
}

ReportControl &ReportSection::addLine(const QRect &rect) { return added(*this, ReportControl::Line, rect); }

ReportControl &ReportSection::addShape(const QRect &rect, const QColor &fill)
{
    ReportControl &c = added(*this, ReportControl::Shape, rect);
    c.color = fill;
    return c;
}

ReportControl &ReportSection::addRecordCount(const QRect &rect)
{
    return added(*this, ReportControl::RecordCount, rect);
}

void ReportSection::addPageOfPages(int left, int top)
{
    addLabel(QStringLiteral("Page  "), QRect(left, top, 585, 285));
    addLabel(QStringLiteral("%p"), QRect(left + 570, top, 285, 240));
    addLabel(QStringLiteral(" of "), QRect(left + 855, top, 300, 285));
    addLabel(QStringLiteral("%P"), QRect(left + 1140, top, 570, 240));
}

// ---------------------------------------------------------------------------------------------

Report::Report(const QString &caption) : caption(caption), font(QStringLiteral("Arial"))
{
    font.setPointSizeF(8.25);
    reportHeader.name = QStringLiteral("ReportHeader");
    pageHeader.name = QStringLiteral("PageHeader");
    detail.name = QStringLiteral("Detail");
    pageFooter.name = QStringLiteral("PageFooter");
    reportFooter.name = QStringLiteral("ReportFooter");
}

Report::~Report() = default;

QFont Report::fontOf(qreal points, bool bold) const
{
    QFont f = font;
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

static AppError itemNotFound(const QString &name)
{
    return AppError(AppError::ItemNotFound,
                    QStringLiteral("Elemento non trovato nell'insieme: %1").arg(name));
}

ReportSection &Report::section(const QString &name)
{
    for (ReportSection *s : {&reportHeader, &pageHeader, &detail, &pageFooter, &reportFooter})
        if (s->name.compare(name, Qt::CaseInsensitive) == 0)
            return *s;
    throw itemNotFound(name);
}

ReportControl &Report::control(const QString &name)
{
    for (ReportSection *s : {&reportHeader, &pageHeader, &detail, &pageFooter, &reportFooter})
        for (ReportControl &c : s->controls)
            if (c.name.compare(name, Qt::CaseInsensitive) == 0)
                return c;
    throw itemNotFound(name);
}

void Report::show(QWidget *parent)
{
    ReportPreview preview(layout(), parent);
    Shell::showModal(&preview);
}

// ---------------------------------------------------------------------------------------------

namespace {

class Layouter
{
public:
    Layouter(const Report &report, ReportLayout &out) : r(report), out(out)
    {
        out.caption = r.caption;
        out.pageLayout = QPageLayout(r.pageSize, r.orientation, QMarginsF());
        out.paper = (out.pageLayout.fullRect(QPageLayout::Millimeter).size() * (1440 / 25.4)).toSize();
        left = r.margins.left();
        footerTop = out.paper.height() - r.margins.bottom() - r.pageFooter.height;
        for (const ReportSection *s : {&r.reportHeader, &r.pageHeader, &r.detail, &r.pageFooter, &r.reportFooter})
            prepare(*s);
    }

    void run()
    {
        Recordset *rs = r.dataSource;
        records = rs && rs->isOpen() ? std::max(0, rs->recordCount()) : 0;
        startPage(true);
        if (records > 0) {
            rs->moveFirst();
            onRecord = true;
            for (; !rs->eof(); rs->moveNext()) {
                const int height = sectionHeight(r.detail);
                if (y + height > footerTop && y > bodyTop)
                    nextPage();
                place(r.detail, height);
            }
            onRecord = false;
        }
        const int footer = sectionHeight(r.reportFooter);
        if (y + footer > footerTop && y > bodyTop)
            nextPage();
        place(r.reportFooter, footer);
        endPage();
        writePageNumbers();
    }

private:
    struct Prepared
    {
        quint16 font = 0;
        int field = -1;           // the text box's field in the data source
    };

    // A control's text as it will be placed: its lines and their height.
    struct Measured
    {
        QString text;
        quint16 font = 0;         // the control's, or a smaller one for a word wider than its box
        int height = 0;
        std::vector<int> lineStarts;
    };

    // The index of a font in out.fonts, added with its line breaker when new.
    quint16 fontIndex(const QFont &f)
    {
        const auto index = quint16(std::find(out.fonts.cbegin(), out.fonts.cend(), f) - out.fonts.cbegin());
        if (index == out.fonts.size()) {
            out.fonts.append(f);
            breakers.emplace_back(f);
        }
        return index;
    }

    void prepare(const ReportSection &s)
    {
        std::vector<Prepared> &prepared = preparedOf[&s];
        for (const ReportControl &c : s.controls) {
            Prepared p;
            p.font = fontIndex(twipFont(c.font.value_or(r.font)));
            if (c.type == ReportControl::TextBox && r.dataSource && r.dataSource->isOpen()) {
                p.field = r.dataSource->fieldIndex(c.field);
                if (p.field < 0)
                    throw itemNotFound(c.field);
            }
            prepared.push_back(p);
        }
    }

    QString textOf(const ReportControl &c, const Prepared &p) const
    {
        switch (c.type) {
        case ReportControl::Label: return c.caption;
        case ReportControl::RecordCount: return QString::number(records);
        case ReportControl::TextBox: {
            if (!onRecord || p.field < 0)
                return QString();
            const QVariant v = r.dataSource->value(p.field);
            return v.typeId() == QMetaType::QString ? v.toString() : Conv::toText(v);
        }
        default: return QString();
        }
    }

    // A font's size, a pixel smaller at least, cached: many texts take the same.
    quint16 smaller(quint16 font, int pixels)
    {
        const int size = out.fonts[font].pixelSize();
        pixels = std::max(1, std::min(pixels, size - 1));
        const auto [at, added] = smallerFonts.try_emplace({font, pixels}, 0);
        if (added) {
            QFont f = out.fonts[font];
            f.setPixelSize(pixels);
            at->second = fontIndex(f);
        }
        return at->second;
    }

    Measured measure(QString text, quint16 font, int width)
    {
        Measured m;
        m.font = font;
        if (text.isEmpty())
            return m;
        m.lineStarts = breakers[font].breaks(text, width);
        // A word wider than its box stays whole in a font just small enough for it, down to two
        // thirds of the box's font; a word longer still is broken between its letters.
        const int least = std::max(1, out.fonts[font].pixelSize() * 2 / 3);
        for (qreal over = breakers[m.font].overflow(); over > 0 && out.fonts[m.font].pixelSize() > least;
             over = breakers[m.font].overflow()) {
            m.font = smaller(m.font, std::max(least, int(out.fonts[m.font].pixelSize() * width / over)));
            m.lineStarts = breakers[m.font].breaks(text, width);
        }
        if (breakers[m.font].overflow() > 0)
            m.lineStarts = breakers[m.font].breaks(text, width, true);
        m.height = int(m.lineStarts.size() + 1) * breakers[m.font].lineHeight();
        m.text = std::move(text);
        return m;
    }

    // The section's height for the current record: a box grows to the lines of its text, and the
    // section with it.
    int sectionHeight(const ReportSection &s)
    {
        measured.assign(s.controls.size(), Measured());
        int extra = 0;
        const std::vector<Prepared> &prepared = preparedOf.at(&s);
        for (size_t i = 0; i < s.controls.size(); ++i) {
            const ReportControl &c = s.controls[i];
            if (c.type == ReportControl::Line || c.type == ReportControl::Shape)
                continue;
            measured[i] = measure(textOf(c, prepared[i]), prepared[i].font, c.rect.width());
            extra = std::max(extra, measured[i].height - c.rect.height());
        }
        return s.height + extra;
    }

    // Places a section at y; what lies below the page's body is cut.
    void place(const ReportSection &s, int height, int limit = -1)
    {
        if (limit < 0)
            limit = footerTop;
        const int bottom = std::min(y + height, limit);
        const std::vector<Prepared> &prepared = preparedOf.at(&s);
        for (size_t i = 0; i < s.controls.size(); ++i) {
            const ReportControl &c = s.controls[i];
            Measured &m = measured[i];
            QRect rect = c.rect.translated(left, y);
            // What spans the section as designed (a band, a separator) spans it as it grows.
            if (c.rect.top() == 0 && c.rect.height() == s.height)
                rect.setHeight(height);
            rect.setHeight(std::max(rect.height(), m.height));
            if (rect.top() >= bottom && !(c.type == ReportControl::Line && rect.top() == bottom))
                continue;
            if (rect.top() + rect.height() > bottom)
                rect.setHeight(bottom - rect.top());
            const Prepared &p = prepared[i];
            PlacedItem item;
            item.rect = rect;
            item.font = p.font;
            item.color = c.color.rgb();
            switch (c.type) {
            case ReportControl::Line: item.type = PlacedItem::Line; break;
            case ReportControl::Shape: item.type = PlacedItem::Fill; break;
            default:
                item.type = PlacedItem::Text;
                item.font = m.font;
                item.text = std::move(m.text);
                item.lineStarts = std::move(m.lineStarts);
                if (c.type == ReportControl::Label && c.caption.contains(QLatin1Char('%')))
                    pageTexts.push_back({int(out.pages.size()) - 1, page().items.size()});
                break;
            }
            page().items.push_back(std::move(item));
        }
        y = bottom;
    }

    ReportPage &page() { return out.pages.back(); }

    void startPage(bool first)
    {
        // A page holds about as many items as the one before it.
        const size_t before = out.pages.empty() ? 0 : out.pages.back().items.size();
        out.pages.emplace_back().items.reserve(before);
        y = r.margins.top();
        if (first)
            place(r.reportHeader, sectionHeight(r.reportHeader));
        place(r.pageHeader, sectionHeight(r.pageHeader));
        bodyTop = y;
    }

    void endPage()
    {
        y = footerTop;
        place(r.pageFooter, sectionHeight(r.pageFooter), out.paper.height());
    }

    void nextPage()
    {
        // The measured texts belong to the section waiting to be placed on the next page.
        std::vector<Measured> waiting = std::move(measured);
        endPage();
        startPage(false);
        measured = std::move(waiting);
    }

    // The numbers are known only now: their texts are measured again, and their boxes grow into
    // the page's bottom margin.
    void writePageNumbers()
    {
        const QString count = QString::number(out.pages.size());
        for (const auto &[pageIndex, itemIndex] : pageTexts) {
            PlacedItem &item = out.pages[pageIndex].items[itemIndex];
            item.text.replace(QLatin1String("%p"), QString::number(pageIndex + 1)).replace(QLatin1String("%P"), count);
            Measured m = measure(item.text, item.font, item.rect.width());
            item.font = m.font;
            item.lineStarts = std::move(m.lineStarts);
            item.rect.setHeight(std::max(item.rect.height(), m.height));
        }
    }

    const Report &r;
    ReportLayout &out;
    std::unordered_map<const ReportSection *, std::vector<Prepared>> preparedOf;
    std::vector<LineBreaker> breakers;   // per font of out.fonts
    std::map<std::pair<quint16, int>, quint16> smallerFonts;   // (font, pixel size) to its index
    std::vector<Measured> measured;       // per control of the section being placed
    std::vector<std::pair<int, size_t>> pageTexts;
    int records = 0;
    bool onRecord = false;
    int left = 0;
    int y = 0;
    int bodyTop = 0;
    int footerTop = 0;
};

} // namespace

ReportLayout Report::layout() const
{
    ReportLayout out;
    Layouter(*this, out).run();
    return out;
}
