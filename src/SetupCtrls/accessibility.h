#pragma once

#include <QString>

class QAccessibleEvent;
class QObject;
class QWidget;
class TBoardHighlight;
class TJumperControl;
class TThreeJumper;

// What assistive technology (a screen reader) learns of the library's own controls: circles
// are buttons named by their title, panels groupings that tell where each jumper must be,
// two-pin jumpers check boxes, three-pin jumpers buttons whose value is the shunt's position;
// list boxes keep the name they are given and show their entry as their value.
// The controls tell it when they change; what the jumpers do in answer to the focused control
// is told as a notification, which a screen reader speaks.
namespace Accessibility {

// Registers the interfaces of the library's controls; the application object does it once.
void Install();

// Where the controls' announcements go: by default Qt's accessibility, which drops them while no
// assistive technology listens (always so on the offscreen platform); a test may listen instead.
using TAnnouncer = void (*)(QAccessibleEvent *event);
void SetAnnouncer(TAnnouncer announcer);

// A two-pin jumper's Closed changed.
void CheckedChanged(TJumperControl *jumper);
// A three-pin jumper's JumperState changed.
void ValueChanged(TThreeJumper *jumper);
// The popup of the circle's link group was shown, pinned or hidden: the members whose state
// changed say so once the event has been handled.
void PopupChanged(TBoardHighlight *circle);

// The jumper's name: the label beside it, the label of the row or column it stands in, or the
// labels of its positions; a place ("left", "top") when others of the panel share it.
QString JumperName(const TJumperControl *jumper);
// "fitted", "not fitted", "open" or the position the shunt covers ("on BIP", "on the left pair").
QString JumperPlacement(const TJumperControl *jumper);
// Every jumper of the panel with its placement, in tab order.
QString Placements(const QWidget *panel);

} // namespace Accessibility
