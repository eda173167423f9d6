#pragma once
// The modal preview of a laid-out report: one page at a time, painted when it is shown, with
// page navigation, zoom and the print dialog (printers and PDF files).

#include "ReportLayout.h"

#include "LoadingDialog.h"

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class ReportPageView;

class ReportPreview : public LoadingDialog
{
    Q_OBJECT
public:
    explicit ReportPreview(ReportLayout layout, QWidget *parent = nullptr);
    ~ReportPreview() override;

    const ReportLayout &layout() const { return m_layout; }
    int currentPage() const { return m_page; }   // from 0
    void showPage(int page);                     // kept within the report's pages
    void setZoom(int index);                     // an entry of the zoom list
    // Opens the print dialog and prints the pages it names; a failure is shown as a message.
    void print();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applyZoom();

    ReportLayout m_layout;
    int m_page = 0;
    QScrollArea *m_scroll;
    ReportPageView *m_view;
    QPushButton *cmdFirst, *cmdPrevious, *cmdNext, *cmdLast, *cmdPrint, *cmdClose;
    QLabel *lblPage;
    QComboBox *cboZoom;
};
