#include "store/PasswordDigest.h"

qint64 passwordDigest(QStringView password)
{
    // Unsigned arithmetic wraps where signed would overflow; for any password a
    // field accepts the sum is far inside the signed range and identical.
    quint64 sum = 0;
    qint64 weight = 100;
    for (const QChar c : password) {
        sum += static_cast<quint64>(weight) * c.unicode();
        --weight;
    }
    return static_cast<qint64>(sum);
}

bool isAcceptablePassword(QStringView password)
{
    if (password.size() > MaxPasswordLength)
        return false;
    return password.isEmpty() || passwordDigest(password) != 0;
}
