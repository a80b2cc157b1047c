#pragma once

#include <QString>

class QLabel;
class QObject;

namespace ruvo {

// Qt's accessibility for the control's widgets, where Qt's own gets a role or a name wrong. Every
// role, name, description and value comes from view::accessibleOf, so a screen reader hears what
// the view layer says:
// - an option button is a radio button of its frame's group (Qt reports a radio button that does
//   not check itself as a check box);
// - a list is named by its frame and its label, "Date of Ultrasound scan, Month" (Qt 6.4 names a
//   combo box by the item it shows), and reads the item it shows as text;
// - a result is read-only text that takes the focus.
// Both tell assistive technology whenever their text changes (announceTextChange).
//
// Installed once per process, before the first control is built.
void installAccessibleViews();

// Called once the control knows the model a view shows: drops any interface Qt made for the
// view before, while it was being built, so the next query gets the view layer's.
void adoptAccessibleView(QObject* view);

// Tells assistive technology that the text a list or a result shows has changed.
void announceTextChange(QObject* view, const QString& oldText, const QString& newText);

// The object name of a control's announcer: a line of the surface, too small to see, that
// assistive technology presents as an alert.
inline constexpr char announcerName[] = "announcer";

// Says text once through the announcer.
void announceLive(QLabel* announcer, const QString& text);

} // namespace ruvo
