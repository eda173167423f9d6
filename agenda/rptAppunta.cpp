#include "rptAppunta.h"

rptAppunta::rptAppunta() : Report(QStringLiteral("Anteprima appuntamenti"))
{
    width = 9600;

    reportHeader.height = 600;
    reportHeader.addLabel(QStringLiteral("Appuntamenti"), QRect(0, 0, 4000, 450)).font = fontOf(14.25, true);

    pageHeader.name = QStringLiteral("Section4");
    pageHeader.height = 960;
    pageHeader.addLabel(QStringLiteral("Appuntamento"), QRect(0, 60, 2500, 255)).font = fontOf(font.pointSizeF(), true);
    pageHeader.addLabel(QString(), QRect(4800, 60, 4800, 720), QStringLiteral("lblData"));
    pageHeader.addShape(QRect(0, 840, 9600, 30), QColor(128, 128, 128));

    detail.height = 255;
    detail.addTextBox(QStringLiteral("Appuntamento"), QRect(0, 0, 9600, 255));

    pageFooter.height = 400;
    pageFooter.addPageOfPages(3900, 90);
}
