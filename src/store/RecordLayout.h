#pragma once

// The property ids of every record of the book's seven tables. One numbering is
// shared by all tables: an id means the same thing in every table that has it
// (110 is always a name or description, 301 always a currency code), so a
// reader written for one table reads the same property of another.
//
// A record lacking a property reads it as 0, as "" or as 64-bit 0; writers omit
// optional properties freely and readers never tell missing from zero.

#include "platform/StoreTypes.h"

#include <QtGlobal>

#include <optional>

namespace Prop {

// --- keys and references ------------------------------------------------------
// The three key texts sort the transaction table (orders 0, 1, 2); KeyText.h
// builds them. The scheduled table sorts on ProjectKey as its order 1.
constexpr quint16 AccountKey = 101;  // text: account id + date-time, unique in the table
constexpr quint16 ProjectKey = 102;  // text: project id + date-time; only with a project
constexpr quint16 PlannerKey = 103;  // text: planner id + planned date-time; posted occurrences only
constexpr quint16 AccountId = 104;   // int: account id (sort key of the account table)

// --- transaction --------------------------------------------------------------
constexpr quint16 PlannedDate = 105;      // 64-bit date: planned date of the occurrence posted
constexpr quint16 PartialPosting = 106;   // 64-bit: 1 when only part of the occurrence was posted
constexpr quint16 PostedAmount = 107;     // 64-bit amount: posted, in the occurrence's currency
constexpr quint16 Date = 108;             // 64-bit date: transaction date-time; a plan's start date
constexpr quint16 Number = 109;           // text: check number ("No" column)
constexpr quint16 Name = 110;             // text: account, project or category name; description
constexpr quint16 Amount = 112;           // 64-bit amount: positive deposit, negative payment
constexpr quint16 Balance = 113;          // 64-bit amount: running balance; an account's total
constexpr quint16 Note = 114;             // text: memo; account note
constexpr quint16 Contact = 115;          // text: the payee's contact entry
constexpr quint16 TransferLink = 116;     // text: the other side's AccountKey; transfers only
constexpr quint16 Mark = 117;             // int: reconcile mark, see ReconcileMark
constexpr quint16 ForeignAmount = 118;    // 64-bit amount: absolute amount in the occurrence's currency
constexpr quint16 ForeignCurrency = 119;  // text: the occurrence's currency code
constexpr quint16 ForeignRate = 120;      // text: rate used, "%.2f" with '.'
constexpr quint16 PasswordDigest = 126;   // 64-bit: on the password-lock record only; 0 = none
constexpr quint16 LockSeconds = 127;      // int: on the password-lock record only; 0 = never
constexpr quint16 ImportMark = 130;       // int: 1 when the last import matched this transaction
constexpr quint16 FitId = 131;            // text: the bank's id of the statement line it came from

// --- account ------------------------------------------------------------------
constexpr quint16 Created = 151;            // 64-bit date: when the account was made
constexpr quint16 CarriedAccountInt = 152;  // int: carried by backup, read by nothing else

// --- project and category -------------------------------------------------------
constexpr quint16 ProjectId = 201;            // int: project id (sort key of the project table); 0 = none
constexpr quint16 CheckState = 202;           // int: selection-tree check state, 0 unchecked, 1 checked
constexpr quint16 Parent = 203;               // int: parent project or category id; 0 for the root
constexpr quint16 CarriedProjectDate1 = 204;  // 64-bit date: carried only
constexpr quint16 CarriedProjectDate2 = 205;  // 64-bit date: carried only
constexpr quint16 CarriedProjectInt = 206;    // int: carried only
constexpr quint16 OwnDeposits = 207;          // 64-bit amount: this project's deposits, default currency
constexpr quint16 OwnPayments = 208;          // 64-bit amount: this project's payments, default currency
constexpr quint16 TreeDeposits = 209;         // 64-bit amount: with all sub-projects
constexpr quint16 TreePayments = 210;         // 64-bit amount: with all sub-projects
constexpr quint16 TotalsValid = 211;          // int: 1 after the totals were computed, 0 when stale

// --- planner --------------------------------------------------------------------
constexpr quint16 PlannerId = 251;            // int: planner id (sort key of the planner table); 0 = none
constexpr quint16 Recurrence = 252;           // int: recurrence kind
constexpr quint16 NextDate = 253;             // 64-bit date: next open occurrence
constexpr quint16 Completed = 254;            // int: completed occurrences
constexpr quint16 Entries = 255;              // int: occurrences in all; -1 = ongoing
constexpr quint16 CarriedPlannerValue = 256;  // 64-bit: carried only
constexpr quint16 ReminderMinutes = 257;      // int: reminder lead time; whole days count
constexpr quint16 CarriedPlannerInt = 258;    // int: carried only
constexpr quint16 Stopped = 259;              // int: 1 when stopped or finished

// --- currency -------------------------------------------------------------------
constexpr quint16 CurrencyCode = 301;    // text: "USD", upper case, unique in the currency table
constexpr quint16 CurrencyNumber = 302;  // int: sort key of the currency table
constexpr quint16 Symbol = 303;          // text: short symbol shown beside amounts
constexpr quint16 CurrencyName = 304;    // text

// --- scheduled (future list) ----------------------------------------------------
constexpr quint16 FullAmount = 351;  // 64-bit amount: the occurrence's amount before partial postings
constexpr quint16 Reminded = 352;    // int: 1 once the reminder was shown

// --- category -------------------------------------------------------------------
// In a transaction or plan: positive = category id, 0 = none, negative = a
// transfer to the account whose id is the absolute value.
constexpr quint16 CategoryId = 401;  // int: category id (sort key of the category table)

// --- open ranges ------------------------------------------------------------------
// Ids from OpenRangeBase up are computed from a currency number N. The same id
// means a different thing in the project table (64-bit totals) and in the
// currency table (rate texts), so their type depends on the table.
constexpr quint16 OpenRangeBase = 1000;

// The largest currency number whose project-total ids still fit in 16 bits.
constexpr int MaxCurrencyNumber = (0xFFFF - OpenRangeBase - 1) / 2;

constexpr bool isValidCurrencyNumber(int n)
{
    return n >= 0 && n <= MaxCurrencyNumber;
}

// Project table: deposits and payments in the currency numbered n (64-bit amounts).
// n must satisfy isValidCurrencyNumber.
constexpr quint16 projectDepositsIn(int n)
{
    return static_cast<quint16>(OpenRangeBase + 2 * n);
}
constexpr quint16 projectPaymentsIn(int n)
{
    return static_cast<quint16>(OpenRangeBase + 2 * n + 1);
}

// Currency table: the exchange rate to the currency numbered n (decimal text).
constexpr quint16 currencyRateTo(int n)
{
    return static_cast<quint16>(OpenRangeBase + n);
}

constexpr bool isOpenRangeId(quint16 id)
{
    return id >= OpenRangeBase;
}

static_assert(projectPaymentsIn(MaxCurrencyNumber) == 0xFFFF);
static_assert(projectDepositsIn(3) == 1006 && projectPaymentsIn(3) == 1007 && currencyRateTo(3) == 1003);

// The currency number behind a project-total id; nullopt below the open range.
constexpr std::optional<int> currencyOfProjectTotal(quint16 id)
{
    if (!isOpenRangeId(id))
        return std::nullopt;
    return (id - OpenRangeBase) / 2;
}
constexpr bool isProjectDepositsId(quint16 id)
{
    return isOpenRangeId(id) && (id - OpenRangeBase) % 2 == 0;
}

// The currency number behind a rate id; nullopt below the open range.
constexpr std::optional<int> currencyOfRate(quint16 id)
{
    if (!isOpenRangeId(id))
        return std::nullopt;
    return id - OpenRangeBase;
}

// The value type of a fixed id (every table agrees on it); nullopt for ids of the
// open ranges, whose type depends on the table, and for ids not in use.
constexpr std::optional<PropType> typeOf(quint16 id)
{
    switch (id) {
    case AccountKey:
    case ProjectKey:
    case PlannerKey:
    case Number:
    case Name:
    case Note:
    case Contact:
    case TransferLink:
    case ForeignCurrency:
    case ForeignRate:
    case FitId:
    case CurrencyCode:
    case Symbol:
    case CurrencyName:
        return PropType::Text;
    case PlannedDate:
    case PartialPosting:
    case PostedAmount:
    case Date:
    case Amount:
    case Balance:
    case ForeignAmount:
    case PasswordDigest:
    case Created:
    case CarriedProjectDate1:
    case CarriedProjectDate2:
    case OwnDeposits:
    case OwnPayments:
    case TreeDeposits:
    case TreePayments:
    case NextDate:
    case CarriedPlannerValue:
    case FullAmount:
        return PropType::Int64;
    case AccountId:
    case Mark:
    case LockSeconds:
    case ImportMark:
    case CarriedAccountInt:
    case ProjectId:
    case CheckState:
    case Parent:
    case CarriedProjectInt:
    case TotalsValid:
    case PlannerId:
    case Recurrence:
    case Completed:
    case Entries:
    case ReminderMinutes:
    case CarriedPlannerInt:
    case Stopped:
    case CurrencyNumber:
    case Reminded:
    case CategoryId:
        return PropType::Int;
    default:
        return std::nullopt;
    }
}

// Open-range types, by table.
constexpr PropType ProjectTotalType = PropType::Int64;
constexpr PropType CurrencyRateType = PropType::Text;

}  // namespace Prop

// Account ids that belong to no account record: no list, total, search, export
// or report shows their transactions. Both programs share these values.
namespace ReservedAccount {
// Holds transactions of planner occurrences that the user deleted, so the
// occurrence stays counted as done.
constexpr qint32 Holder = 2000000000;
// Holds the one password-lock record (PasswordDigest, LockSeconds).
constexpr qint32 PasswordLock = 2000000001;
}  // namespace ReservedAccount

constexpr bool isReservedAccount(qint64 accountId)
{
    return accountId == ReservedAccount::Holder || accountId == ReservedAccount::PasswordLock;
}

// Roots of the two trees; created at first run and never deleted.
constexpr qint32 RootProjectId = 1;
constexpr qint32 RootCategoryId = 1;

// Property Mark of transactions and plans; a missing mark reads as Unreconciled.
enum class ReconcileMark : qint32 {
    Unreconciled = 0,
    Cleared = 1,
    Reconciled = 2,
};
