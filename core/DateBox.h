#pragma once
// The date box: when the focus is about to leave it, its text is checked with CheckDateText.
// A typed text that is no date shows "Correggere la sintassi della data" (error, "Data Error"),
// keeps the focus in the box and stops the button that was pressed; a date is rewritten in the
// box's display format. An empty box passes. A date picker whose ticked box shows a text that is
// no date (29/02/2023) is refused in the same words.

class DatePicker;
class QLineEdit;

namespace DateBox {

enum class Format { GeneralDate, ShortDate };

void install(QLineEdit *box, Format format = Format::GeneralDate);
void install(DatePicker *picker);
// A double-click on the box puts today's date into it, as a short date.
void todayOnDoubleClick(QLineEdit *box);

}
