#include "events.h"

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
