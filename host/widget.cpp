#include "host/widget.h"

#include "host/widget_host.h"

namespace ruvo {

std::string_view kindName(WidgetKind kind) {
    switch (kind) {
    case WidgetKind::UserControl:
        return "UserControl";
    case WidgetKind::Frame:
        return "Frame";
    case WidgetKind::Label:
        return "Label";
    case WidgetKind::OptionButton:
        return "OptionButton";
    case WidgetKind::ComboBox:
        return "ComboBox";
    case WidgetKind::CommandButton:
        return "CommandButton";
    case WidgetKind::PictureBox:
        return "PictureBox";
    case WidgetKind::Timer:
        return "Timer";
    }
    return "Widget";
}

Color defaultBackColor(WidgetKind kind) {
    return kind == WidgetKind::ComboBox ? systemColor(5) : systemColor(15);
}

Color defaultForeColor(WidgetKind kind) {
    return kind == WidgetKind::ComboBox ? systemColor(8) : systemColor(18);
}

Widget::Widget(WidgetHost& host, WidgetKind kind, std::string name, Widget* parent,
               WidgetDesign design)
    : m_host(host), m_kind(kind), m_name(std::move(name)), m_parent(parent),
      m_caption(std::move(design.caption)), m_geometry(design.geometry),
      m_tabIndex(design.tabIndex), m_backColor(design.backColor.value_or(defaultBackColor(kind))),
      m_foreColor(design.foreColor.value_or(defaultForeColor(kind))), m_alignment(design.alignment),
      m_border(design.border) {
    if (m_parent)
        m_parent->m_children.push_back(this);
}

bool Widget::canTakeInput() const {
    for (const Widget* widget = this; widget; widget = widget->m_parent) {
        if (!widget->m_visible || !widget->m_enabled)
            return false;
    }
    return true;
}

void Widget::setCaption(std::string caption) {
    m_caption = std::move(caption);
    notify(WidgetChange::Caption);
}

void Widget::setVisible(bool visible) {
    m_visible = visible;
    notify(WidgetChange::Visible);
}

void Widget::setEnabled(bool enabled) {
    m_enabled = enabled;
    notify(WidgetChange::Enabled);
}

void Widget::setBackColor(Color color) {
    m_backColor = color;
    notify(WidgetChange::BackColor);
}

void Widget::notify(WidgetChange change) const {
    m_host.notifyChange(*this, change);
}

} // namespace ruvo
