#include "events.h"

#include "exceptions.h"

#include <QStringList>

namespace {

bool SameType(const QByteArray &actual, const char *expected)
{
    if (actual == expected)
        return true;
    const QMetaType type = QMetaType::fromName(actual);
    return type.isValid() && type == QMetaType::fromName(expected);
}

} // namespace

bool TMethod::Fits(const char *result, std::initializer_list<const char *> parameters) const
{
    if (!m_method.isValid() || m_method.parameterCount() != int(parameters.size()))
        return false;
    if (result && !SameType(m_method.typeName(), result))
        return false;
    int i = 0;
    for (const char *parameter : parameters) {
        if (!SameType(m_method.parameterTypeName(i++), parameter))
            return false;
    }
    return true;
}

void CheckHandler(const TMethod &handler, const QByteArray &event, const QObject *component, const char *result,
                  std::initializer_list<const char *> parameters)
{
    if (handler.Fits(result, parameters))
        return;
    QStringList expected;
    for (const char *parameter : parameters)
        expected << QString::fromLatin1(parameter);
    QString message = QStringLiteral("Method %1 does not fit %2 of %3, which passes (%4)")
                          .arg(QString::fromLatin1(handler.Method().methodSignature()), QString::fromLatin1(event),
                               component->objectName(), expected.join(QLatin1String(", ")));
    if (result)
        message += QStringLiteral(" and takes a %1").arg(QString::fromLatin1(result));
    throw EReadError(message);
}

void TMethod::Invoke(void *result, const char *resultType, void **arguments, int count) const
{
    if (!*this)
        return;
    // The argument objects keep pointers into the type names, which must outlive the call.
    QByteArray typeNames[4];
    QGenericArgument args[4];
    for (int i = 0; i < count && i < 4; ++i) {
        typeNames[i] = m_method.parameterTypeName(i);
        args[i] = QGenericArgument(typeNames[i].constData(), arguments[i]);
    }
    m_method.invoke(m_receiver, Qt::DirectConnection, QGenericReturnArgument(resultType, result),
                    args[0], args[1], args[2], args[3]);
}
