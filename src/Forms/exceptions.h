#pragma once

#include <QString>
#include <stdexcept>

// Failures are exceptions; those escaping an event handler, the idle handler or a
// timer tick are reported by TApplication's error display.
class EComponentError : public std::runtime_error
{
public:
    explicit EComponentError(const QString &message) : std::runtime_error(message.toStdString()) {}
};

class EOutOfResources : public EComponentError
{
public:
    using EComponentError::EComponentError;
};

class EInvalidCast : public EComponentError
{
public:
    EInvalidCast() : EComponentError(QStringLiteral("Invalid class typecast")) {}
};

// A stored layout that names an unknown class, handler, event or component.
class EReadError : public EComponentError
{
public:
    using EComponentError::EComponentError;
};
