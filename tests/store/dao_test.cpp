#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "jet/format/decode_value.h"
#include "jet/format/jet_errors.h"
#include "jet/read/dao.h"
#include "services/error.h"
#include "tests/support/test_files.h"

namespace vorelka::jet {
namespace {

services::Error RaisedBy(const std::function<void()>& call) {
  try {
    call();
  } catch (const services::ErrorRaised& raised) {
    return raised.error();
  }
  return {};
}

class DaoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteWords(path_, JetFormat::kJet4, {{1, "cat", "кошка"}, {2, std::nullopt, ""}});
    db_ = engine_.OpenDatabase(path_);
  }
  std::unique_ptr<Recordset> Open(const std::string& sql) { return db_->OpenRecordset(sql); }

  testing::TempDir folder_;
  std::string path_ = folder_ / "any name.mdb";
  DBEngine engine_;
  std::unique_ptr<Database> db_;
};

TEST_F(DaoTest, TheCountQueryGivesOneLongRow) {
  auto rs = Open("SELECT Count(*) AS Cnt FROM Words");
  ASSERT_FALSE(rs->Eof());
  EXPECT_EQ(rs->Fields("Cnt").kind(), Value::Kind::kLong);
  EXPECT_EQ(rs->Fields("Cnt").AsLong(), 2);
  rs->MoveNext();
  EXPECT_TRUE(rs->Eof());
}

TEST_F(DaoTest, ALookupTellsNullFromTheEmptyStringAndMatchesNamesInAnyCase) {
  auto null_word = Open("SELECT English AS sWord FROM Words WHERE Id = 2");
  ASSERT_FALSE(null_word->Eof());
  EXPECT_TRUE(null_word->Fields("sWord").IsNull());
  auto blank_word = Open("select RUSSIAN as SWORD from words where ID = 2");
  ASSERT_FALSE(blank_word->Eof());
  EXPECT_EQ(blank_word->Fields("sWord").kind(), Value::Kind::kText);
  EXPECT_EQ(blank_word->Fields("sWord").AsText(), "");
  EXPECT_EQ(Open("select RUSSIAN as SWORD from words where ID = 1")->Fields("sword").AsText(),
            "кошка");
}

TEST_F(DaoTest, RaisesTheRuntimesErrorForEachMisuse) {
  // Each names what it did not find.
  const std::tuple<std::string, int32_t, std::string> queries[] = {
      {"SELECT German AS sWord FROM Words WHERE Id = 1", kErrTooFewParameters, "'German'"},
      {"SELECT English AS sWord FROM Words WHERE Key = 1", kErrTooFewParameters, "'Key'"},
      {"SELECT Count(*) AS Cnt FROM Phrases", kErrTableNotFound, "'Phrases'"},
      {"SELECT Russian AS sWord FROM Words WHERE English = 1", kErrTypeMismatchInCriteria, ""},
  };
  for (const auto& [text, number, name] : queries) {
    const std::string& sql = text;  // clang 14 cannot capture a structured binding
    const services::Error error = RaisedBy([&] { Open(sql); });
    EXPECT_EQ(error.number, number) << sql;
    EXPECT_NE(error.description.find(name), std::string::npos) << error.description;
  }
  const std::string count = "SELECT Count(*) AS Cnt FROM Words";
  EXPECT_EQ(RaisedBy([&] {
              Open("SELECT English AS sWord FROM Words WHERE Id = 4")->Fields("sWord");
            }).number,
            kErrNoCurrentRecord);
  EXPECT_EQ(RaisedBy([&] { Open(count)->Fields("sWord"); }).number, kErrItemNotFound);
  EXPECT_EQ(RaisedBy([&] { db_->OpenRecordset(count, 2); }).number, kErrInvalidArgument)
      << "only snapshots open";
  auto rs = Open(count);
  rs->Close();
  EXPECT_EQ(RaisedBy([&] { rs->Eof(); }).number, kErrObjectClosed);
  EXPECT_EQ(RaisedBy([&] { rs->Close(); }).number, kErrObjectClosed);
  db_->Close();
  EXPECT_EQ(RaisedBy([&] { Open(count); }).number, kErrObjectClosed);
  EXPECT_EQ(RaisedBy([&] { db_->Close(); }).number, kErrObjectClosed);
}

TEST(Value, ConvertsAsTheRuntimeDoes) {
  EXPECT_EQ(Value().AsText(), "");
  EXPECT_EQ(RaisedBy([] { Value().AsLong(); }).number, kErrInvalidUseOfNull);
  EXPECT_EQ(Value::Long(-17).AsText(), "-17");
  EXPECT_EQ(Value::Boolean(true).AsText(), "True") << "a Yes/No reads as a word, not as -1";
  EXPECT_EQ(Value::Boolean(false).AsText(), "False");
  EXPECT_EQ(Value::Boolean(true).AsLong(), -1);
  EXPECT_EQ(Value::Text(" 42 ").AsLong(), 42);
  EXPECT_EQ(RaisedBy([] { Value::Text("cat").AsLong(); }).number, kErrTypeMismatch);
  EXPECT_EQ(RaisedBy([] { Value::Text("").AsLong(); }).number, kErrTypeMismatch);
  EXPECT_EQ(RaisedBy([] { Value::Text("2147483648").AsLong(); }).number, services::kErrOverflow);
}

template <typename T>
std::vector<uint8_t> BytesOf(T value) {
  std::vector<uint8_t> bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

TEST(ValueText, ReadsStoredNumbersAndDatesAsTheEngineAlwaysHas) {
  using namespace format::value;  // NOLINT(google-build-using-namespace)
  EXPECT_EQ(CurrencyText(BytesOf<int64_t>(125000)), "12.5000");
  EXPECT_EQ(CurrencyText(BytesOf<int64_t>(-1)), "-0.0001");
  EXPECT_EQ(CurrencyText(BytesOf<int64_t>(INT64_MIN)), "-922337203685477.5808");
  EXPECT_EQ(DateText(BytesOf(0.0)), "12/30/99 00:00:00");
  EXPECT_EQ(DateText(BytesOf(36526.5)), "01/01/00 12:00:00");
  EXPECT_EQ(DateText(BytesOf(45633.75)), "12/07/24 18:00:00");
  EXPECT_EQ(DateText(BytesOf(-1.0)), "01/00/00 00:00:00") << "before 1899-12-30";
  EXPECT_EQ(SingleText(BytesOf(1.5f)), "1.5");
  EXPECT_EQ(DoubleText(BytesOf(1.0 / 3)), "0.3333333333333333");
  // Sign byte, then four words, most significant first: 12345 at scale 2.
  std::vector<uint8_t> decimal(17, 0);
  decimal[0] = kDecimalNegative;
  decimal[13] = 0x39;
  decimal[14] = 0x30;
  EXPECT_EQ(DecimalText(decimal, 2), "-123.45");
  EXPECT_EQ(DecimalText(std::vector<uint8_t>(17, 0), 0), "0");
  std::vector<uint8_t> id(16);
  for (size_t i = 0; i < id.size(); ++i) id[i] = static_cast<uint8_t>(i);
  EXPECT_EQ(ReplicationIdText(id), "{03020100-0504-0706-08090A0B0C0D0E0F}");
}

}  // namespace
}  // namespace vorelka::jet
