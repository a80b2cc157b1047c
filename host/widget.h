#pragma once

#include "host/color.h"
#include "host/host_observer.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ruvo {

class WidgetHost;

enum class WidgetKind {
    UserControl,
    Frame,
    Label,
    OptionButton,
    ComboBox,
    CommandButton,
    PictureBox,
    Timer,
};

std::string_view kindName(WidgetKind);

// Position and size in twips (15 to a pixel at 96 dpi), from the top-left corner of the parent's
// client area; for a child of a frame that is the frame's outer corner, caption strip included.
struct Geometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Geometry&, const Geometry&) = default;
};

enum class TextAlignment { Left, Center };
enum class BorderStyle { None, FixedSingle };

// What a widget is created with. Only the caption and, for lists, the background change later,
// and only through the widget kinds that offer them.
struct WidgetDesign {
    std::string caption;
    Geometry geometry;
    int tabIndex = 0;
    std::optional<Color> backColor; // the kind's default when empty
    std::optional<Color> foreColor; // likewise
    TextAlignment alignment = TextAlignment::Left;
    BorderStyle border = BorderStyle::None;
};

// The host's colours for a widget that sets none: the window colours of the desktop scheme for
// lists, the button-face colours for everything else.
Color defaultBackColor(WidgetKind);
Color defaultForeColor(WidgetKind);

// One widget of the tree. The base class holds what every kind stores; each kind makes public
// only the setters that its kind offers, so a handler cannot reach a property the widget lacks.
// Setters run at once: observers hear of the write before the setter returns.
class Widget {
  public:
    virtual ~Widget() = default;
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    WidgetHost& host() const { return m_host; }
    WidgetKind kind() const { return m_kind; }
    const std::string& name() const { return m_name; }
    Widget* parent() const { return m_parent; }
    const std::vector<Widget*>& children() const { return m_children; }

    const std::string& caption() const { return m_caption; }
    const Geometry& geometry() const { return m_geometry; }
    int tabIndex() const { return m_tabIndex; }
    Color backColor() const { return m_backColor; }
    Color foreColor() const { return m_foreColor; }
    TextAlignment alignment() const { return m_alignment; }
    BorderStyle border() const { return m_border; }

    // The widget's own values. A hidden or disabled frame leaves them as they are; see
    // canTakeInput() for what the user can reach.
    bool visible() const { return m_visible; }
    bool enabled() const { return m_enabled; }

    // True when the widget and every frame around it are visible and enabled.
    bool canTakeInput() const;

  protected:
    Widget(WidgetHost&, WidgetKind, std::string name, Widget* parent, WidgetDesign);

    void setCaption(std::string caption);
    void setVisible(bool visible);
    void setEnabled(bool enabled);
    void setBackColor(Color color);

    void notify(WidgetChange) const;

  private:
    WidgetHost& m_host;
    WidgetKind m_kind;
    std::string m_name;
    Widget* m_parent;
    std::vector<Widget*> m_children;
    std::string m_caption;
    Geometry m_geometry;
    int m_tabIndex;
    Color m_backColor;
    Color m_foreColor;
    TextAlignment m_alignment;
    BorderStyle m_border;
    bool m_visible = true;
    bool m_enabled = true;
};

} // namespace ruvo
