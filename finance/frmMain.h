#pragma once
// The main window: explorer bar of tasks, the list grid, the status line and the menus.

#include <QMainWindow>

class frmMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMain(QWidget *parent = nullptr);
};
