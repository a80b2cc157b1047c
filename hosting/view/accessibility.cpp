#include "hosting/view/accessibility.h"

#include "control/core/widget_tree.h"
#include "host/option_button.h"

#include <algorithm>

namespace ruvo::view {

namespace {

// The caption a widget was designed with: a prompt may have blinked its caption away.
std::string designCaption(const Widget& widget) {
    for (const WidgetRow& row : moravineWidgetTree()) {
        if (row.name == widget.name())
            return row.design.caption;
    }
    return widget.caption();
}

std::string captionOf(const WidgetHost& host, std::string_view name) {
    const Widget* widget = host.find(name);
    return widget ? widget->caption() : std::string();
}

// A list is named by its frame and its label. A list beside a frame of options rather than in it
// (the measurement list) is named by the option chosen there: "Biparietal diameter, mm".
std::string listName(const Widget& list) {
    const WidgetHost& host = list.host();
    const auto captions = listCaptions();
    const auto found = std::find_if(captions.begin(), captions.end(),
                                    [&](const ListCaption& c) { return c.list == list.name(); });
    if (found == captions.end())
        return list.name();
    std::string group = captionOf(host, found->frame);
    if (const Widget* frame = host.find(found->frame)) {
        for (const Widget* child : frame->children()) {
            if (child->kind() == WidgetKind::OptionButton &&
                static_cast<const OptionButton*>(child)->value() && list.parent() != frame)
                group = designCaption(*child);
        }
    }
    return group + ", " + captionOf(host, found->label);
}

// The question the options of an untitled frame answer: the frame's label, as it was designed.
std::string questionOf(const Widget& option) {
    if (!option.parent()->caption().empty())
        return {};
    for (const Widget* sibling : option.parent()->children()) {
        if (sibling->kind() == WidgetKind::Label)
            return designCaption(*sibling);
    }
    return {};
}

} // namespace

Role accessibleRole(const Widget& widget) {
    switch (widget.kind()) {
    case WidgetKind::UserControl:
        return Role::Client;
    case WidgetKind::Frame:
        return Role::Grouping;
    case WidgetKind::Label:
        return widget.border() == BorderStyle::FixedSingle ? Role::ResultText : Role::StaticText;
    case WidgetKind::OptionButton:
        return Role::RadioButton;
    case WidgetKind::ComboBox:
        return Role::ComboBox;
    case WidgetKind::CommandButton:
        return Role::PushButton;
    case WidgetKind::PictureBox:
        return Role::Graphic;
    case WidgetKind::Timer:
        break;
    }
    return Role::None;
}

Accessible accessibleOf(const Widget& widget) {
    Accessible accessible{.role = accessibleRole(widget)};
    switch (accessible.role) {
    case Role::Client:
        accessible.name = "Moravine pregnancy dating";
        break;
    case Role::Grouping:
        accessible.name =
            widget.caption().empty() ? questionOf(*widget.children().front()) : widget.caption();
        break;
    case Role::StaticText:
        accessible.name = designCaption(widget);
        break;
    case Role::ResultText:
        accessible.name = widget.parent()->caption();
        accessible.value = widget.caption();
        break;
    case Role::RadioButton:
        accessible.name = designCaption(widget);
        accessible.description = questionOf(widget);
        break;
    case Role::ComboBox:
        accessible.name = listName(widget);
        break;
    case Role::PushButton:
        accessible.name = designCaption(widget);
        break;
    case Role::Graphic:
        accessible.name = "Logo";
        break;
    case Role::None:
        break;
    }
    return accessible;
}

} // namespace ruvo::view
