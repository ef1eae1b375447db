#pragma once
/// @file
/// The component model: state flags, class names, names and the loaded notification.

#include <QObject>
#include <QString>

/// The component model shared by the library's classes: state flags, class-name tests and
/// run-time names. Design mode is set by a form designer on the edited form, loading by the
/// layout loader while it reads a form; both are inherited by every component below.
namespace Component {

/// @name State flags
///@{

/// Sets a flag on root, which its descendants inherit, or tells whether component has it.
void SetDesigning(QObject *root, bool designing);
bool IsDesigning(const QObject *component);
void SetLoading(QObject *root, bool loading);
bool IsLoading(const QObject *component);
///@}

/// Components recognise each other by exact class name, not by inheritance.
bool HasClassName(const QObject *component, const char *className);

/// stem followed by the first number from 1 up that no component of owner uses.
QString UniqueName(const QObject *owner, const QString &stem);

} // namespace Component

/// Implemented by components that complete their setup once the whole layout is read; the loader
/// calls Loaded on each, in tree order, before the form's OnCreate runs.
class TLoadedNotification
{
public:
    virtual ~TLoadedNotification() = default;
    /// The whole layout is read and every reference resolved.
    virtual void Loaded() = 0;
};
