#pragma once
/// @file
/// The exceptions of the libraries.

#include <QString>
#include <stdexcept>

/// Failures are exceptions; those escaping an event handler, the idle handler or a
/// timer tick are reported by TApplication's error display.
class EComponentError : public std::runtime_error
{
public:
    /// An error with this message.
    explicit EComponentError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

/// The system refused a resource (a timer, a window).
class EOutOfResources : public EComponentError
{
public:
    using EComponentError::EComponentError;
};

/// A component is not of the class it was taken for.
class EInvalidCast : public EComponentError
{
public:
    /// The error "Invalid class typecast".
    EInvalidCast() : EComponentError(QStringLiteral("Invalid class typecast")) {}
};

/// A stored layout that names an unknown class, handler, event or component.
class EReadError : public EComponentError
{
public:
    using EComponentError::EComponentError;
};
