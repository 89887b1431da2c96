#include "Passwords.h"

#include <sodium.h>

namespace {

bool sodiumReady()
{
    static const bool ready = sodium_init() >= 0;
    return ready;
}

} // namespace

namespace Passwords {

std::optional<QString> SavePass(const QString &clear)
{
    if (!sodiumReady())
        return std::nullopt;
    const QByteArray password = clear.trimmed().toUtf8();
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, password.constData(), quint64(password.size()), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_MEMLIMIT_INTERACTIVE)
        != 0)
        return std::nullopt;
    return QString::fromLatin1(hash);
}

bool VerifyPass(const QString &stored, const QString &typed)
{
    const QString hash = stored.trimmed();
    const QByteArray password = typed.trimmed().toUtf8();
    if (hash.isEmpty())
        return password.isEmpty();
    if (!sodiumReady())
        return false;
    const QByteArray hashBytes = hash.toLatin1();
    return crypto_pwhash_str_verify(hashBytes.constData(), password.constData(), quint64(password.size())) == 0;
}

} // namespace Passwords
