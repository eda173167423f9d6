#pragma once
// The programs speak Italian: the default locale for every value shown, and Qt's own texts (dialog
// buttons, file and folder dialogs) from Qt's Italian translations.

namespace Italian {

// Call once, after the application object exists. Returns false when Qt's translations are missing;
// the program then still runs, with Qt's own texts in English.
bool apply();

}
