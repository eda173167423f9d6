#include "PWSettings.h"

#include "AppError.h"
#include "Conversions.h"

#include <QSettings>
#include <QStringList>
#include <cfloat>
#include <cmath>

namespace {

const QString kSavePassword = QStringLiteral("SavePassword");
const QString kPassword = QStringLiteral("Password");
const QString kAutoLogon = QStringLiteral("AutoLogon");

struct Store
{
    QSettings settings{QStringLiteral("Focolarium"), QStringLiteral("Focolarium")};
    Store() { settings.beginGroup(QStringLiteral("Options")); }

    // A write that did not reach the file is no success.
    void commit()
    {
        settings.sync();
        if (settings.status() == QSettings::AccessError)
            throw AppError(75, QStringLiteral("Errore di accesso al percorso/file"));
    }
};

QString boolText(bool v) { return v ? QStringLiteral("True") : QStringLiteral("False"); }

} // namespace

QString PWSettings::readText(const QString &key, const QString &defaultText) const
{
    Store store;
    if (!store.settings.contains(key))
        return defaultText;
    const QVariant value = store.settings.value(key);
    // A hand-edited file may hold an unquoted list: it is still one text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

void PWSettings::writeText(const QString &key, const QString &text)
{
    Store store;
    store.settings.setValue(key, text);
    store.commit();
}

void PWSettings::removeKey(const QString &key)
{
    Store store;
    store.settings.remove(key);
    store.commit();
}

short PWSettings::readInt16(const QString &key, const QString &defaultText) const
{
    return Conv::toInt16(readText(key, defaultText));
}

int PWSettings::readInt32(const QString &key, const QString &defaultText) const
{
    return Conv::toInt32(readText(key, defaultText));
}

float PWSettings::readSingle(const QString &key, const QString &defaultText) const
{
    const double d = Conv::toDouble(readText(key, defaultText));
    if (std::fabs(d) > FLT_MAX)
        throw AppError::overflow();
    return float(d);
}

double PWSettings::readDouble(const QString &key, const QString &defaultText) const
{
    return Conv::toDouble(readText(key, defaultText));
}

bool PWSettings::readBool(const QString &key, const QString &defaultText) const
{
    return Conv::toBool(readText(key, defaultText));
}

void PWSettings::writeNumber(const QString &key, int v) { writeText(key, QString::number(v)); }
void PWSettings::writeSingle(const QString &key, float v) { writeText(key, Conv::toText(QVariant(v))); }
void PWSettings::writeDouble(const QString &key, double v) { writeText(key, Conv::toText(QVariant(v))); }
void PWSettings::writeBool(const QString &key, bool v) { writeText(key, boolText(v)); }

QString PWSettings::Password()
{
    m_password = readText(kPassword, QString());
    return m_savePass ? m_password : QString();
}

void PWSettings::setPassword(const QString &v)
{
    writeText(kPassword, v);
    m_password = v;
}

bool PWSettings::SavePass()
{
    const QString text = readText(kSavePassword, QString());
    if (text.isEmpty()) {
        writeText(kSavePassword, boolText(false));
        m_savePass = false;
        return false;
    }
    m_savePass = Conv::toBool(text);
    return m_savePass;
}

void PWSettings::setSavePass(bool v)
{
    // Each step is tried on its own: a failing one is skipped and nothing is reported.
    if (v) {
        AppError::ignoring([this] { setPassword(m_password); });
        AppError::ignoring([this] { writeText(kSavePassword, boolText(true)); });
    } else {
        AppError::ignoring([this] { writeText(kSavePassword, boolText(false)); });
        AppError::ignoring([this] { removeKey(kPassword); });
    }
}

bool PWSettings::Autocon()
{
    QString text = readText(kAutoLogon, QString());
    if (text.isEmpty()) {
        text = boolText(false);
        writeText(kAutoLogon, text);
    }
    return Conv::toBool(text);
}

void PWSettings::setAutocon(bool v) { writeText(kAutoLogon, boolText(v)); }
