// moravine-demo: a host window with the Moravine control in it.
//
//   moravine-demo [--today YYYY-MM-DD] [--font-points N]
//   moravine-demo --screenshot FILE.png [--drive SCRIPT] [--today YYYY-MM-DD] [--font-points N]
//
// With --screenshot it runs without a display, performs the actions of a drive script (see
// ruvo drive) on the real widgets, prints what the script's queries print, and saves the window.
// --font-points gives the application a font of that size, as a user who enlarges text does.
#include "apps/drive/drive_session.h"
#include "apps/moravine-demo/demo_window.h"
#include "apps/moravine-demo/screen_actions.h"
#include "dating/date_text.h"
#include "hosting/qt/moravine_widget.h"

#include <QApplication>
#include <QWindow>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace {

struct Options {
    std::optional<std::string> screenshot;
    std::optional<std::string> script;
    std::optional<std::string> today;
    std::optional<double> fontPoints;
};

std::optional<Options> parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (i + 1 == argc)
            return std::nullopt;
        if (argument == "--screenshot")
            options.screenshot = argv[++i];
        else if (argument == "--drive")
            options.script = argv[++i];
        else if (argument == "--today")
            options.today = argv[++i];
        else if (argument == "--font-points") {
            char* end = nullptr;
            options.fontPoints = std::strtod(argv[++i], &end);
            if (*end || *options.fontPoints < 4 || *options.fontPoints > 72)
                return std::nullopt;
        } else
            return std::nullopt;
    }
    if (options.script && !options.screenshot)
        return std::nullopt;
    return options;
}

// Without a window system, Qt notes each window-system request it cannot carry out; those notes
// say nothing about the control.
void quietOffscreen(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    std::cerr << qPrintable(qFormatLogMessage(type, {}, message)) << '\n';
}

} // namespace

int main(int argc, char** argv) {
    const auto options = parse(argc, argv);
    if (!options) {
        std::cerr << "usage: moravine-demo [--screenshot FILE.png [--drive SCRIPT]] "
                     "[--today YYYY-MM-DD] [--font-points N]\n";
        return 2;
    }
    if (options->screenshot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qInstallMessageHandler(quietOffscreen);
    }
    QApplication application(argc, argv);
    if (options->fontPoints) {
        QFont font = QApplication::font();
        font.setPointSizeF(*options->fontPoints);
        QApplication::setFont(font);
    }

    std::unique_ptr<ruvo::Clock> clock = std::make_unique<ruvo::SystemClock>();
    if (options->today) {
        try {
            clock = std::make_unique<ruvo::FixedClock>(ruvo::parseDate(*options->today));
        } catch (const ruvo::RuntimeError& error) {
            std::cerr << "moravine-demo: --today: " << error.what() << '\n';
            return 2;
        }
    }
    ruvo::DemoWindow window(*clock);
    window.show();
    if (!options->screenshot)
        return QApplication::exec();

    const auto exposed = [&] {
        return window.windowHandle() && window.windowHandle()->isExposed();
    };
    if (!ruvo::processEventsUntil(exposed, std::chrono::seconds(5))) {
        std::cerr << "moravine-demo: the window was never shown\n";
        return 1;
    }
    if (options->script) {
        std::ifstream script(*options->script);
        if (!script) {
            std::cerr << "moravine-demo: cannot read " << *options->script << '\n';
            return 2;
        }
        ruvo::ScreenActions actions(window.control());
        ruvo::DriveSession(window.control().control(), actions, std::cout).run(script);
    }
    QApplication::processEvents();
    if (!window.grab().save(QString::fromStdString(*options->screenshot))) {
        std::cerr << "moravine-demo: cannot write " << *options->screenshot << '\n';
        return 1;
    }
    return 0;
}
