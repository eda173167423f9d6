// The hourglass guard restores the pointer shown before its first SetPointer.

#include "AppError.h"
#include "SettMouse.h"
#include "Shell.h"

#include <QApplication>
#include <QtTest>

class TestSettMouse : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Shell::setMousePointer(0); }

    void twoCallsThenReleaseRestoreTheFirst()
    {
        Shell::setMousePointer(3);
        {
            SettMouse guard;
            guard.SetPointer(11);
            QCOMPARE(Shell::mousePointer(), 11);
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            guard.SetPointer(13);
            QCOMPARE(Shell::mousePointer(), 13);
        }
        QCOMPARE(Shell::mousePointer(), 3);
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::IBeamCursor);
    }

    void releasedByAFailingAction()
    {
        try {
            SettMouse guard;
            guard.SetPointer(11);
            throw AppError::typeMismatch();
        } catch (const AppError &) {
        }
        QCOMPARE(Shell::mousePointer(), 0);
        QVERIFY(!QApplication::overrideCursor());
    }

    void unusedGuardLeavesThePointer()
    {
        Shell::setMousePointer(11);
        { SettMouse guard; }
        QCOMPARE(Shell::mousePointer(), 11);
        {
            SettMouse guard;
            guard.SetPointer();   // no pointer given: the default one
            QCOMPARE(Shell::mousePointer(), 0);
        }
        QCOMPARE(Shell::mousePointer(), 11);
    }
};

QTEST_MAIN(TestSettMouse)
#include "tst_settmouse.moc"
