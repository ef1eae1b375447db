#pragma once

#include <QRegularExpression>
#include <QString>
#include <QStringList>

// Fails the running test on any Qt warning that is neither the offscreen platform's own
// notice nor announced by an ExpectQtWarning in scope.
namespace WarningGuard {
void Install();
}

class ExpectQtWarning
{
public:
    explicit ExpectQtWarning(const QString &pattern);
    ~ExpectQtWarning();
    int Count() const { return m_count; }

public:
    // Read by the message handler.
    QRegularExpression m_pattern;
    int m_count = 0;
    ExpectQtWarning *m_outer;
};
