#pragma once
// Password boxes show an asterisk for every character typed, whatever the desktop style draws.

class QLineEdit;

namespace PasswordBox {
void showAsterisks(QLineEdit *box);
}
