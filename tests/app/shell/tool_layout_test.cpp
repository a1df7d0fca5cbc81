// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/arrays/gain_window.h"
#include "app/exchange/conversion_dialog.h"
#include "app/exchange/mmana_export_window.h"
#include "app/exchange/yo_details_window.h"
#include "app/feedline/impedance_window.h"
#include "app/arrays/stacking_window.h"
#include "app/feedline/swr_window.h"
#include "tool_test.h"

#include <QDir>
#include <QGroupBox>
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

// Each tool window at four fifths, as the Task entries show it (the windows
// they open at their own size): no control sticks out of its parent, covers a
// sibling or cuts off its caption. With TAVORA_SCREENSHOTS set to
// a folder, each window is also saved there as a picture to look at.
class LayoutTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;

    void Check(BaseWindow& w, const QString& name, const std::function<void()>& fill,
               bool shrink = true)
    {
        if (shrink)
            w.ShrinkToFourFifths();
        // The heading and the version line are the base window's.
        CheckControls(w, w.Client(), {w.Heading(), w.VersionLine()}, name, fill);
    }

    void CheckControls(QWidget& w, QWidget* client, const QList<QWidget*>& skip, const QString& name,
                       const std::function<void()>& fill)
    {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        fill();
        QApplication::processEvents();
        QList<QWidget*> parents = client->findChildren<QWidget*>();
        parents << client;
        for (QWidget* parent : parents) {
            if (qobject_cast<QGroupBox*>(parent) == nullptr && parent != client)
                continue;
            QList<QWidget*> shown;
            for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (child->isVisible() && !skip.contains(child))
                    shown << child;
            for (QWidget* child : shown) {
                QVERIFY2(parent->rect().contains(child->geometry()),
                         qPrintable(name + ": " + child->objectName() + " outside " +
                                    parent->objectName()));
                // A caption wider than its control is cut off.
                if (qobject_cast<QAbstractButton*>(child) || qobject_cast<QLabel*>(child))
                    QVERIFY2(child->sizeHint().width() <= child->width(),
                             qPrintable(name + ": " + child->objectName() + " cut off"));
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
    void yoDetails()
    {
        Harness h;
        YoDetailsWindow w(nullptr, h.context);
        Check(w, "yo_details", [&] {
            for (int n = 1; n <= 39; ++n)
                w.Box(n)->setText(QStringLiteral("1016.4"));
        });
    }
    void conversion()
    {
        Harness h;
        ConversionDialog dialog(nullptr, h.context);
        CheckControls(dialog, &dialog, {}, "conversion", [] {});
    }
    void mmanaExport()
    {
        // Shown as it opens, not shrunk.
        Harness h;
        h.state.WaveLength = 2080.4;
        h.state.RadiatorDiam = 10;
        MmanaExportWindow w(nullptr, h.context);
        Check(w, "mmana", [] {}, false);
    }
};

TAVORA_UI_TEST_MAIN(LayoutTest)
#include "tool_layout_test.moc"
