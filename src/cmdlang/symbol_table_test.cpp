#include "cmdlang/symbol_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace varda::cmdlang {
namespace {

std::vector<std::string> order(const SymbolTable& t) {
  std::vector<std::string> names;
  t.forEach([&](const Variable& v) { names.push_back(v.name.str()); });
  return names;
}

TEST(SymbolTableTest, HashFoldsTheTopNibbleAndTakesBytesAsSignedChars) {
  EXPECT_EQ(hashName(""), 0u);
  EXPECT_EQ(hashName("a"), 97u);
  EXPECT_EQ(hashName("ab"), 1650u);
  EXPECT_EQ(hashName("abcdefgh"), 144358056u);  // folded twice
  EXPECT_EQ(hashName("\xc3"), 268435251u);      // -61, then the fold
}

TEST(SymbolTableTest, IteratesByBucketThenFromTheHeadOfEachChain) {
  // In 29 buckets "1" and "10" share bucket 20; "0" is in 19, "2".."9" in 21..28.
  SymbolTable t(kArrayBuckets);
  for (int i = 0; i <= 10; ++i) t.findOrCreate(std::to_string(i));
  EXPECT_EQ(order(t), (std::vector<std::string>{"0", "10", "1", "2", "3", "4", "5", "6", "7", "8", "9"}));
  // In 101 buckets: "ab" 34, "ba" 49, "a" 97.
  SymbolTable g(kScopeBuckets);
  for (const char* n : {"a", "ba", "ab"}) g.findOrCreate(n);
  EXPECT_EQ(order(g), (std::vector<std::string>{"ab", "ba", "a"}));
}

TEST(SymbolTableTest, InsertKeepsTheFirstEntryAndRemoveUnlinks) {
  SymbolTable t(kArrayBuckets);
  Variable* first = t.insert(Variable::make(Text("1")));
  first->setInt(1);
  EXPECT_EQ(t.insert(Variable::make(Text("1"))), first);
  EXPECT_EQ(t.count(), 1u);
  t.findOrCreate("10");
  Rc<Variable> removed = t.remove("1");
  ASSERT_TRUE(removed);
  EXPECT_EQ(removed->intValue, 1);
  EXPECT_EQ(t.find("1"), nullptr);
  EXPECT_NE(t.find("10"), nullptr);
  EXPECT_EQ(t.count(), 1u);
}

TEST(SymbolTableTest, DeepCopyIsIndependentReversesChainsAndSetsParents) {
  Rc<Variable> owner = Variable::make(Text("a"));
  owner->setArray(std::make_unique<SymbolTable>(kArrayBuckets));
  owner->defined = true;
  for (int i = 0; i <= 10; ++i) owner->array->findOrCreate(std::to_string(i))->setInt(i);
  Variable* inner = owner->array->find("3");
  inner->setArray(std::make_unique<SymbolTable>(kArrayBuckets));
  inner->array->findOrCreate("x")->setText(Text("t"));

  Rc<Variable> target = Variable::make(Text("b"));
  copyValueInto(*owner, *target);
  EXPECT_EQ(order(*target->array),
            (std::vector<std::string>{"0", "1", "10", "2", "3", "4", "5", "6", "7", "8", "9"}));
  Variable* copied = target->array->find("3");
  EXPECT_EQ(copied->parent, target.get());
  EXPECT_EQ(copied->array->find("x")->parent, copied);
  copied->array->find("x")->setInt(5);
  EXPECT_EQ(inner->array->find("x")->textValue.view(), "t");
}

TEST(SymbolTableTest, EntriesHeldElsewhereOutliveTheirTableWithoutAParent) {
  Rc<Variable> kept;
  {
    Rc<Variable> owner = Variable::make(Text("a"));
    owner->setArray(std::make_unique<SymbolTable>(kArrayBuckets));
    Variable* e = owner->array->findOrCreate("k");
    e->parent = owner.get();
    kept = Rc<Variable>(e);
  }
  EXPECT_EQ(kept->parent, nullptr);
  EXPECT_EQ(kept->name.view(), "k");
}

TEST(SymbolTableTest, ManyEntriesKeepTheChainOrderThroughTheIndex) {
  // Past two entries per bucket lookups go through an index; the order a
  // listing sees stays bucket by bucket, newest first in each chain.
  SymbolTable t(kArrayBuckets);
  constexpr int kKeys = 1000;
  for (int i = 0; i < kKeys; ++i) t.findOrCreate(std::to_string(i))->setInt(i);
  std::vector<std::vector<std::string>> chains(kArrayBuckets);
  for (int i = 0; i < kKeys; ++i) {
    const std::string key = std::to_string(i);
    auto& chain = chains[hashName(key) % kArrayBuckets];
    chain.insert(chain.begin(), key);
  }
  std::vector<std::string> expected;
  for (const auto& chain : chains) expected.insert(expected.end(), chain.begin(), chain.end());
  EXPECT_EQ(order(t), expected);
  for (int i = 0; i < kKeys; ++i) ASSERT_EQ(t.find(std::to_string(i))->intValue, i);
  EXPECT_EQ(t.find("1000"), nullptr);
  EXPECT_EQ(t.insert(Variable::make(Text("7")))->intValue, 7);  // the first entry stays

  // Removing every third entry leaves the others reachable and in order.
  for (int i = 0; i < kKeys; i += 3) ASSERT_TRUE(t.remove(std::to_string(i)));
  std::erase_if(expected, [](const std::string& k) { return std::stoi(k) % 3 == 0; });
  EXPECT_EQ(order(t), expected);
  EXPECT_EQ(t.count(), expected.size());
  for (int i = 0; i < kKeys; ++i) {
    const Variable* v = t.find(std::to_string(i));
    if (i % 3 == 0) {
      EXPECT_EQ(v, nullptr) << i;
    } else {
      ASSERT_NE(v, nullptr) << i;
      EXPECT_EQ(v->intValue, i);
    }
  }
}

TEST(SymbolTableTest, NamesHeldInPlaceOrSharedReadTheSame) {
  // Around the longest name held in the variable itself; a name ends at a NUL.
  const std::string longest(VariableName::kInline, 'k');
  for (const std::string& n :
       {std::string(), std::string("a"), longest, longest + "x", std::string(40, 'z')}) {
    const VariableName fromView(n);
    const VariableName fromText{Text(n)};
    EXPECT_EQ(fromView.view(), n);
    EXPECT_EQ(fromText.view(), n);
    VariableName copy = fromText;
    VariableName moved = std::move(copy);
    EXPECT_EQ(moved.str(), n);
    copy = moved;  // assignment into a moved-from name
    EXPECT_EQ(copy.view(), n);
  }
  EXPECT_EQ(VariableName(std::string_view("ab\0cd", 5)).view(), "ab");
  EXPECT_EQ(VariableName(std::string_view("abcdefgh\0ij", 11)).view(), "abcdefgh");

  // A long name in a table is found by its bytes, and a copy keeps it.
  SymbolTable t(kArrayBuckets);
  const std::string longName(30, 'n');
  t.findOrCreate(longName)->setInt(4);
  t.findOrCreate("-2147483648")->setInt(5);
  EXPECT_EQ(t.find(longName)->intValue, 4);
  std::unique_ptr<SymbolTable> copy = t.deepCopy(nullptr);
  EXPECT_EQ(copy->find(longName)->intValue, 4);
  EXPECT_EQ(copy->find("-2147483648")->intValue, 5);
}

TEST(SymbolTableTest, TheIndexTellsApartNamesOfHashZeroAndOne) {
  // The index tags a slot with the name's hash, and a hash of 0 with 1.
  const std::string zero = "\x01\xf0";
  const std::string one = "\x01\xf1";
  ASSERT_EQ(hashName(zero), 0u);
  ASSERT_EQ(hashName(one), 1u);
  SymbolTable t(kArrayBuckets);
  for (int i = 0; i < 100; ++i) t.findOrCreate(std::to_string(i));  // past the point of indexing
  t.findOrCreate(zero)->setInt(0);
  t.findOrCreate(one)->setInt(1);
  EXPECT_EQ(t.find(zero)->intValue, 0);
  EXPECT_EQ(t.find(one)->intValue, 1);
  ASSERT_TRUE(t.remove(zero));
  EXPECT_EQ(t.find(zero), nullptr);
  EXPECT_EQ(t.find(one)->intValue, 1);
  EXPECT_EQ(t.find("99"), t.findOrCreate("99"));
}

TEST(SymbolTableTest, NumberedEntriesAreFoundByNumberAndByName) {
  EXPECT_EQ(denseNumber("0"), 0);
  EXPECT_EQ(denseNumber("999999999"), 999999999);
  for (const char* other : {"", "01", "-1", "+1", "1a", " 1", "1000000000"})
    EXPECT_EQ(denseNumber(other), -1) << other;

  // Filled from 1 with gaps, then far past the end, then backwards over the
  // gap: every entry is found by number and by name, and only entries are.
  SymbolTable t(kArrayBuckets);
  std::vector<int> keys;
  for (int i = 1; i < 200; i += 3) keys.push_back(i);
  keys.push_back(5000);
  for (int i = 400; i >= 200; --i) keys.push_back(i);
  for (int i : keys) t.findOrCreate(std::to_string(i))->setInt(i);
  for (const char* other : {"07", "-7", "x"}) t.findOrCreate(other)->setInt(-1);
  for (int i = -2; i <= 5001; ++i) {
    const bool present = std::find(keys.begin(), keys.end(), i) != keys.end();
    const Variable* byName = t.find(std::to_string(i));
    ASSERT_EQ(t.findNumber(i), byName) << i;
    ASSERT_EQ(byName != nullptr, present) << i;
    if (present) {
      ASSERT_EQ(byName->intValue, i);
    }
  }
  EXPECT_EQ(t.find("07")->intValue, -1);
  EXPECT_EQ(t.findNumber(7)->intValue, 7);
  EXPECT_EQ(t.findNumber(-7), t.find("-7"));
  EXPECT_EQ(t.find("-7")->intValue, -1);

  // The listing order is the chains' whatever the lookups go through.
  std::vector<std::vector<std::string>> chains(kArrayBuckets);
  std::vector<std::string> added;
  for (int i : keys) added.push_back(std::to_string(i));
  for (const char* other : {"07", "-7", "x"}) added.emplace_back(other);
  for (const std::string& name : added) {
    auto& chain = chains[hashName(name) % kArrayBuckets];
    chain.insert(chain.begin(), name);
  }
  std::vector<std::string> expected;
  for (const auto& chain : chains) expected.insert(expected.end(), chain.begin(), chain.end());
  EXPECT_EQ(order(t), expected);

  // Removed entries are gone by number too, and come back as new ones.
  ASSERT_TRUE(t.remove("4"));
  ASSERT_TRUE(t.remove("5000"));
  EXPECT_EQ(t.findNumber(4), nullptr);
  EXPECT_EQ(t.findNumber(5000), nullptr);
  EXPECT_EQ(t.find("4"), nullptr);
  EXPECT_EQ(t.findOrCreate("4")->intValue, 0);
  EXPECT_EQ(t.findNumber(4), t.find("4"));
  t.clear();
  EXPECT_EQ(t.findNumber(1), nullptr);
  // An entry added far past the end is taken in when the end reaches it.
  t.findOrCreate("30")->setInt(30);
  for (int i = 0; i <= 40; ++i) t.findOrCreate(std::to_string(i))->setInt(i);
  EXPECT_EQ(t.count(), 41u);
  for (int i = 0; i <= 40; ++i) ASSERT_EQ(t.findNumber(i)->intValue, i);
  ASSERT_TRUE(t.remove("30"));
  EXPECT_EQ(t.findNumber(30), nullptr);
  t.clear();
  t.findOrCreate("0");
  EXPECT_EQ(t.findNumber(0), t.find("0"));
}

TEST(SymbolTableTest, TheVersionChangesWithTheSetOfEntriesOnly) {
  SymbolTable a(kScopeBuckets);
  SymbolTable b(kScopeBuckets);
  EXPECT_NE(a.version(), b.version());
  std::uint64_t seen = a.version();
  a.findOrCreate("x");
  EXPECT_NE(a.version(), seen);
  seen = a.version();
  a.findOrCreate("x")->setInt(3);  // found, not added; a value change is no change of entries
  EXPECT_EQ(a.version(), seen);
  a.remove("x");
  EXPECT_NE(a.version(), seen);
  seen = a.version();
  a.findOrCreate("y");
  a.clear();
  EXPECT_EQ(a.count(), 0u);
  EXPECT_EQ(a.find("y"), nullptr);
  EXPECT_NE(a.version(), seen);
  EXPECT_NE(a.version(), b.version());
}

}  // namespace
}  // namespace varda::cmdlang
