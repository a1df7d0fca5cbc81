// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/form_scaler.h"
#include "ui_test.h"
#include "app/shell/base_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace tavora;
using namespace tavora::app;

namespace {

// A window of the base kind at its design size 947 x 719, with a label of its
// own font, an edit box on the window's font, and a panel holding a button.
class ScaledWindow : public BaseWindow {
  public:
    explicit ScaledWindow(AppContext& context) : BaseWindow(nullptr, context)
    {
        label = new QLabel(QStringLiteral("Frequency in MHz"), Client());
        label->setObjectName(QStringLiteral("Label4"));
        QFont f = label->font();
        f.setPixelSize(15);
        label->setFont(f);
        label->setGeometry(100, 50, 200, 20);
        edit = new QLineEdit(Client());
        edit->setObjectName(QStringLiteral("Edit1"));
        edit->setGeometry(10, 100, 61, 21);
        panel = new QFrame(Client());
        panel->setObjectName(QStringLiteral("Panel1"));
        panel->setGeometry(300, 300, 200, 100);
        button = new QPushButton(QStringLiteral("Calculate"), panel);
        button->setObjectName(QStringLiteral("Button1"));
        button->setGeometry(20, 30, 75, 25);
    }
    QLabel* label;
    QLineEdit* edit;
    QFrame* panel;
    QPushButton* button;
};

} // namespace

class FormScalerTest : public QObject {
    Q_OBJECT

  private slots:
    void designSizeKeepsEveryControl()
    {
        test::Harness h;
        ScaledWindow w(h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.SetClientSize(947, 719);
        QCOMPARE(w.label->geometry(), QRect(100, 50, 200, 20));
        QCOMPARE(w.button->geometry(), QRect(20, 30, 75, 25));
        QCOMPARE(w.label->font().pixelSize(), 15);
        QCOMPARE(w.Client()->font().pixelSize(), 11);
    }

    void doublingDoublesBoundsAndFonts()
    {
        test::Harness h;
        ScaledWindow w(h.context);
        w.SetClientSize(947 * 2, 719 * 2);
        QCOMPARE(w.label->geometry(), QRect(200, 100, 400, 40));
        QCOMPARE(w.edit->geometry(), QRect(20, 200, 122, 42));
        QCOMPARE(w.panel->geometry(), QRect(600, 600, 400, 200));
        QCOMPARE(w.button->geometry(), QRect(40, 60, 150, 50));
        QCOMPARE(w.label->font().pixelSize(), 30);
        QCOMPARE(w.Client()->font().pixelSize(), 22);
        // Back to the design size: back to the design layout.
        w.SetClientSize(947, 719);
        QCOMPARE(w.button->geometry(), QRect(20, 30, 75, 25));
    }

    void noControlShrinksBelowOnePixel()
    {
        test::Harness h;
        ScaledWindow w(h.context);
        w.SetClientSize(10, 10);
        QCOMPARE(w.edit->width(), 1);
        QCOMPARE(w.edit->x(), 1);
        QCOMPARE(w.label->font().pixelSize(), 1);
    }

    void controlsAddedLaterAreNamedAndScaled()
    {
        test::Harness h;
        ScaledWindow w(h.context);
        w.SetClientSize(947 * 2, 719 * 2);
        auto* first = new QPushButton(w.Client());
        first->setGeometry(100, 100, 50, 20); // at factor 2: design 50, 50, 25, 10
        auto* second = new QLabel(w.Client());
        auto* named = new QLabel(w.Client());
        named->setObjectName(QStringLiteral("Kept"));
        w.SetClientSize(947, 719);
        QCOMPARE(first->objectName(), QStringLiteral("RKitAdd0001"));
        QCOMPARE(second->objectName(), QStringLiteral("RKitAdd0002"));
        QCOMPARE(named->objectName(), QStringLiteral("Kept"));
        QCOMPARE(first->geometry(), QRect(50, 50, 25, 10));
        delete second; // a removed control is simply forgotten
        w.SetClientSize(947 * 3, 719 * 3);
        QCOMPARE(first->geometry(), QRect(150, 150, 75, 30));
    }

    void minimisingChangesNothing()
    {
        test::Harness h;
        ScaledWindow w(h.context);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.SetClientSize(947, 719);
        w.setWindowState(Qt::WindowMinimized);
        w.SetClientSize(100, 80);
        QCOMPARE(w.label->geometry(), QRect(100, 50, 200, 20));
        QCOMPARE(w.label->font().pixelSize(), 15);
        // Restored, the factors for the restored size apply.
        w.setWindowState(Qt::WindowNoState);
        w.SetClientSize(947 * 2, 719 * 2);
        QCOMPARE(w.label->geometry(), QRect(200, 100, 400, 40));
    }

    void listedControlsAreLeftAlone()
    {
        test::Harness h;
        ScaledWindow w(h.context);
        w.ResizeKit1().NoResizeCtl = QStringList{QStringLiteral("Edit1")};
        w.SetClientSize(947 * 2, 719 * 2);
        QCOMPARE(w.edit->geometry(), QRect(10, 100, 61, 21));
        QCOMPARE(w.label->geometry(), QRect(200, 100, 400, 40));
    }

    void exitResizeReportsTheFactors()
    {
        test::Harness h;
        ScaledWindow w(h.context);
        double x = 0, y = 0;
        w.ResizeKit1().OnExitResize = [&](double xs, double ys) {
            x = xs;
            y = ys;
        };
        w.SetClientSize(947 * 2, 719);
        QCOMPARE(x, 2.0);
        QCOMPARE(y, 1.0);
    }
};

TAVORA_UI_TEST_MAIN(FormScalerTest)
#include "form_scaler_test.moc"
