// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/arrays/stacking_window.h"
#include "app/feedline/swr_window.h"
#include "app/shell/pictures.h"
#include "tool_test.h"

#include "feedline/coax_data.h"
#include "state/program_dir.h"
#include "temp_dir.h"

#include <QListWidget>

#include <fstream>

using namespace tavora;
using namespace tavora::app;
using namespace tavora::test;

// Started from the desktop's menu, the program's working folder is the home
// folder, which holds none of its files: they lie in the installed share/tavora.
class InstalledDataTest : public QObject {
    Q_OBJECT
    ModalWatchdog watchdog_;
    TempDir root_; // usr/bin, usr/share/tavora and an empty home
    std::filesystem::path share_;

    std::unique_ptr<Harness> Start()
    {
        auto h = std::make_unique<Harness>();
        h->state.ProgramDir = root_.File("home");
        h->state.DataDir = InstalledDataDir(root_.Path() / "usr/bin/tavora").string();
        return h;
    }

  private slots:
    void initTestCase()
    {
        share_ = root_.Path() / "usr/share/tavora";
        std::filesystem::create_directories(share_);
        std::filesystem::create_directories(root_.Path() / "usr/bin");
        std::filesystem::create_directories(root_.Path() / "home");
        for (const char* file : {"Coax.dta", "vertical.bmp", "horizontal.bmp"})
            std::filesystem::copy_file(std::filesystem::path(TAVORA_DATA) / file, share_ / file);
    }
    void cleanup() { QVERIFY(watchdog_.Failures().isEmpty()); }

    void theSwrWindowListsTheInstalledCables()
    {
        const auto h = Start();
        SwrWindow w(nullptr, h->context);
        w.show();
        Choose(&w, "RadioGroup2Item0");
        std::ifstream coax(share_ / "Coax.dta");
        const auto entries = ReadCoaxEntries(coax);
        QVERIFY(entries.size() > 10);
        QCOMPARE(Find<QListWidget>(&w, "ListBox1")->count(), static_cast<int>(entries.size()));
        QVERIFY(h->dialogs.messages.isEmpty());
        QVERIFY(std::filesystem::is_empty(root_.Path() / "home"));
    }

    void theStackingWindowShowsTheInstalledPicture()
    {
        const auto h = Start();
        StackingWindow w(nullptr, h->context);
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        const QImage shown = Find<PictureBox>(&w, "Image1")->Picture().toImage();
        QVERIFY(!shown.isNull());
        QCOMPARE(shown, QImage(QString::fromStdString((share_ / "vertical.bmp").string())));
        QVERIFY(h->dialogs.messages.isEmpty());
    }
};

TAVORA_UI_TEST_MAIN(InstalledDataTest)
#include "installed_data_test.moc"
