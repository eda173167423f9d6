#pragma once
// The explorer bar: a column of task groups, each a title bar over a body of items. An item is
// a link (icon and caption; a click reports it), an empty spacer, or a host for another control.
// A group can collapse to its title bar and may show a faded picture in its body's corner. A link
// whose caption underlines a letter is clicked by Alt and that letter anywhere in its window.

#include <QColor>
#include <QPixmap>
#include <QScrollArea>
#include <QVector>

class ExplorerBar;
class ExplorerBarGroup;
class ImageList;
class QVBoxLayout;

class ExplorerBarItem : public QWidget
{
    Q_OBJECT
public:
    enum Kind { Link = 0, Text = 1, ControlHost = 2 };

    QString key() const { return m_key; }
    QString caption() const { return m_caption; }
    int iconIndex() const { return m_icon; }
    Kind kind() const { return m_kind; }
    ExplorerBarGroup *group() const { return m_group; }

    QString toolTipText() const { return toolTip(); }
    void setToolTipText(const QString &text) { setToolTip(text); }
    void setControl(QWidget *control);              // a control-host item takes the control into its place
    QWidget *control() const { return m_control; }
    void setSpacingAfter(int pixels);               // extra room (or less, when negative) under the item
    int spacingAfter() const { return m_spacingAfter; }

    QSize sizeHint() const override;
    void click();                                   // reports the item as its mouse click does

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    friend class ExplorerBarGroup;
    ExplorerBarItem(ExplorerBarGroup *group, const QString &key, const QString &caption, int icon, Kind kind);

    ExplorerBarGroup *m_group;
    QString m_key;
    QString m_caption;
    int m_icon;
    Kind m_kind;
    QWidget *m_control = nullptr;
    int m_spacingAfter = 0;
    bool m_hover = false;
};

class ExplorerBarGroup : public QWidget
{
    Q_OBJECT
public:
    QString key() const { return m_key; }
    QString title() const { return m_title; }
    QString toolTipText() const;
    void setToolTipText(const QString &text);
    void setPicture(const QPixmap &picture);
    QPixmap picture() const { return m_picture; }
    void setCollapsible(bool on) { m_collapsible = on; }
    bool collapsible() const { return m_collapsible; }
    void setExpanded(bool on);
    bool expanded() const { return m_expanded; }

    // Adds an item with an icon number of the bar's image list (-1 for none).
    ExplorerBarItem *addItem(const QString &key, const QString &caption = {}, int icon = -1,
                             ExplorerBarItem::Kind kind = ExplorerBarItem::Link);
    const QVector<ExplorerBarItem *> &items() const { return m_items; }
    ExplorerBarItem *item(const QString &key) const;
    ExplorerBar *bar() const { return m_bar; }

private:
    friend class ExplorerBar;
    ExplorerBarGroup(ExplorerBar *bar, const QString &key, const QString &title);

    ExplorerBar *m_bar;
    QString m_key;
    QString m_title;
    QPixmap m_picture;
    bool m_collapsible = false;
    bool m_expanded = true;
    QWidget *m_header;
    QWidget *m_body;
    QVBoxLayout *m_bodyLayout;
    QVector<ExplorerBarItem *> m_items;
};

class ExplorerBar : public QScrollArea
{
    Q_OBJECT
public:
    explicit ExplorerBar(QWidget *parent = nullptr);

    void setRedraw(bool on);
    void setImageList(const ImageList *images) { m_images = images; }
    const ImageList *imageList() const { return m_images; }

    ExplorerBarGroup *addGroup(const QString &key, const QString &title);
    const QVector<ExplorerBarGroup *> &groups() const { return m_groups; }
    ExplorerBarGroup *group(const QString &key) const;
    ExplorerBarItem *item(const QString &key) const;    // in any group

    // The colour behind what the bar shows: a group's body (true) or the bar itself (false).
    QColor backColor(bool groupBody) const;

signals:
    void itemClick(ExplorerBarItem *item);

private:
    friend class ExplorerBarGroup;
    const ImageList *m_images = nullptr;
    QWidget *m_content;
    QVBoxLayout *m_layout;
    QVector<ExplorerBarGroup *> m_groups;
};
