#include "RptContatti.h"

RptContatti::RptContatti() : GridReport(QStringLiteral("Lista Contatti"))
{
    width = 16035;

    reportHeader.height = 570;
    reportHeader.addLabel(QStringLiteral("Contatti"), QRect(0, 0, 3402, 567)).font = fontOf(14.25, true);

    pageHeader.height = 270;
    pageHeader.addShape(QRect(0, 0, 15874, 270), QColor(0xC0, 0xC0, 0xC0));
    const std::pair<const char *, QRect> captions[] = {
        {"Nome", {50, 0, 1600, 255}},      {"Cognome", {1800, 0, 1750, 255}}, {"Telefono", {3698, 0, 1650, 255}},
        {"Cellulare", {5498, 0, 1550, 255}}, {"Descrizione", {7199, 0, 2000, 255}}};
    for (const auto &[caption, rect] : captions)
        pageHeader.addLabel(QString::fromLatin1(caption), rect);
    for (int x : {1700, 3600, 5398, 7099})
        pageHeader.addLine(QRect(x, 0, 0, 270));

    detail.height = 270;
    const std::pair<const char *, QRect> fields[] = {
        {"Nome", {0, 0, 1600, 270}}, {"Cognome", {1800, 0, 1695, 270}}, {"Tel", {3698, 0, 1590, 270}},
        {"Cell", {5498, 0, 1505, 270}}, {"Descr", {7150, 0, 8724, 270}}};
    for (const auto &[field, rect] : fields)
        detail.addTextBox(QString::fromLatin1(field), rect);

    pageFooter.height = 378;
    pageFooter.addPageOfPages(4308, 90);

    reportFooter.height = 360;
}

void RptContatti::Riempi(ListGrid &grid)
{
    orientation = QPageLayout::Landscape;
    // "cell" holds the grid's fourth column, "Cellulare"; the box bound to "Cell" finds it.
    showGrid(grid, {{QStringLiteral("Nome"), 255}, {QStringLiteral("Cognome"), 255}, {QStringLiteral("Tel"), 255},
                    {QStringLiteral("cell"), 255}, {QStringLiteral("Descr"), 2000}});
}
