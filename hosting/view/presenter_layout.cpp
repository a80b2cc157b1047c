// The surface's colours and layout: the font's scale, grown until every text fits.
#include "hosting/view/presenter.h"

#include "control/core/widget_tree.h"
#include "host/combo_box.h"

#include <algorithm>
#include <unordered_map>

namespace ruvo::view {

// Widgets keep the toolkit's colours unless the tree gives them colours of their own.
OwnColors Presenter::ownColors(const Widget& widget) const {
    const bool ownBack = widget.backColor() != defaultBackColor(widget.kind());
    const bool ownFore = widget.foreColor() != defaultForeColor(widget.kind());
    if (!ownBack && !ownFore)
        return {};
    const TextColors colors = readableColors(widget.backColor(), widget.foreColor(), m_palette);
    OwnColors own;
    if (ownBack)
        own.back = colors.back;
    if (ownFore)
        own.fore = colors.fore;
    return own;
}

void Presenter::layOut() {
    if (!m_sink)
        return;
    const SystemPalette palette = m_sink->systemPalette();
    const bool paletteChanged = palette != m_palette;
    m_palette = palette;
    // The days, months and years of the two dates share their texts: each is measured once.
    std::unordered_map<std::string, PixelSize> measured;
    const auto measure = [&](const std::string& text) {
        auto found = measured.find(text);
        if (found == measured.end())
            found = measured.emplace(text, m_sink->measureText(text)).first;
        return found->second;
    };
    m_scale = m_sink->fontScale().fitting([&](ViewScale scale) { return fitsAt(scale, measure); });
    m_sink->placeView(m_control.host.control(), toPixels(moravineGeometry, m_scale));
    for (const Widget* widget : viewedWidgets()) {
        m_sink->placeView(*widget, toPixels(widget->geometry(), m_scale));
        if (paletteChanged) // the system colours the tree names with it
            show(*widget, WidgetChange::BackColor);
    }
}

bool Presenter::fitsAt(ViewScale scale, const Measure& measure) const {
    for (const Widget* widget : viewedWidgets()) {
        const PixelRect box = toPixels(widget->geometry(), scale);
        const PixelSize area = m_sink->textArea(*widget, {box.width, box.height});
        const auto lineFits = [&](const std::string& text) {
            const PixelSize size = measure(text);
            return size.width <= area.width && size.height <= area.height;
        };
        switch (widget->kind()) {
        case WidgetKind::Frame:
        case WidgetKind::OptionButton:
        case WidgetKind::CommandButton:
            if (!widget->caption().empty() && !lineFits(widget->caption()))
                return false;
            break;
        case WidgetKind::ComboBox:
            for (const std::string& item : static_cast<const ComboBox&>(*widget).items()) {
                if (!lineFits(item))
                    return false;
            }
            break;
        case WidgetKind::Label:
            if (!wrappedFits(*widget, area, measure))
                return false;
            break;
        default:
            break;
        }
    }
    return true;
}

// A label wraps at spaces: each word fits a line, and the lines fit the box.
bool Presenter::wrappedFits(const Widget& label, PixelSize area, const Measure& measure) {
    std::string line;
    int lines = 0;
    int lineHeight = 0;
    const std::string& caption = label.caption();
    for (std::size_t start = 0; start < caption.size();) {
        const std::size_t end = std::min(caption.find(' ', start), caption.size());
        const std::string word = caption.substr(start, end - start);
        start = end + 1;
        if (word.empty())
            continue;
        const PixelSize size = measure(word);
        if (size.width > area.width)
            return false;
        lineHeight = std::max(lineHeight, size.height);
        const std::string longer = line.empty() ? word : line + " " + word;
        if (!line.empty() && measure(longer).width <= area.width) {
            line = longer;
        } else {
            line = word;
            ++lines;
        }
    }
    return lines * lineHeight <= area.height;
}

} // namespace ruvo::view
