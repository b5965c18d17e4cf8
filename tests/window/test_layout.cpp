// SPDX-FileCopyrightText: The tarquel developers
// SPDX-License-Identifier: MIT

#include "window/canvas.h"
#include "window/frm_tarquel.h"
#include "window/layout.h"

#include <QAction>
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

using namespace tarquel;

class TestLayout : public QObject {
    Q_OBJECT

private slots:
    void window()
    {
        FrmTarquel form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.objectName(), QStringLiteral("frmTarquel"));
        QCOMPARE(form.windowTitle(), QStringLiteral("쉬운 수치 적분의 예"));
        // 9060 × 4185 twips at 15 twips a pixel, below the menu bar.
        QCOMPARE(form.canvas().size(), QSize(604, 279));
        const QPoint clientTopLeft(0, form.menuBar()->geometry().bottom() + 1);
        QCOMPARE(form.canvas().mapTo(&form, QPoint(0, 0)), clientTopLeft);
        QCOMPARE(form.size(), QSize(604, 279 + form.menuBar()->height()));
        QCOMPARE(form.grabClientArea().pixelColor(0, 0), QColor(255, 255, 255));

        // Made larger, the window is white around the client area, which
        // stays where it was, as does everything in it.
        const QImage before = form.grabClientArea();
        form.resize(900, 600);
        QTRY_COMPARE(form.size(), QSize(900, 600));
        QCOMPARE(form.canvas().mapTo(&form, QPoint(0, 0)), clientTopLeft);
        QCOMPARE(form.grabClientArea(), before);
        const QImage grown = form.grab().toImage();
        for (const QPoint p : {QPoint(700, 100), QPoint(300, 500), QPoint(899, 599)})
            QCOMPARE(grown.pixelColor(p), QColor(255, 255, 255));
    }

    // The stored position where the whole window fits the screen's free
    // area; otherwise moved, not resized, top-left first.
    void placement_data()
    {
        QTest::addColumn<QRect>("frame");
        QTest::addColumn<QRect>("available");
        QTest::addColumn<QPoint>("placed");
        QTest::newRow("fits") << QRect(82, 126, 604, 320) << QRect(0, 0, 800, 600)
                              << QPoint(82, 126);
        QTest::newRow("fits exactly")
            << QRect(82, 126, 604, 320) << QRect(0, 0, 686, 446) << QPoint(82, 126);
        QTest::newRow("scale 2 on 1280x800: moved up and left")
            << QRect(82, 126, 604, 320) << QRect(0, 0, 640, 400) << QPoint(36, 80);
        QTest::newRow("larger than the screen: top-left")
            << QRect(82, 126, 1208, 640) << QRect(0, 0, 640, 400) << QPoint(0, 0);
        QTest::newRow("panel above, screen to the right")
            << QRect(82, 10, 604, 320) << QRect(1920, 30, 1280, 770) << QPoint(1920, 30);
    }

    void placement()
    {
        QFETCH(QRect, frame);
        QFETCH(QRect, available);
        QFETCH(QPoint, placed);
        QCOMPARE(placedOnScreen(frame, available), placed);
    }

    void font()
    {
        FrmTarquel form;
        const QFontInfo info(form.font());
        QVERIFY(info.bold());
        QCOMPARE(info.pointSizeF(), 9.75);
        QVERIFY(!info.italic());
        // Hangul glyphs where the machine has any font with them.
        if (!QFontDatabase::families(QFontDatabase::Korean).isEmpty())
            QVERIFY2(QFontDatabase::writingSystems(info.family()).contains(QFontDatabase::Korean),
                     qPrintable(info.family()));
        const QFontMetrics metrics(form.font());
        QVERIFY(metrics.inFont(QChar(0xACC4))); // 계
    }

    void labels_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QColor>("background");
        QTest::addColumn<QRect>("pixels");
        QTest::newRow("lblResult") << "lblResult"
                                   << "" << QColor(128, 255, 255) << QRect(488, 184, 97, 33);
        QTest::newRow("lblY") << "lblY"
                              << "Y" << QColor(255, 255, 255) << QRect(144, 32, 25, 17);
        QTest::newRow("lblX") << "lblX"
                              << "X" << QColor(255, 255, 255) << QRect(368, 160, 25, 17);
    }

    void labels()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QColor, background);
        QFETCH(QRect, pixels);
        FrmTarquel form;
        const auto* label = form.findChild<QLabel*>(name);
        QVERIFY(label);
        QCOMPARE(label->parentWidget(), &form.canvas());
        QCOMPARE(label->text(), caption);
        QCOMPARE(label->geometry(), pixels);
        QVERIFY(label->autoFillBackground());
        QCOMPARE(label->palette().color(QPalette::Window), background);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 0));
        QCOMPARE(label->font(), form.font());
    }

    void axisEndPoints()
    {
        FrmTarquel form;
        QCOMPARE(form.axisEnd(AxisLine::linXax, EndPoint::X1), 840.0f);
        QCOMPARE(form.axisEnd(AxisLine::linXax, EndPoint::Y1), 2280.0f);
        QCOMPARE(form.axisEnd(AxisLine::linYax, EndPoint::X1), 2400.0f);
        QCOMPARE(form.axisEnd(AxisLine::linYax, EndPoint::Y1), 720.0f);
    }

    void menuTree()
    {
        FrmTarquel form;
        struct Entry {
            QString name, caption;
            QStringList children;
        };
        const QList<Entry> expected{
            {"mnuSin", "Sin", {"mnuSiDisp:Display", "mnuSinIn:Integrate"}},
            {"mnuTan", "Tan", {"mnuTaDisp:Display", "mnuTanIn:Integrate"}},
            {"mnuEnd", "End", {}},
        };
        const QList<QAction*> top = form.menuBar()->actions();
        QCOMPARE(top.size(), expected.size());
        for (qsizetype i = 0; i < top.size(); ++i) {
            QAction* action = top[i];
            QCOMPARE(action->objectName(), expected[i].name);
            QCOMPARE(action->text(), expected[i].caption);
            QStringList children;
            if (action->menu())
                for (QAction* child : action->menu()->actions())
                    children << child->objectName() + ':' + child->text();
            QCOMPARE(children, expected[i].children);
        }
        // No shortcuts, no access keys, nothing disabled or hidden.
        for (QAction* action : form.findChildren<QAction*>()) {
            if (action->objectName().isEmpty())
                continue;
            QVERIFY(action->shortcut().isEmpty());
            QVERIFY(!action->text().contains('&'));
            QVERIFY(action->isEnabled());
            QVERIFY(action->isVisible());
        }
        // F10 opens the menu bar, at its first menu, as Alt does.
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTest::keyClick(&form, Qt::Key_F10);
        QTRY_VERIFY(top.front()->menu()->isVisible());
        QCOMPARE(form.menuBar()->activeAction(), top.front());
    }

    // Tan ▸ Display, Tan ▸ Integrate and End change nothing.
    void inertEntries()
    {
        FrmTarquel form;
        form.show();
        form.findChild<QAction*>("mnuSiDisp")->trigger();
        QCoreApplication::processEvents();
        form.setResultText("계산결과  1.999");
        const QString description = form.canvas().accessibleDescription();
        const QImage before = form.grabClientArea();
        for (const char* name : {"mnuTaDisp", "mnuTanIn", "mnuEnd"})
            form.findChild<QAction*>(name)->trigger();
        QCoreApplication::processEvents();
        QVERIFY(form.isVisible());
        QCOMPARE(form.grabClientArea(), before);
        QCOMPARE(form.lblResult().text(), QStringLiteral("계산결과  1.999"));
        QCOMPARE(form.canvas().accessibleDescription(), description);
    }
};

QTEST_MAIN(TestLayout)
#include "test_layout.moc"
