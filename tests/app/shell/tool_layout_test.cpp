#include "app/arrays/gain_window.h"
#include "app/feedline/impedance_window.h"
#include "app/arrays/stacking_window.h"
#include "app/feedline/swr_window.h"
#include "tool_test.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

// Each tool window at four fifths, as the Task entries show it: no control
// sticks out of its parent or covers a sibling. With TAVORA_SCREENSHOTS set to
// a folder, each window is also saved there as a picture to look at.
class LayoutTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;

    void Check(BaseWindow& w, const QString& name, const std::function<void()>& fill)
    {
        w.ShrinkToFourFifths();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        fill();
        QApplication::processEvents();
        QList<QWidget*> parents = w.Client()->findChildren<QWidget*>();
        parents << w.Client();
        for (QWidget* parent : parents) {
            if (qobject_cast<QGroupBox*>(parent) == nullptr && parent != w.Client())
                continue;
            QList<QWidget*> shown;
            // The heading and the version line are the base window's.
            for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (child->isVisible() && child != w.Heading() && child != w.VersionLine())
                    shown << child;
            for (QWidget* child : shown) {
                QVERIFY2(parent->rect().contains(child->geometry()),
                         qPrintable(name + ": " + child->objectName() + " outside " +
                                    parent->objectName()));
                for (QWidget* other : shown)
                    if (other != child)
                        QVERIFY2(!child->geometry().intersects(other->geometry()),
                                 qPrintable(name + ": " + child->objectName() + " covers " +
                                            other->objectName()));
            }
        }
        const QString folder = qEnvironmentVariable("TAVORA_SCREENSHOTS");
        if (!folder.isEmpty())
            QVERIFY(w.grab().save(QDir(folder).filePath(name + ".png")));
    }

  private slots:
    void cleanup()
    {
        QVERIFY2(watchdog_.Failures().isEmpty(), qPrintable(watchdog_.Failures().join('\n')));
    }

    void gain()
    {
        Harness h;
        GainWindow w(nullptr, h.context);
        Check(w, "gain", [&] { Click(&w, "Button1"); });
    }
    void stacking()
    {
        Harness h;
        StackingWindow w(nullptr, h.context);
        Check(w, "stacking", [&] { Click(&w, "Button1"); });
    }
    void swr()
    {
        Harness h;
        SwrWindow w(nullptr, h.context);
        Check(w, "swr", [&] {
            Choose(&w, "RadioGroup2Item0");
            Type(&w, "Edit1", "4");
            Type(&w, "Edit2", "100");
            Click(&w, "Button1");
        });
    }
    void impedance()
    {
        Harness h;
        ImpedanceWindow w(nullptr, h.context);
        Check(w, "impedance", [&] {
            Click(&w, "Button1");
            Click(&w, "Button2");
        });
    }
};

TAVORA_UI_TEST_MAIN(LayoutTest)
#include "tool_layout_test.moc"
