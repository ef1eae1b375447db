#pragma once

class QAccessibleEvent;
class QObject;
class TBoardHighlight;
class TThreeJumper;

// What assistive technology (a screen reader) learns of the library's own controls: circles
// are buttons named by their title, two-pin jumpers check boxes, three-pin jumpers buttons whose
// value is the shunt's position. The controls tell it when they change.
namespace Accessibility {

// Registers the interfaces of the library's controls; the application object does it once.
void Install();

// Where the controls' announcements go: by default Qt's accessibility, which drops them while no
// assistive technology listens (always so on the offscreen platform); a test may listen instead.
using TAnnouncer = void (*)(QAccessibleEvent *event);
void SetAnnouncer(TAnnouncer announcer);

// A two-pin jumper's Closed changed.
void CheckedChanged(QObject *control);
// A three-pin jumper's JumperState changed.
void ValueChanged(TThreeJumper *jumper);
// The popup of the circle's link group was shown, pinned or hidden: every member changes.
void PopupChanged(TBoardHighlight *circle);

} // namespace Accessibility
