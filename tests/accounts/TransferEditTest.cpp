// Transfers through the transaction editor: both sides written and linked,
// conversion between currencies (cancel writes nothing), the other side made
// afresh on every edit, and removed when the transfer ends or is deleted.

#include "TransactionEditorTestBook.h"

#include "accounts/BalanceRecalc.h"

#include <limits>

namespace {

class TransferEditTest : public ::testing::Test, public TransactionEditorTestBook {
protected:
    // The other side of the transfer at `row` of `account`.
    std::optional<RegisterEntry> otherSide(qint32 account, qint64 row)
    {
        const auto own = entry(account, row);
        if (!own || own->link.isEmpty())
            return std::nullopt;
        const qint32 other = -own->category;
        reg.select(other);
        for (qint64 r = 0; r < reg.transactionCount(); ++r) {
            const auto e = reg.entry(r);
            if (e && e->key == own->link)
                return e;
        }
        return std::nullopt;
    }
};

TEST_F(TransferEditTest, SameCurrencyWritesBothSidesLinkedWithoutConfirmation)
{
    startNew(Cash, QStringLiteral("-40"));
    editor.setCategoryText(QStringLiteral("[Checking]"));
    editor.setProjectText(QStringLiteral("House"));
    editor.setNote(QStringLiteral("rent share"));
    editor.setMark(ReconcileMark::Cleared);
    ASSERT_TRUE(editor.save(false));
    EXPECT_TRUE(conversion.shown.empty());
    const auto own = entry(Cash, 0);
    const auto other = otherSide(Cash, 0);
    ASSERT_TRUE(own && other);
    EXPECT_EQ(own->category, -Checking);
    EXPECT_EQ(other->category, -Cash);
    EXPECT_EQ(other->link, own->key);
    EXPECT_EQ(other->amount.hundredths(), 4000);
    EXPECT_EQ(other->description, QStringLiteral("[Checking]"));
    EXPECT_EQ(other->note, QStringLiteral("rent share"));
    EXPECT_EQ(other->mark, ReconcileMark::Cleared);
    EXPECT_EQ(other->project, House);
    EXPECT_EQ(textOf(other->key, Prop::ProjectKey), fullKey(House, other->date));
    EXPECT_EQ(totalOf(Checking).hundredths(), 4000);
    EXPECT_EQ(totalOf(Cash).hundredths(), -4000);
    EXPECT_EQ(editor.categoryText(), QStringLiteral("[Checking]"));
    expectConsistent();
}

TEST_F(TransferEditTest, BetweenCurrenciesTheConfirmedAmountAndRateAreTaken)
{
    // At the stored rate: 110.00 USD out of Cash is 100.00 EUR into Euro.
    addNew(Cash, QStringLiteral("-110"), QStringLiteral("[Euro]"));
    ASSERT_EQ(conversion.shown.size(), 1u);
    EXPECT_EQ(conversion.shown[0].codeA, QStringLiteral("EUR"));
    EXPECT_EQ(conversion.shown[0].codeB, QStringLiteral("USD"));
    EXPECT_EQ(conversion.shown[0].amountA, QStringLiteral("100.00"));
    EXPECT_EQ(conversion.shown[0].amountB, QStringLiteral("110.00"));
    EXPECT_EQ(otherSide(Cash, 0)->amount.hundredths(), 10000);

    // From Euro to Cash with a new rate typed, 1 USD = 2 EUR, stored both ways.
    conversion.answer = ScriptedConversion::Answer::NewRate;
    addNew(Euro, QStringLiteral("30"), QStringLiteral("[Cash]"));
    EXPECT_EQ(conversion.shown[1].codeA, QStringLiteral("USD"));
    EXPECT_EQ(otherSide(Euro, 1)->amount.hundredths(), -1500);
    EXPECT_DOUBLE_EQ(currencies.rate(u"USD", u"EUR"), 2.0);
    EXPECT_DOUBLE_EQ(currencies.rate(u"EUR", u"USD"), 0.5);
    EXPECT_EQ(totalOf(Euro).hundredths(), 13000);
    EXPECT_EQ(totalOf(Cash).hundredths(), -12500);
    expectConsistent();
}

TEST_F(TransferEditTest, CancelledConversionWritesNothing)
{
    conversion.answer = ScriptedConversion::Answer::Cancel;
    startNew(Cash, QStringLiteral("-110"));
    editor.setCategoryText(QStringLiteral("[Euro]"));
    editor.setProjectText(QStringLiteral("Garden"));
    ui.answer(true);  // the project is made ... and dropped again with the rest
    EXPECT_FALSE(editor.save(false));
    EXPECT_EQ(tables().transactions().count(), 0);
    EXPECT_EQ(projects.findByPath(QStringLiteral("Garden")), 0);
    EXPECT_DOUBLE_EQ(currencies.rate(u"EUR", u"USD"), 1.1);
    // A rate typed and stored, then a cut-off write: the cache forgets the rate too.
    conversion.answer = ScriptedConversion::Answer::NewRate;
    int writes = 0;
    book.store().setWriteFault([&] { return ++writes > 2; });
    EXPECT_FALSE(editor.save(false));
    book.store().setWriteFault({});
    EXPECT_DOUBLE_EQ(currencies.rate(u"EUR", u"USD"), 1.1);
}

TEST_F(TransferEditTest, ANewRateMarksTheProjectsHoldingEitherCurrencyStale)
{
    startNew(Euro, QStringLiteral("-10"));
    editor.setProjectText(QStringLiteral("House"));
    ASSERT_TRUE(editor.save(false));
    ASSERT_TRUE(totals.updateAll(u"USD"));
    // House holds euros, whose worth in dollars the new rate changes.
    conversion.answer = ScriptedConversion::Answer::NewRate;
    addNew(Cash, QStringLiteral("-5"), QStringLiteral("[Euro]"));
    EXPECT_FALSE(totals.totalsOf(House)->valid);
    expectConsistent();
}

TEST_F(TransferEditTest, ChangingOnlyTheNoteKeepsTheConvertedAmountUnderANewKey)
{
    addNew(Cash, QStringLiteral("-110"), QStringLiteral("[Euro]"));
    conversion.answer = ScriptedConversion::Answer::NewRate;  // would give another amount if asked
    conversion.rate = QStringLiteral("3");
    const QString oldOther = otherSide(Cash, 0)->key;
    clock.advanceMs(5000);
    reg.select(Cash);
    ASSERT_TRUE(editor.load(0));
    editor.setNote(QStringLiteral("only the note"));
    ASSERT_TRUE(editor.save(false));
    EXPECT_EQ(conversion.shown.size(), 1u) << "no second confirmation";
    const auto other = otherSide(Cash, 0);
    ASSERT_TRUE(other);
    EXPECT_NE(other->key, oldOther);
    EXPECT_FALSE(exists(oldOther));
    EXPECT_EQ(other->amount.hundredths(), 10000);
    EXPECT_EQ(other->note, QStringLiteral("only the note"));
    EXPECT_EQ(countOf(Euro), 1);
    expectConsistent();
}

TEST_F(TransferEditTest, ChangingTheAmountConvertsAgain)
{
    addNew(Cash, QStringLiteral("-110"), QStringLiteral("[Euro]"));
    ASSERT_TRUE(editor.load(0));
    ASSERT_EQ(editor.categoryText(), QStringLiteral("[Euro]"));
    editor.setAmountText(QStringLiteral("220"));
    ASSERT_TRUE(editor.save(false));
    EXPECT_EQ(conversion.shown.size(), 2u);
    EXPECT_EQ(otherSide(Cash, 0)->amount.hundredths(), 20000);
    EXPECT_EQ(totalOf(Euro).hundredths(), 20000);
    expectConsistent();
}

TEST_F(TransferEditTest, AnOtherSideOrBalanceBeyondTheLimitIsRefused)
{
    enum class Setup { None, Existing, HugeBalance };
    const struct {
        const char* label;
        Setup setup;
        qint32 account;
        const char* amount;
        const char* category;
        const char* rate;  // typed in the confirmation; nullptr: the stored one
    } cases[] = {
        {"at a typed rate", Setup::None, Cash, "-100000000", "[Euro]", "0.00004"},
        {"at the stored rate", Setup::None, Euro, "-9500000000", "[Cash]", nullptr},
        {"an edited amount", Setup::Existing, Euro, "9500000000", nullptr, nullptr},
        {"a balance past the number range", Setup::HugeBalance, Cash, "-40", "[Checking]", nullptr},
    };
    for (const auto& c : cases) {
        TransactionEditorTestBook fresh;
        if (c.setup == Setup::Existing)
            fresh.addNew(Euro, QStringLiteral("-10"), QStringLiteral("[Cash]"));
        if (c.setup == Setup::HugeBalance) {
            const QString key = fresh.addNew(Checking, QStringLiteral("5"));
            DbTable& t = fresh.tables().transactions();
            ASSERT_TRUE(t.seekText(SeekKind::Equal, key) &&
                        t.setInt64(Prop::Amount, std::numeric_limits<qint64>::max() - 10));
            ASSERT_TRUE(BalanceRecalc(fresh.tables()).recalc(Checking));
        }
        const qint64 before = fresh.countOf(Cash) + fresh.countOf(Euro) + fresh.countOf(Checking);
        const Money cash = fresh.totalOf(Cash);
        const Money euro = fresh.totalOf(Euro);
        if (c.setup == Setup::Existing) {
            ASSERT_TRUE(fresh.reg.select(Euro));
            ASSERT_TRUE(fresh.editor.load(0));
            fresh.editor.setAmountText(QString::fromLatin1(c.amount));
        } else {
            fresh.startNew(c.account, QString::fromLatin1(c.amount));
            fresh.editor.setCategoryText(QString::fromLatin1(c.category));
        }
        if (c.rate) {
            fresh.conversion.answer = ScriptedConversion::Answer::NewRate;
            fresh.conversion.rate = QString::fromLatin1(c.rate);
        }
        EXPECT_FALSE(fresh.editor.save(false)) << c.label;
        ASSERT_FALSE(fresh.ui.messages.isEmpty()) << c.label;
        EXPECT_EQ(fresh.ui.messages.last(), QStringLiteral("This number too large.")) << c.label;
        EXPECT_EQ(fresh.editor.focusField(), TransactionEditor::Field::Amount) << c.label;
        EXPECT_EQ(fresh.countOf(Cash) + fresh.countOf(Euro) + fresh.countOf(Checking), before) << c.label;
        EXPECT_EQ(fresh.totalOf(Cash), cash) << c.label;
        EXPECT_EQ(fresh.totalOf(Euro), euro) << c.label;
        if (c.setup != Setup::HugeBalance)
            fresh.expectConsistent();
    }
}

TEST_F(TransferEditTest, TurningATransferIntoACategoryRemovesTheOtherSide)
{
    addNew(Checking, QStringLiteral("500"));
    addNew(Cash, QStringLiteral("-40"), QStringLiteral("[Checking]"));
    ASSERT_EQ(totalOf(Checking).hundredths(), 54000);
    reg.select(Cash);
    ASSERT_TRUE(editor.load(0));
    editor.setCategoryText(QStringLiteral("Food"));
    ASSERT_TRUE(editor.save(false));
    EXPECT_EQ(countOf(Checking), 1);
    EXPECT_EQ(totalOf(Checking).hundredths(), 50000);
    const auto own = entry(Cash, 0);
    EXPECT_EQ(own->category, Food);
    EXPECT_EQ(own->link, QString());
    expectConsistent();
}

TEST_F(TransferEditTest, ChoosingAnotherAccountMovesTheOtherSide)
{
    addNew(Cash, QStringLiteral("-40"), QStringLiteral("[Checking]"));
    reg.select(Cash);
    ASSERT_TRUE(editor.load(0));
    editor.setCategoryText(QStringLiteral("[Euro]"));
    ASSERT_TRUE(editor.save(false));
    EXPECT_EQ(countOf(Checking), 0);
    EXPECT_EQ(totalOf(Checking).hundredths(), 0);
    EXPECT_EQ(otherSide(Cash, 0)->amount.hundredths(), 3636);  // 40 USD at 1 EUR = 1.1 USD
    EXPECT_EQ(conversion.shown.size(), 1u);
    // An ordinary transaction turned into a transfer gets its other side.
    addNew(Cash, QStringLiteral("-5"));
    ASSERT_TRUE(editor.load(1));
    editor.setCategoryText(QStringLiteral("[Checking]"));
    ASSERT_TRUE(editor.save(false));
    EXPECT_EQ(otherSide(Cash, 1)->amount.hundredths(), 500);
    expectConsistent();
}

TEST_F(TransferEditTest, RedatingATransferMovesBothSidesAndTheirProjectKeys)
{
    startNew(Cash, QStringLiteral("-40"));
    editor.setCategoryText(QStringLiteral("[Checking]"));
    editor.setProjectText(QStringLiteral("House"));
    ASSERT_TRUE(editor.save(false));
    ASSERT_TRUE(editor.load(0));
    editor.setDate(at(1, 10));
    ASSERT_TRUE(editor.save(false));
    const auto own = entry(Cash, 0);
    const auto other = otherSide(Cash, 0);
    ASSERT_TRUE(own && other);
    EXPECT_EQ(own->key, QStringLiteral("1_20240110100000001"));
    EXPECT_EQ(other->key, QStringLiteral("2_20240110100000002"));
    EXPECT_EQ(textOf(own->key, Prop::ProjectKey), QStringLiteral("2_20240110100000001"));
    EXPECT_EQ(textOf(other->key, Prop::ProjectKey), fullKey(House, other->date));
    expectConsistent();
}

TEST_F(TransferEditTest, DeletingATransferDeletesBothSides)
{
    addNew(Checking, QStringLiteral("500"));
    addNew(Cash, QStringLiteral("-40"), QStringLiteral("[Checking]"));
    reg.select(Cash);
    ASSERT_TRUE(editor.load(0));
    ui.answer(true);
    ASSERT_TRUE(editor.deleteRow());
    EXPECT_EQ(countOf(Cash), 0);
    EXPECT_EQ(countOf(Checking), 1);
    EXPECT_EQ(totalOf(Checking).hundredths(), 50000);
    EXPECT_EQ(tables().transactions().count(), 1);
    expectConsistent();
}

TEST_F(TransferEditTest, AMissingOtherSideStopsTheEdit)
{
    addNew(Cash, QStringLiteral("-40"), QStringLiteral("[Checking]"));
    const QString other = otherSide(Cash, 0)->key;
    ASSERT_TRUE(exists(other));
    ASSERT_TRUE(tables().transactions().deleteAt(tables().transactions().position()));
    reg.select(Cash);
    ASSERT_TRUE(editor.load(0));
    editor.setNote(QStringLiteral("x"));
    EXPECT_FALSE(editor.save(false));
    EXPECT_EQ(entry(Cash, 0)->note, QString());
    EXPECT_EQ(countOf(Checking), 0);
}

}  // namespace
