#include "PasswordBox.h"

#include <QLineEdit>
#include <QProxyStyle>

namespace {
class AsteriskStyle : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};
}

namespace PasswordBox {

void showAsterisks(QLineEdit *box)
{
    auto *style = new AsteriskStyle;
    style->setParent(box);
    box->setStyle(style);
    box->setEchoMode(QLineEdit::Password);
}

}
