#pragma once
// The one error type of the programs: a number and an Italian description, raised by the
// database layer and by the runtime conversions and shown by the forms' handlers.

#include <QString>
#include <exception>
#include <functional>

class AppError : public std::exception
{
public:
    // Numbers the forms tell apart.
    static constexpr long SubscriptOutOfRange = 9;      // a row, column or panel outside a control
    static constexpr long Overflow = 6;
    static constexpr long TypeMismatch = 13;
    static constexpr long InvalidUseOfNull = 94;
    static constexpr long ObjectClosed = 3704;            // operation on a closed object
    static constexpr long NoCurrentRecord = 3021;         // BOF or EOF is true
    static constexpr long ReadOnly = 3251;                // the recordset does not allow the operation
    static constexpr long ItemNotFound = 3265;            // no field of that name or position
    static constexpr long Conflict = 0x80040E38;          // the row changed since it was read
    static constexpr long ForeignKey = 0x80040E2F;        // referential-integrity violation
    static constexpr long Unspecified = 0x80004005;       // duplicate in a unique index; file cannot be opened
    static constexpr long AuthenticationFailed = 0x80040E4D;
    static constexpr long FileNotFound = 0x800403E8;      // shell copy: a source that does not exist

    AppError(long number, QString description) : m_number(number), m_description(std::move(description)),
        m_what(m_description.toUtf8()) {}

    long number() const { return m_number; }
    const QString &description() const { return m_description; }
    const char *what() const noexcept override { return m_what.constData(); }

    // The runtime's own errors with their Italian descriptions.
    static AppError subscriptOutOfRange()
    {
        return AppError(SubscriptOutOfRange, QStringLiteral("Indice non compreso nell'intervallo"));
    }
    static AppError overflow() { return AppError(Overflow, QStringLiteral("Overflow")); }
    static AppError typeMismatch() { return AppError(TypeMismatch, QStringLiteral("Tipo non corrispondente")); }
    static AppError invalidUseOfNull() { return AppError(InvalidUseOfNull, QStringLiteral("Utilizzo non valido di Null")); }

    // Runs a statement whose failure is skipped, so that the next statement runs as usual.
    static void ignoring(const std::function<void()> &statement)
    {
        try {
            statement();
        } catch (const std::exception &) {
        }
    }

private:
    long m_number;
    QString m_description;
    QByteArray m_what;
};
