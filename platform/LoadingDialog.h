#pragma once
// The base of every form. A form's load runs before each showing, modal or not; a load that
// refuses keeps the form from showing (and a modal showing returns Rejected at once).
// Enter presses the command button that has the focus; on any other control it presses the form's
// default button, if it has one, except in a box of several lines or a grid, whose Enter is their own.

#include <QDialog>

class LoadingDialog : public QDialog
{
    Q_OBJECT
public:
    int exec() override;
    void setVisible(bool visible) override;

protected:
    using QDialog::QDialog;
    // False keeps the form hidden. A form without a load of its own always shows.
    virtual bool runLoad() { return true; }
    // The form opens in the centre of the screen rather than over the window that opens it.
    void openCentredOnScreen() { m_centredOnScreen = true; }
    // The title bar offers closing (and the system menu) only: no minimise or maximise button,
    // whatever the platform would otherwise give a window of the form's kind. Size rules are the
    // form's own: a resizable form stays resizable.
    void offerCloseOnly();
    void keyPressEvent(QKeyEvent *e) override;
    void showEvent(QShowEvent *e) override;
    // The longest caption the form may come to show: each showing opens the form at least wide
    // enough for its title bar to hold it whole.
    void setLongestCaption(const QString &caption) { m_longestCaption = caption; }

private:
    void fitLongestCaption();
    void centreOnScreen();

    bool m_loadedForShow = false;   // exec ran the load; the showing it asks for must not again
    QString m_longestCaption;
    bool m_centredOnScreen = false;
};
