#pragma once

#include "host/widget.h"
#include "hosting/view/accessibility.h"
#include "hosting/view/colors.h"
#include "hosting/view/geometry.h"
#include "hosting/view/host_results.h"

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace ruvo::view {

// A widget's own colours, the contrast rule applied; each is empty where the widget keeps the
// toolkit's.
struct OwnColors {
    std::optional<Rgb> back;
    std::optional<Rgb> fore;
    friend bool operator==(const OwnColors&, const OwnColors&) = default;
};

struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// Which results on view changed in one run.
struct ResultsMoved {
    bool edd = false;
    bool gestationAtBirth = false;
};

// Where the keyboard focus is: outside the control (empty), on its surface (null) or on a widget.
using FocusPlace = std::optional<const Widget*>;

// What a front-end does for the presenter, each with its toolkit's calls alone: it builds and
// shows the views, reports what the user's keyboard focus and the toolkit's clock say, measures
// text, and passes on to the host what the presenter tells it. The presenter decides everything
// else; a sink never reads the model to decide anything of its own.
class ViewSink {
  public:
    virtual ~ViewSink() = default;

    // The toolkit's view of a widget, inside its parent's view (the surface's, for a widget of
    // the surface itself). Views come in the order the presenter creates them: frames before
    // their children, siblings in tab order. Its state arrives through the show calls after.
    virtual void createView(const Widget&) = 0;
    // A view's place in pixels inside its parent's; for the surface itself, its size.
    virtual void placeView(const Widget&, const PixelRect&) = 0;

    virtual void showCaption(const Widget&, const std::string& caption) = 0;
    virtual void showVisible(const Widget&, bool visible) = 0;
    virtual void showEnabled(const Widget&, bool enabled) = 0;
    virtual void showChecked(const Widget& option, bool checked) = 0;
    virtual void showSelection(const Widget& list, std::optional<std::size_t> index) = 0;
    virtual void showItemAdded(const Widget& list, const std::string& item) = 0;
    virtual void showItemsCleared(const Widget& list) = 0;
    virtual void showColors(const Widget&, const OwnColors&) = 0;
    // Whether Tab stops at an option button: once per group, at its selected button.
    virtual void showTabStop(const Widget& option, bool stop) = 0;
    // What assistive technology hears of a widget: its role, name and description.
    virtual void showAccessible(const Widget&, const Accessible&) = 0;

    // The text a list or a result shows changed, once the run that changed it has finished: the
    // toolkit's own notice of the change.
    virtual void noticeTextChange(const Widget&, const std::string& heard,
                                  const std::string& shown) = 0;
    // Says text once to the user of a screen reader, wherever the focus is.
    virtual void announce(const std::string& text) = 0;

    virtual FocusPlace focusPlace() const = 0;
    // Puts the keyboard focus on a widget's view, or on the surface (null).
    virtual void moveFocus(const Widget*) = 0;

    // The toolkit's monotonic clock.
    virtual std::chrono::milliseconds toolkitTime() const = 0;
    // Arms the one timer for a wait, or stops it (empty).
    virtual void armTimer(std::optional<std::chrono::milliseconds> wait) = 0;
    // Whether the platform asks for reduced motion.
    virtual bool reducedMotion() const = 0;

    // The scale of the toolkit's font against the design's, before any growth for width.
    virtual ViewScale fontScale() const = 0;
    // The size of one line of text in the control's font, which every view of the surface takes.
    virtual PixelSize measureText(const std::string& text) const = 0;
    // What of a box the toolkit leaves a widget's text: the box less its border, indicator,
    // arrow or bevel.
    virtual PixelSize textArea(const Widget&, PixelSize box) const = 0;
    // The desktop scheme's colours, which the tree's system colours name.
    virtual SystemPalette systemPalette() const = 0;

    // A run-time error ended a handler the user's action or a tick began.
    virtual void reportError(const std::string& message) = 0;
    virtual void resultsChanged(const HostResults&, ResultsMoved) = 0;
};

} // namespace ruvo::view
