#include "RptPromemoria.h"

RptPromemoria::RptPromemoria() : GridReport(QStringLiteral("Promemoria"))
{
    width = 9071;

    reportHeader.height = 350;
    reportHeader.addLabel(QStringLiteral("Promemoria"), QRect(120, 0, 3405, 345)).font = fontOf(14.25, true);

    pageHeader.height = 270;
    pageHeader.addShape(QRect(105, 0, 8966, 270), QColor(0xC0, 0xC0, 0xC0));
    pageHeader.addLabel(QStringLiteral("Oggetto"), QRect(567, 0, 4300, 255));
    pageHeader.addLabel(QStringLiteral("Data"), QRect(5200, 0, 2200, 255));
    pageHeader.addLabel(QStringLiteral("Eseguito"), QRect(7700, 0, 1300, 255));
    for (int x : {5000, 7500})
        pageHeader.addLine(QRect(x, 0, 0, 270));

    detail.height = 300;
    detail.addTextBox(QStringLiteral("Oggetto"), QRect(200, 30, 4700, 255));
    detail.addTextBox(QStringLiteral("Data"), QRect(5200, 30, 2000, 255));
    detail.addTextBox(QStringLiteral("Eseguito"), QRect(7700, 30, 1200, 255));

    pageFooter.height = 435;
    pageFooter.addPageOfPages(3741, 90);

    reportFooter.height = 500;
    reportFooter.addLabel(QStringLiteral("Totale promemoria selezionati"), QRect(350, 150, 2805, 255));
    reportFooter.addRecordCount(QRect(3200, 150, 1005, 255));
}

void RptPromemoria::Riempi(ListGrid &grid)
{
    showGrid(grid, {{QStringLiteral("Oggetto"), 255}, {QStringLiteral("Data"), 255}, {QStringLiteral("Eseguito"), 255}});
}
