// Times the walker on the real window (offscreen) against find(1) on the same
// tree, in one run:
//   walk_bench TREE [--keyword KW | --ext EXT] [--repeat N]
// prints walker_s, find_s, ratio, hits, find_hits, peak_rss_mb, max_pump_gap_ms,
// and stop_latency_ms from a further walk stopped by a click posted half way.
// Each side runs N times (3 unless told), taking turns; the best time counts.
#include <sys/resource.h>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/window_ops.h"
#include "platform/posix_install.h"
#include "primitives/codepage.h"
#include "primitives/drives.h"
#include "search/walker.h"
#include "ui/main_window_qt.h"
#include "ui/program_entry.h"
#include "ui/qt_text.h"
#include "ui/routing.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Runs find with the same question and counts the lines it prints.
std::pair<double, long> TimeFind(const std::string& tree, const std::string& pattern) {
    std::string cmd = "find '" + tree + "'";
    if (!pattern.empty())
        cmd += " -iname '" + pattern + "'";
    auto start = Clock::now();
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return {0, 0};
    long lines = 0;
    char buf[1 << 16];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0)
        for (size_t i = 0; i < n; ++i)
            lines += buf[i] == '\n';
    pclose(p);
    return {Seconds(Clock::now() - start), lines};
}

struct WalkResult {
    double seconds = 0;
    int hits = 0;
    double maxGapMs = 0;
    double stopLatencyMs = -1;
};

// One walk; with stopAfter > 0 a click on the stop button is posted that long
// after the start, and the latency until the walk returns is measured.
WalkResult Walk(ui::QtMainWindow& win, const prim::Text& root, bool byName, const prim::Text& word,
                double stopAfter) {
    app::MainWindow& w = win.Window();
    w.state.searchByName = byName;
    if (byName)
        w.编辑框1->SetContent(word);
    else
        static_cast<QComboBox*>(win.Control("组合框1"))->setEditText(ui::ToQ(word));
    w.列表框1->Clear();
    w.state.stopRequested = false;

    WalkResult r;
    // A 1 ms timer fires whenever events are processed; its longest silence is
    // the longest time the window went without a pump.
    QTimer tick;
    tick.setInterval(1);
    auto last = Clock::now();
    bool walking = true;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        auto now = Clock::now();
        if (walking)
            r.maxGapMs = std::max(r.maxGapMs, Seconds(now - last) * 1000);
        last = now;
    });
    Clock::time_point clickAt{};
    QTimer stopper;
    if (stopAfter > 0) {
        stopper.setSingleShot(true);
        QObject::connect(&stopper, &QTimer::timeout, [&] {
            clickAt = Clock::now();
            static_cast<QPushButton*>(win.Control("按钮停止"))->click();
        });
        stopper.start(static_cast<int>(stopAfter * 1000));
    }
    tick.start();
    auto start = Clock::now();
    last = start;
    search::SearchDirectory(w, root);
    auto end = Clock::now();
    walking = false;
    // The final pump gap, up to the walk's end.
    r.maxGapMs = std::max(r.maxGapMs, Seconds(end - last) * 1000);
    r.seconds = Seconds(end - start);
    r.hits = app::ListItemCount(*w.列表框1);
    if (stopAfter > 0 && clickAt != Clock::time_point{})
        r.stopLatencyMs = Seconds(end - clickAt) * 1000;
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s TREE [--keyword KW | --ext EXT] [--repeat N]\n", argv[0]);
        return 2;
    }
    std::string tree = argv[1];
    bool byName = true;
    std::string word;
    int repeat = 3;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--keyword") == 0)
            word = argv[i + 1], byName = true;
        if (std::strcmp(argv[i], "--ext") == 0)
            word = argv[i + 1], byName = false;
        if (std::strcmp(argv[i], "--repeat") == 0)
            repeat = std::max(1, std::atoi(argv[i + 1]));
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ui::PrepareApplication();
    char real[4096];
    if (!realpath(tree.c_str(), real)) {
        std::fprintf(stderr, "no such tree: %s\n", tree.c_str());
        return 2;
    }
    tree = real;
    platform::InstallPosixFileSystem(platform::SystemConfig("/proc/self/exe"));
    prim::Text root = prim::DrivePathFromNative(tree);

    ui::QtMainWindow win;
    ui::BindRoutes(win);
    win.show();

    const prim::Text text = prim::Utf8ToText(word);
    // Walker and find take turns; the best of each counts, so that a moment of
    // load from elsewhere on the machine does not decide the ratio.
    const std::string findPattern = byName ? (word.empty() ? "" : "*" + word + "*") : "*." + word;
    WalkResult full;
    double findSeconds = 0;
    long findHits = 0;
    for (int k = 0; k < repeat; ++k) {
        WalkResult w = Walk(win, root, byName, text, 0);
        const double gap = std::max(full.maxGapMs, w.maxGapMs);
        if (k == 0 || w.seconds < full.seconds)
            full = w;
        full.maxGapMs = gap;
        auto [s, hits] = TimeFind(tree, findPattern);
        if (k == 0 || s < findSeconds)
            findSeconds = s;
        findHits = hits;
    }
    rusage ru{};
    getrusage(RUSAGE_SELF, &ru);
    WalkResult stopped = Walk(win, root, byName, text, full.seconds / 2);

    std::printf("walker_s=%.3f\n", full.seconds);
    std::printf("find_s=%.3f\n", findSeconds);
    std::printf("ratio=%.3f\n", findSeconds > 0 ? full.seconds / findSeconds : 0.0);
    std::printf("hits=%d\n", full.hits);
    std::printf("find_hits=%ld\n", findHits);
    std::printf("peak_rss_mb=%.1f\n", ru.ru_maxrss / 1024.0);
    std::printf("max_pump_gap_ms=%.1f\n", std::max(full.maxGapMs, stopped.maxGapMs));
    std::printf("stop_latency_ms=%.1f\n", stopped.stopLatencyMs);
    return 0;
}
