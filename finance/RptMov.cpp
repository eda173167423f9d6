#include "RptMov.h"

RptMov::RptMov() : GridReport(QStringLiteral("Lista Movimenti"))
{
    width = 14265;

    reportHeader.name = QStringLiteral("Section4");
    reportHeader.height = 570;
    reportHeader.addLabel(QStringLiteral("Movimenti"), QRect(0, 0, 3402, 567)).font = fontOf(14.25, true);

    pageHeader.name = QStringLiteral("Section2");
    pageHeader.height = 270;
    pageHeader.addShape(QRect(0, 0, 14173, 270), QColor(192, 192, 192)).name = QStringLiteral("Shape1");
    const std::pair<const char *, QRect> captions[] = {
        {"Data Registrazione", {50, 0, 1400, 255}}, {"Data movimento", {1600, 0, 1300, 255}},
        {"Descrizione", {3100, 0, 1402, 255}},       {"Entrate €", {4700, 0, 700, 255}},
        {"Uscite €", {5700, 0, 700, 255}},           {"Conto (Banca)", {6800, 0, 1405, 255}},
        {"Tipo Pagamento", {9600, 0, 1395, 255}},    {"Tipo movimento", {12000, 0, 1395, 255}}};
    for (const auto &[caption, rect] : captions)
        pageHeader.addLabel(QString::fromUtf8(caption), rect);
    for (int x : {1500, 3000, 4600, 5600, 6600, 9500, 11900})
        pageHeader.addLine(QRect(x, 0, 0, 270));

    detail.name = QStringLiteral("Section1");
    detail.height = 270;
    const std::pair<const char *, QRect> fields[] = {
        {"DataReg", {0, 0, 1400, 270}},  {"DataMov", {1600, 0, 1300, 270}}, {"Descr", {3100, 0, 1500, 270}},
        {"Entrate", {4700, 0, 900, 270}}, {"Uscite", {5700, 0, 900, 270}},   {"Conto", {6800, 0, 2700, 270}},
        {"TipoPag", {9600, 0, 2200, 270}}, {"TipoMov", {12000, 0, 2200, 270}}};
    for (const auto &[field, rect] : fields)
        detail.addTextBox(QString::fromLatin1(field), rect);

    pageFooter.name = QStringLiteral("Section3");
    pageFooter.height = 378;
    pageFooter.addPageOfPages(4308, 90);

    reportFooter.name = QStringLiteral("Section5");
    reportFooter.height = 525;
    reportFooter.addLabel(QString(), QRect(4000, 300, 7000, 225), QStringLiteral("lblTot"));
}

void RptMov::Riempi(ListGrid &grid, const QString &totals)
{
    control(QStringLiteral("lblTot")).caption = totals;
    orientation = QPageLayout::Landscape;
    showGrid(grid, {{QStringLiteral("DataReg"), 255}, {QStringLiteral("DataMov"), 255},
                    {QStringLiteral("Descr"), 255},   {QStringLiteral("Entrate"), 255},
                    {QStringLiteral("Uscite"), 255},  {QStringLiteral("Conto"), 255},
                    {QStringLiteral("TipoPag"), 255}, {QStringLiteral("TipoMov"), 255}});
}
