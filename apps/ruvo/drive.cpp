#include "apps/ruvo/drive.h"

#include "apps/drive/drive_session.h"
#include "dating/date_text.h"

#include <memory>
#include <ostream>

namespace ruvo {

int runDrive(std::span<const std::string_view> arguments, std::istream& in, std::ostream& out,
             std::ostream& err) {
    std::unique_ptr<Clock> clock = std::make_unique<SystemClock>();
    if (arguments.size() == 2 && arguments[0] == "--today") {
        try {
            clock = std::make_unique<FixedClock>(parseDate(arguments[1]));
        } catch (const RuntimeError& error) {
            err << "ruvo: --today: " << error.what() << '\n';
            return 2;
        }
    } else if (!arguments.empty()) {
        err << "ruvo: drive takes only --today DATE (see ruvo --help)\n";
        return 2;
    }
    Moravine control(*clock);
    if (auto error = control.initialize())
        out << "error: " << error->what() << '\n';
    HostActions actions(control.host);
    DriveSession(control, actions, out).run(in);
    return 0;
}

} // namespace ruvo
