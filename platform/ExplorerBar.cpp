#include "ExplorerBar.h"

#include "ImageList.h"

#include <QEnterEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QColor BarTop(123, 162, 231);
const QColor BarBottom(99, 117, 214);
const QColor BodyColor(214, 223, 247);
const QColor HeaderLight(255, 255, 255);
const QColor HeaderDark(198, 211, 247);
const QColor LinkColor(33, 93, 198);
const QColor LinkHover(66, 142, 255);
constexpr int HeaderHeight = 25;
constexpr int ItemHeight = 20;

// The bar's own background: a vertical gradient behind the groups.
class BarContent : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, BarTop);
        g.setColorAt(1, BarBottom);
        p.fillRect(rect(), g);
    }
};

// A group's title bar: rounded top, gradient from white, bold title and the collapse button.
class GroupHeader : public QWidget
{
public:
    GroupHeader(ExplorerBarGroup *group) : QWidget(group), m_group(group)
    {
        setFixedHeight(HeaderHeight);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        const QRectF r = QRectF(rect()).adjusted(0, 0, 0, 6);
        path.addRoundedRect(r, 5, 5);
        QLinearGradient g(0, 0, width(), 0);
        g.setColorAt(0, HeaderLight);
        g.setColorAt(1, HeaderDark);
        p.setClipRect(rect());
        p.fillPath(path, g);

        QFont f = font();
        f.setBold(true);
        p.setFont(f);
        p.setPen(LinkColor);
        p.drawText(rect().adjusted(10, 0, -28, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                   fontMetrics().elidedText(m_group->title(), Qt::ElideRight, width() - 40));

        if (m_group->collapsible()) {
            const QPointF c(width() - 14, height() / 2.0);
            p.setPen(QPen(QColor(140, 160, 210), 1));
            p.setBrush(Qt::white);
            p.drawEllipse(c, 8, 8);
            p.setPen(QPen(LinkColor, 1.6));
            const double dy = m_group->expanded() ? -1.5 : 1.5;
            for (double off : {-2.5, 1.5}) {
                const double y = c.y() + off + (m_group->expanded() ? 1.5 : -0.5);
                p.drawLine(QPointF(c.x() - 3.5, y - dy), QPointF(c.x(), y + dy));
                p.drawLine(QPointF(c.x(), y + dy), QPointF(c.x() + 3.5, y - dy));
            }
        }
    }
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()) && m_group->collapsible())
            m_group->setExpanded(!m_group->expanded());
    }

private:
    ExplorerBarGroup *m_group;
};

// A group's body: the items on the body colour, with the group's picture faded into its corner.
class GroupBody : public QWidget
{
public:
    GroupBody(ExplorerBarGroup *group) : QWidget(group), m_group(group) {}

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.fillRect(rect(), BodyColor);
        p.setPen(Qt::white);
        p.drawLine(0, 0, 0, height() - 1);
        p.drawLine(width() - 1, 0, width() - 1, height() - 1);
        p.drawLine(0, height() - 1, width() - 1, height() - 1);
        const QPixmap pic = m_group->picture();
        if (!pic.isNull()) {
            p.setOpacity(0.35);
            p.drawPixmap(width() - pic.width() - 1, height() - pic.height() - 1, pic);
        }
    }

private:
    ExplorerBarGroup *m_group;
};
template <typename T>
T *byKey(const QVector<T *> &list, const QString &key)
{
    const auto it = std::find_if(list.begin(), list.end(), [&key](const T *x) { return x->key() == key; });
    return it == list.end() ? nullptr : *it;
}
} // namespace

// Items

ExplorerBarItem::ExplorerBarItem(ExplorerBarGroup *group, const QString &key, const QString &caption, int icon,
                                 Kind kind)
    : QWidget(group), m_group(group), m_key(key), m_caption(caption), m_icon(icon), m_kind(kind)
{
    if (kind == Link && !caption.isEmpty())
        setCursor(Qt::PointingHandCursor);
    if (const QKeySequence letter = QKeySequence::mnemonic(caption); kind == Link && !letter.isEmpty())
        connect(new QShortcut(letter, this), &QShortcut::activated, this, &ExplorerBarItem::click);
    if (kind == ControlHost) {
        auto *l = new QVBoxLayout(this);
        l->setContentsMargins(0, 0, 0, 0);
    }
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ExplorerBarItem::setControl(QWidget *control)
{
    if (m_kind != ControlHost || !control)
        return;
    if (m_control)
        m_control->hide();
    m_control = control;
    control->setParent(this);
    layout()->addWidget(control);
    control->show();
    updateGeometry();
}

void ExplorerBarItem::setSpacingAfter(int pixels)
{
    m_spacingAfter = pixels;
    updateGeometry();
}

QSize ExplorerBarItem::sizeHint() const
{
    int h = ItemHeight;
    if (m_kind == ControlHost && m_control)
        h = m_control->sizeHint().expandedTo(m_control->size()).height();
    else if (m_caption.isEmpty())
        h = 8;
    return QSize(100, std::max(h + m_spacingAfter, 0));
}

void ExplorerBarItem::paintEvent(QPaintEvent *)
{
    if (m_kind == ControlHost)
        return;
    QPainter p(this);
    int x = 0;
    const ImageList *images = m_group->bar()->imageList();
    if (m_icon >= 0 && images) {
        const QIcon icon = images->icon(m_icon);
        if (!icon.isNull())
            icon.paint(&p, QRect(0, (ItemHeight - 16) / 2, 16, 16));
        x = 22;
    }
    QFont f = font();
    f.setUnderline(m_hover && m_kind == Link);
    p.setFont(f);
    p.setPen(m_hover ? LinkHover : LinkColor);
    const QRect text(x, 0, width() - x, ItemHeight);
    p.drawText(text, Qt::AlignVCenter | Qt::AlignLeft | Qt::TextShowMnemonic | Qt::TextSingleLine, m_caption);
}

void ExplorerBarItem::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        click();
}

void ExplorerBarItem::click() { emit m_group->bar()->itemClick(this); }

void ExplorerBarItem::enterEvent(QEnterEvent *)
{
    m_hover = m_kind == Link && !m_caption.isEmpty();
    update();
}

void ExplorerBarItem::leaveEvent(QEvent *)
{
    m_hover = false;
    update();
}

// Groups

ExplorerBarGroup::ExplorerBarGroup(ExplorerBar *bar, const QString &key, const QString &title)
    : QWidget(bar->m_content), m_bar(bar), m_key(key), m_title(title)
{
    auto *l = new QVBoxLayout(this);
    l->setContentsMargins(0, 0, 0, 0);
    l->setSpacing(0);
    m_header = new GroupHeader(this);
    m_body = new GroupBody(this);
    m_bodyLayout = new QVBoxLayout(m_body);
    m_bodyLayout->setContentsMargins(8, 6, 6, 8);
    m_bodyLayout->setSpacing(3);
    l->addWidget(m_header);
    l->addWidget(m_body);
}

QString ExplorerBarGroup::toolTipText() const { return m_header->toolTip(); }
void ExplorerBarGroup::setToolTipText(const QString &text) { m_header->setToolTip(text); }

void ExplorerBarGroup::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    m_body->update();
}

void ExplorerBarGroup::setExpanded(bool on)
{
    m_expanded = on;
    m_body->setVisible(on);
    m_header->update();
}

ExplorerBarItem *ExplorerBarGroup::addItem(const QString &key, const QString &caption, int icon,
                                           ExplorerBarItem::Kind kind)
{
    auto *item = new ExplorerBarItem(this, key, caption, icon, kind);
    item->setParent(m_body);
    item->setObjectName(key);
    m_bodyLayout->addWidget(item);
    m_items.append(item);
    return item;
}

ExplorerBarItem *ExplorerBarGroup::item(const QString &key) const
{
    return byKey(m_items, key);
}

// The bar

ExplorerBar::ExplorerBar(QWidget *parent) : QScrollArea(parent), m_content(new BarContent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    m_layout = new QVBoxLayout(m_content);
    m_layout->setContentsMargins(6, 8, 6, 8);
    m_layout->setSpacing(10);
    m_layout->addStretch(1);
    setWidget(m_content);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, BarBottom);
    setPalette(pal);
}

void ExplorerBar::setRedraw(bool on)
{
    setUpdatesEnabled(on);
    if (on)
        m_content->update();
}

ExplorerBarGroup *ExplorerBar::addGroup(const QString &key, const QString &title)
{
    auto *g = new ExplorerBarGroup(this, key, title);
    g->setObjectName(key);
    m_layout->insertWidget(m_layout->count() - 1, g);
    m_groups.append(g);
    return g;
}

ExplorerBarGroup *ExplorerBar::group(const QString &key) const
{
    return byKey(m_groups, key);
}

ExplorerBarItem *ExplorerBar::item(const QString &key) const
{
    for (ExplorerBarGroup *g : m_groups)
        if (ExplorerBarItem *i = g->item(key))
            return i;
    return nullptr;
}

QColor ExplorerBar::backColor(bool groupBody) const { return groupBody ? BodyColor : BarBottom; }

#include "moc_ExplorerBar.cpp"
