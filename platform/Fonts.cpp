#include "Fonts.h"

#include <QFont>
#include <QStringList>

void substituteFonts()
{
    const QStringList sans{QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")};
    for (const char *family : {"Arial", "MS Sans Serif", "Tahoma"})
        QFont::insertSubstitutions(QString::fromLatin1(family), sans);
}
